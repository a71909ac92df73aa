#pragma once
// What the monitor windows check before they post a request: the frequency
// "Set", the set-data "Set" and the frequency edit's keystroke filter.

#include <cstdint>
#include <string>
#include <string_view>

#include "monitor_tables.h"

namespace telvor {

inline constexpr const char* kMonitorErrorCaption = "Error Message";
inline constexpr int kMonitorEditLimit = 6;  // characters of the frequency and set-data edits

// The raw value of a text and what the edit then shows; a non-empty message
// means refused (shown with kMonitorErrorCaption, nothing is sent).
struct CheckedInput {
    std::int32_t raw = 0;
    std::string shownText;
    std::string message;
    bool declined = false;  // b95's factory-reset question was answered No: nothing is sent
    bool InRange() const { return message.empty(); }
};

// The frequency "Set": a strict two-decimal text of the edit's six characters,
// within the station's A03..A02; any other text gets the range message.
CheckedInput CheckFrequencyInput(const StationMonitor& station, std::string_view text);
// How the set-data range message reads: the monitor window's, with a blank line
// before "Range Value: ", or the grid's two lines "Code: X" and "Range Value: ..."
// (the handheld's).
enum class SetDataMessageForm { Monitor, Grid };

// The set-data "Set" of a parameter: the strict text of its Setting-cell editor,
// within its range (b95 takes only 0, 10 and 20); any other text gets the range
// message, and a protected parameter is refused as read-only.
CheckedInput CheckSetDataInput(int codeIndex, std::string_view text,
                               SetDataMessageForm form = SetDataMessageForm::Monitor);

struct FilteredEdit {
    std::string text;
    int caret = 0;
};
// The frequency edit after a change from `accepted` to `edited` with the caret
// at `caret`: at most three digits before the point and two after it, only
// digits and the first point.
FilteredEdit FilterFrequencyEdit(std::string_view accepted, std::string_view edited, int caret);

}  // namespace telvor
