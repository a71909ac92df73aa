#pragma once
// The Setting-cell edit of a parameter document as one function: whether an edit
// may start, and what ending it with a text does to the document.

#include <string>
#include <string_view>

#include "solvane_doc.h"

namespace telvor {

// A protected parameter is never edited; b95 only in online edit with a station linked.
bool CanEditSetting(int codeIndex, bool onlineEditLinked);

enum class SettingEditOutcome {
    Stored,       // the value is in set 1 and the document is modified
    Unchanged,    // the text equals the cell's text: nothing stored
    NotEditable,  // CanEditSetting refused the edit
    Rejected,     // empty, or a text the editor would not hold (characters, width, places)
    OutOfRange,   // CheckRange failed
};

struct SettingEditResult {
    SettingEditOutcome outcome = SettingEditOutcome::Rejected;
    std::string message;  // the range message for Rejected and OutOfRange; nothing is stored
};

// The text shown in the Setting cell: empty for b96 and b97 unless the document was linked.
std::string SettingCellText(const CSolvaneDoc& doc, int codeIndex);

// Ends an edit of the Setting cell of codeIndex with text, as the grid does.
SettingEditResult EditSetting(CSolvaneDoc& doc, int codeIndex, std::string_view text, bool onlineEditLinked);

}  // namespace telvor
