#pragma once
// Texts in files carry no declared code page. We write UTF-8; a line that is not
// valid UTF-8 is read as Latin-1, one byte one character, as the handheld writes it.

#include <string>
#include <string_view>

namespace telvor {

bool IsValidUtf8(std::string_view bytes);
std::string Latin1ToUtf8(std::string_view bytes);

// A text as read from a file line, in UTF-8.
std::string TextFromFile(std::string_view bytes);
// A text as written to a file line: every CR and LF becomes a space.
std::string TextForFile(std::string_view text);
// A UTF-8 text as the handheld writes it: one byte per character. A character that
// one byte cannot hold (and a byte that is not UTF-8) becomes "?", counted in `replaced`.
std::string Utf8ToLatin1(std::string_view text, std::size_t& replaced);

}  // namespace telvor
