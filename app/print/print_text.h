#pragma once
// Cutting texts for the printed page; lengths count characters, not bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace telvor {

// The first `count` characters of a UTF-8 text (all of it when it is shorter).
std::string FirstCharacters(std::string_view text, std::size_t count);

// A description longer than 54 characters prints as its first 51 and "...".
std::string CutDescription(std::string_view text);

}  // namespace telvor
