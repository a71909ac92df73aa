#pragma once
// Raw value <-> text conversions, the range check and the Setting-cell editor rule.

#include <cstdint>
#include <string>
#include <string_view>

namespace telvor {

// "%d", "%03d", one or two decimal places: 50 (format 2) is "5.0", 6000 (format 3) is "60.00".
std::string FormatRawValue(int valueFormat, std::int64_t raw);

// The raw value of a text the Setting-cell editor accepted: "12" in format 2 is 120,
// "1.5" in format 3 is 150. An empty text gives 0.
std::int32_t ParseValueText(int valueFormat, std::string_view text);

// True when the raw value may be stored: b96 and b97 take anything, b95 only 0, 10, 20.
bool CheckRange(int codeIndex, std::int64_t raw);

// The message shown when CheckRange fails, caption kRangeMessageCaption.
std::string RangeMessage(int codeIndex);
inline constexpr const char* kRangeMessageCaption = "Error Message";

// Whether the text may stand in the Setting-cell editor of a parameter of this
// format and editor width.
bool AcceptsEditText(int valueFormat, int editorWidth, std::string_view text);

}  // namespace telvor
