#include "sim/bench/MessageText.h"

namespace quorvel::sim {

namespace {

constexpr std::size_t kMaxExcerpt = 40;

}  // namespace

std::string Excerpt(std::string_view text) {
    std::string shown(text.substr(0, kMaxExcerpt));
    for (char& c : shown) {
        if (c < 0x20 || c > 0x7E) c = '?';
    }
    return text.size() > kMaxExcerpt ? shown + "..." : shown;
}

}  // namespace quorvel::sim
