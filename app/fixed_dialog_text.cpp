#include "fixed_dialog_text.h"

#include "user_interface.h"

namespace telvor {

FixedDialogText TextOfFixedDialog(FixedDialog dialog) {
    switch (dialog) {
        case FixedDialog::TimeOut:
            return {"Communication Message", "TIME-OUT !!", {"&Quit"}};
        case FixedDialog::ChecksumError:
            return {"Communication Message", "Check Sum Error !!", {"&Quit"}};
        case FixedDialog::NotLinked:
            return {"Communication Message", "Varnox Not Link With PC !!", {"&Quit"}};
        case FixedDialog::ContinueAfterTimeOut:
            return {kWriteMessageCaption,
                    "Communication Error !!\nContinue to Next Station ?",
                    {"&Continue", "&Abort"}};
        case FixedDialog::ContinueToNextStation:
            return {kWriteMessageCaption, "Continue to Next Station ?", {"&Continue", "&Abort"}};
        case FixedDialog::WriteSuccess:
            return {kWriteMessageCaption, "Write Parameter Successfully !!", {"OK"}};
    }
    return {};
}

bool ConfirmFactoryReset(UserInterface& ui, std::int32_t value) {
    const char* question = value == 10 ? "Code: b95\nReset to factory default (50 Hz)?"
                                       : "Code: b95\nReset to factory default (60 Hz)?";
    return ui.Ask(kWriteMessageCaption, question, AskButtons::YesNo, MessageIcon::Warning) == Answer::Yes;
}

}  // namespace telvor
