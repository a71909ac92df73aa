#include "monitor_input.h"

#include <algorithm>

#include "monitor_texts.h"
#include "parameter_catalogue.h"
#include "parameter_keys.h"
#include "value_format.h"

namespace telvor {
namespace {

constexpr const char* kOverRange = "Over Range !!\n\n";
constexpr const char* kRangeValue = "Range Value: ";

bool FitsFrequencyForm(std::string_view text) {
    std::size_t point = text.find('.');
    std::size_t before = point == std::string_view::npos ? text.size() : point;
    std::size_t after = point == std::string_view::npos ? 0 : text.size() - point - 1;
    return before <= 3 && after <= 2;
}

}  // namespace

CheckedInput CheckFrequencyInput(const StationMonitor& station, std::string_view text) {
    CheckedInput input;
    const std::optional<std::int32_t> raw = ParseStrictValueText(kFormatTwoDecimals, kMonitorEditLimit, text);
    input.raw = raw.value_or(0);
    if (!raw || input.raw < station.lowLimit || input.raw > station.highLimit) {
        input.message = std::string(kOverRange) + kRangeValue + "\nA03: " +
                        FormatRawValue(kFormatTwoDecimals, station.lowLimit) + " Hz ~ \nA02: " +
                        FormatRawValue(kFormatTwoDecimals, station.highLimit) + " Hz";
        return input;
    }
    input.shownText = TwoDecimalText(input.raw);
    return input;
}

CheckedInput CheckSetDataInput(int codeIndex, std::string_view text, SetDataMessageForm form) {
    CheckedInput input;
    if (IsProtected(codeIndex)) {
        input.message = ReadOnlyMessage(codeIndex);
        return input;
    }
    const int format = ValueFormatOf(codeIndex);
    const ParameterLimits limits = LimitsOf(codeIndex);
    const bool isReset = codeIndex == kCodeB95;
    const std::optional<std::int32_t> raw = ParseParameterValue(codeIndex, text);
    input.raw = raw.value_or(0);
    if (!raw && form == SetDataMessageForm::Grid) {
        input.message = RangeMessage(codeIndex);
        return input;
    }
    if (!raw) {
        std::string minimum = FormatRawValue(format, limits.minimum);
        std::string maximum = FormatRawValue(format, limits.maximum);
        input.message = std::string(kOverRange) + "Code: " + CodeText(codeIndex) + "\n\n" + kRangeValue + minimum +
                        (isReset ? ", 10, " : "~") + maximum;
        return input;
    }
    input.shownText = FormatRawValue(format, input.raw);
    return input;
}

FilteredEdit FilterFrequencyEdit(std::string_view accepted, std::string_view edited, int caret) {
    caret = std::clamp(caret, 0, static_cast<int>(edited.size()));
    FilteredEdit result;
    bool pointSeen = false;
    for (int i = 0; i < static_cast<int>(edited.size()); ++i) {
        char c = edited[static_cast<std::size_t>(i)];
        bool keep = (c >= '0' && c <= '9') || (c == '.' && !pointSeen);
        if (c == '.' && keep) pointSeen = true;
        if (keep) {
            result.text += c;
        } else if (i < caret) {
            --result.caret;
        }
    }
    result.caret += caret;
    if (!FitsFrequencyForm(result.text)) {
        // The change is undone; the caret stays where it was made.
        int typed = static_cast<int>(edited.size()) - static_cast<int>(accepted.size());
        result.text = std::string(accepted);
        result.caret = std::clamp(caret - std::max(typed, 0), 0, static_cast<int>(accepted.size()));
    }
    return result;
}

}  // namespace telvor
