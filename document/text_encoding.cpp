#include "text_encoding.h"

#include <cstdint>

namespace telvor {

namespace {

constexpr std::uint32_t kNotUtf8 = 0xFFFFFFFF;

// The code point of the UTF-8 sequence at `i`, stepping `i` past it; kNotUtf8
// (stepping one byte) when no valid sequence starts there.
std::uint32_t NextCodePoint(std::string_view bytes, std::size_t& i) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    int length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        ++i;
        return kNotUtf8;
    }
    if (bytes.size() - i < static_cast<std::size_t>(length)) {
        ++i;
        return kNotUtf8;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kNotUtf8;
        }
        code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        ++i;
        return kNotUtf8;
    }
    i += static_cast<std::size_t>(length);
    return code;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();)
        if (NextCodePoint(bytes, i) == kNotUtf8) return false;
    return true;
}

std::string Utf8ToLatin1(std::string_view text, std::size_t& replaced) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t code = NextCodePoint(text, i);
        if (code > 0xFF) ++replaced;
        bytes += code > 0xFF ? '?' : static_cast<char>(code);
    }
    return bytes;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string TextFromFile(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);
}

std::string TextForFile(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

}  // namespace telvor
