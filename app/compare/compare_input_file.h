#pragma once
// The compare dialogs' parameter-file reader: a file slot of File with File or
// Files with Default, and loading a parameter file into it.

#include <string>

#include "compare_document.h"

namespace telvor {

class UserInterface;

struct CompareFileSlot {
    bool loaded = false;
    std::string path;      // shown in the slot's edit box
    std::string fileName;  // the last path component, the column's caption
    RowFlags present{};    // the file's present byte per slot
    ParameterSet values{};
};

// Loads a parameter file into the slot. A file that cannot be opened, is not a
// parameter file (a compare file among them) or ends early is reported through
// the user interface and leaves the slot as it was. The model and frequency the
// file names are not taken: a comparison uses those chosen in its dialog.
bool LoadCompareSlot(CompareFileSlot& slot, const std::string& path, UserInterface& ui);

}  // namespace telvor
