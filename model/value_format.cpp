#include "value_format.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "parameter_catalogue.h"

namespace telvor {
namespace {

int DecimalPlaces(int valueFormat) {
    switch (valueFormat) {
        case kFormatOneDecimal: return 1;
        case kFormatTwoDecimals: return 2;
        default: return 0;
    }
}

// "Range Value: 0.1~999.0", for b95 "Range Value: 0, 10, 20".
std::string RangeValueLine(int codeIndex) {
    const ParameterLimits limits = LimitsOf(codeIndex);
    const int format = ValueFormatOf(codeIndex);
    const char* joint = codeIndex == kCodeB95 ? ", 10, " : "~";
    return "Range Value: " + FormatRawValue(format, limits.minimum) + joint +
           FormatRawValue(format, limits.maximum);
}

}  // namespace

std::string FormatRawValue(int valueFormat, std::int64_t raw) {
    char text[32];
    const int places = DecimalPlaces(valueFormat);
    if (places == 0) {
        std::snprintf(text, sizeof text, valueFormat == kFormatThreeDigits ? "%03lld" : "%lld",
                      static_cast<long long>(raw));
        return text;
    }
    // The integer part has no leading zeros but at least one digit, the fraction
    // exactly the parameter's places: 5 is "0.5" or "0.05". Values from files are not
    // range-checked, so large and negative values are written out in full as well.
    const long long divisor = places == 1 ? 10 : 100;
    const unsigned long long magnitude =
        raw < 0 ? 0ULL - static_cast<unsigned long long>(raw) : static_cast<unsigned long long>(raw);
    std::snprintf(text, sizeof text, "%s%llu.%0*llu", raw < 0 ? "-" : "", magnitude / divisor, places,
                  magnitude % divisor);
    return text;
}

std::int32_t ParseValueText(int valueFormat, std::string_view text) {
    // Every digit appends to the value; the point adds nothing but pads the fraction
    // to the parameter's places: "12" and "12." in format 2 are 120, "1.5" in format 3 is 150.
    constexpr std::int64_t kCeiling = std::numeric_limits<std::int32_t>::max();
    const int places = DecimalPlaces(valueFormat);
    std::int64_t value = 0;
    bool sawPoint = false;
    int digitsAfterPoint = 0;
    for (char c : text) {
        if (c == '.') {
            sawPoint = true;
        } else if (c >= '0' && c <= '9') {
            value = std::min(value * 10 + (c - '0'), kCeiling);
            if (sawPoint) ++digitsAfterPoint;
        }
    }
    if (!text.empty())
        for (int pad = digitsAfterPoint; pad < places; ++pad) value = std::min(value * 10, kCeiling);
    return static_cast<std::int32_t>(value);
}

bool CheckRange(int codeIndex, std::int64_t raw) {
    const ParameterLimits limits = LimitsOf(codeIndex);
    if (limits.minimum == 0 && limits.maximum == 0) return true;
    if (codeIndex == kCodeB95) return raw == 0 || raw == 10 || raw == 20;
    return raw >= limits.minimum && raw <= limits.maximum;
}

std::string RangeMessage(int codeIndex) {
    return std::string(kOverRangeText) + "Code: " + CodeText(codeIndex) + "\n" + RangeValueLine(codeIndex);
}

std::string ValueOutOfRangeText(int codeIndex, std::int64_t raw) {
    return "Code: " + CodeText(codeIndex) + "\nValue: " + FormatRawValue(ValueFormatOf(codeIndex), raw) +
           "\n" + RangeValueLine(codeIndex);
}

std::string ReadOnlyMessage(int codeIndex) { return CodeText(codeIndex) + " is read-only."; }

bool AcceptsEditText(int valueFormat, int editorWidth, std::string_view text) {
    if (static_cast<int>(text.size()) > editorWidth) return false;
    int before = 0, after = 0;
    bool sawPoint = false;
    for (char c : text) {
        if (c == '.') {
            if (sawPoint) return false;
            sawPoint = true;
        } else if (c >= '0' && c <= '9') {
            (sawPoint ? after : before)++;
        } else {
            return false;
        }
    }
    switch (DecimalPlaces(valueFormat)) {
        case 0: return !sawPoint;
        case 1: return before <= editorWidth - 2 && after <= 1;
        default: return before <= editorWidth - 3 && after <= 2;
    }
}

std::optional<std::int32_t> ParseStrictValueText(int valueFormat, int editorWidth, std::string_view text) {
    const bool hasDigit = text.find_first_of("0123456789") != std::string_view::npos;
    if (!hasDigit || !AcceptsEditText(valueFormat, editorWidth, text)) return std::nullopt;
    return ParseValueText(valueFormat, text);
}

std::optional<std::int32_t> ParseParameterValue(int codeIndex, std::string_view text) {
    if (!FindParameter(codeIndex)) return std::nullopt;
    const std::optional<std::int32_t> raw =
        ParseStrictValueText(ValueFormatOf(codeIndex), LimitsOf(codeIndex).editorWidth, text);
    if (!raw || !CheckRange(codeIndex, *raw)) return std::nullopt;
    return raw;
}

}  // namespace telvor
