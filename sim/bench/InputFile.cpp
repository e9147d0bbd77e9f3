#include "sim/bench/InputFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "sim/bench/InputError.h"

namespace quorvel::sim {

namespace {

std::string Bytes(std::size_t count) {
    return count % (1 << 20) == 0 ? std::to_string(count >> 20) + " MiB" : std::to_string(count) + " bytes";
}

}  // namespace

std::ifstream OpenInput(const std::string& path, const std::string& what) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        throw InputError(path, 0, "", "cannot read " + what + ": " + std::strerror(EISDIR));
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const std::string why = errno != 0 ? ": " + std::string(std::strerror(errno)) : "";
        throw InputError(path, 0, "", "cannot open " + what + why);
    }
    return in;
}

std::string ReadWhole(const std::string& path, const std::string& what, std::size_t maxBytes) {
    std::ifstream in = OpenInput(path, what);
    std::string text(maxBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) throw InputError(path, 0, "", "cannot read " + what);
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > maxBytes) {
        throw InputError(path, 0, "", "more than " + Bytes(maxBytes) + ": too long for " + what);
    }
    return text;
}

bool ReadLine(std::istream& in, std::string& line, std::size_t maxBytes, const std::string& path, long number) {
    line.clear();
    std::streambuf& buffer = *in.rdbuf();
    for (int c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
        if (c == '\n') return true;
        if (line.size() == maxBytes) throw InputError(path, number, "", "a line longer than " + Bytes(maxBytes));
        line.push_back(static_cast<char>(c));
    }
    return !line.empty();
}

}  // namespace quorvel::sim
