#pragma once
// Which parameters of a document were changed: the rows of the "Changed only"
// view, of telvorctl show --changed and of a print of changed parameters only.

#include <string>
#include <vector>

#include "solvane_doc.h"

namespace telvor {

// A parameter counts as changed when its Setting differs from the Default of the
// document's model and 50/60 Hz choice. Protected parameters never count: b89
// (the drive's model), b94, b96 and b97 (the drive's identity and records) and
// the line parameters b77..b83, which every drive of a line sets its own way. A
// comparison has no settings of its own: nothing in it counts.
bool CountsAsChanged(const CSolvaneDoc& doc, int codeIndex);

// The code indexes that count as changed, in slot order.
std::vector<int> ChangedCodeIndexes(const CSolvaneDoc& doc);

// "12 of 111 changed".
std::string ChangedCountText(const CSolvaneDoc& doc);

}  // namespace telvor
