#pragma once
// The online-edit commit: after a Setting cell's new value was stored in the
// document, write it to the drive, with the b95 confirmation and the undo.

#include <cstdint>

namespace telvor {

class CSolvaneApp;
class UserInterface;

struct OnlineEdit {
    int codeIndex = 0;
    std::int32_t newValue = 0;       // already stored in the document
    std::int32_t previousValue = 0;  // put back when the edit is undone
    int station = 0;                 // 0: the current station (the grid); else the Definite dialog's station
    bool documentWasModified = true; // the document's modified flag before the edit, put back by an undo
};

enum class OnlineEditResult {
    NotSent,  // online edit off or not linked: only the cell is refreshed
    Written,  // the drive took the value (b95 is then 0 in the document)
    Undone,   // refused, answered No, or the write failed: the previous value is back
};

OnlineEditResult CommitOnlineEdit(CSolvaneApp& app, UserInterface& ui, const OnlineEdit& edit);

}  // namespace telvor
