#include "pda_user_interface.h"

#include "fixed_dialog_text.h"

namespace telvor {

DialogResult PdaUserInterface::RunFixedDialog(FixedDialog dialog) {
    const FixedDialogText fixed = TextOfFixedDialog(dialog);
    switch (dialog) {
        case FixedDialog::TimeOut:
        case FixedDialog::ChecksumError:
        case FixedDialog::WriteSuccess:
            ShowMessage(fixed.caption, fixed.text, MessageIcon::Information);
            return DialogResult::Ok;
        case FixedDialog::NotLinked:
            ShowMessage("Communication error!!", fixed.text, MessageIcon::Stop);
            return DialogResult::Ok;
        case FixedDialog::ContinueAfterTimeOut:
        case FixedDialog::ContinueToNextStation:
            return Ask(fixed.caption, fixed.text, AskButtons::YesNo, MessageIcon::Question) == Answer::Yes
                       ? DialogResult::Ok
                       : DialogResult::Cancel;
    }
    return DialogResult::Ok;
}

DialogResult PdaUserInterface::RunMonitorMessage(const std::string& text) {
    return monitorFailure_ ? monitorFailure_() : QtUserInterface::RunMonitorMessage(text);
}

}  // namespace telvor
