#include "sim/bench/MessageText.h"

namespace quorvel::sim {

namespace {

constexpr std::size_t kMaxExcerpt = 40;

}  // namespace

std::string Printable(std::string text) {
    for (char& c : text) {
        if (c < 0x20 || c > 0x7E) c = '?';
    }
    return text;
}

std::string Excerpt(std::string_view text) {
    const std::string shown = Printable(std::string(text.substr(0, kMaxExcerpt)));
    return text.size() > kMaxExcerpt ? shown + "..." : shown;
}

}  // namespace quorvel::sim
