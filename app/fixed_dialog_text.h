#pragma once
// Captions, texts and buttons of the fixed message dialogs.

#include <string>
#include <vector>

#include "message_sink.h"

namespace telvor {

struct FixedDialogText {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // the first ends the dialog with Ok, "&Abort" with Cancel
};

FixedDialogText TextOfFixedDialog(FixedDialog dialog);

}  // namespace telvor
