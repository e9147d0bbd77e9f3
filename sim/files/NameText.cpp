#include "sim/files/NameText.h"

#include <cstdio>

namespace quorvel::sim {

namespace {

// The length of the UTF-8 sequence the text starts with; 0 when it starts
// with none (a stray or missing continuation byte, an overlong form, a
// surrogate, beyond U+10FFFF).
std::size_t SequenceLength(std::string_view text) {
    const auto at = [&text](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    const unsigned lead = at(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) return 0;
    }
    return length;
}

std::string ByteAt(unsigned byte, std::size_t offset) {
    char text[48];
    std::snprintf(text, sizeof text, "(0x%02X) at byte %zu", byte, offset + 1);
    return text;
}

}  // namespace

std::string NameTextFault(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0) return "holds a NUL at byte " + std::to_string(i + 1);
        if (byte < 0x20 || byte == 0x7F) return "holds a control character " + ByteAt(byte, i);
        const std::size_t length = SequenceLength(text.substr(i));
        if (length == 0) return "is not UTF-8 text " + ByteAt(byte, i);
        // U+0080 to U+009F, the C1 controls: 0xC2 0x80 to 0xC2 0x9F.
        if (byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            char code[16];
            std::snprintf(code, sizeof code, "(U+%04X)", static_cast<unsigned char>(text[i + 1]));
            return "holds a control character " + std::string(code) + " at byte " + std::to_string(i + 1);
        }
        i += length;
    }
    return "";
}

}  // namespace quorvel::sim
