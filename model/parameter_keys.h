#pragma once
// The three keys of a parameter: its code text ("A02", "b95"), its code index
// (Axx is xx, bxx is 100 + xx) and its slot in a ParameterSet (A00..A12 are
// 0..12, b00..b97 are 13..110).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace telvor {

inline constexpr int kParameterCount = 111;
inline constexpr int kBasicCount = 13;      // A00..A12
inline constexpr int kAdvancedCount = 98;   // b00..b97
inline constexpr int kSetSize = 300;        // slots 111..299 hold no parameter
inline constexpr int kNoParameter = -1;

// Raw values of one drive or one file, indexed by slot.
using ParameterSet = std::array<std::int32_t, kSetSize>;

bool IsParameterCodeIndex(int codeIndex);

// "A%02d" for 0..12, "b%02d" of codeIndex - 100 for 100..197, empty otherwise.
std::string CodeText(int codeIndex);

// 100 when the first character is 'b', else 0, plus the two digits; kNoParameter
// when the text is not a letter and two digits or names no parameter.
int CodeIndexOfText(std::string_view text);

int CodeIndexOfSlot(int slot);       // kNoParameter for slots 111..299 and beyond
int SlotOfCodeIndex(int codeIndex);  // kNoParameter for indexes that name no parameter

}  // namespace telvor
