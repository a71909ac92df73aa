#pragma once
// Raw value <-> text conversions, the range check and the Setting-cell editor rule.

#include <cstdint>
#include <optional>
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

// The one reading of a text whose value goes to a drive: a text with at least one
// digit that the Setting-cell editor of this format and width would hold, as its raw
// value. Nothing for any other text: empty, signed, "12,5", "1e3", "0x10", letters,
// blanks, too many digits or places.
std::optional<std::int32_t> ParseStrictValueText(int valueFormat, int editorWidth, std::string_view text);

// A parameter's value on its way to a drive: the strict text of its own Setting-cell
// editor, then CheckRange. Nothing when either fails (the caller shows a range message).
std::optional<std::int32_t> ParseParameterValue(int codeIndex, std::string_view text);

// "Code: A02\nValue: 300.00\nRange Value: 1.00~200.00": a value that fails CheckRange,
// named with its code and in its display format, below kOverRangeText.
std::string ValueOutOfRangeText(int codeIndex, std::int64_t raw);
inline constexpr const char* kOverRangeText = "Over Range !!\n\n";

// The message of a protected parameter that was to be sent: "b77 is read-only."
std::string ReadOnlyMessage(int codeIndex);

}  // namespace telvor
