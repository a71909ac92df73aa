#pragma once
// Captions, texts and buttons of the fixed message dialogs.

#include <cstdint>
#include <string>
#include <vector>

#include "message_sink.h"

namespace telvor {

class UserInterface;

inline constexpr const char* kWriteMessageCaption = "Write Message";

struct FixedDialogText {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // the first ends the dialog with Ok, "&Abort" with Cancel
};

FixedDialogText TextOfFixedDialog(FixedDialog dialog);

// b95's question before a factory reset is sent (10: 50 Hz, 20: 60 Hz), captioned
// kWriteMessageCaption with Yes and No; true when the answer is Yes.
bool ConfirmFactoryReset(UserInterface& ui, std::int32_t value);

}  // namespace telvor
