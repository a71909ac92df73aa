#include "fixed_dialog_text.h"

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
            return {"Write Message", "Communication Error !!\nContinue to Next Station ?", {"&Continue", "&Abort"}};
        case FixedDialog::ContinueToNextStation:
            return {"Write Message", "Continue to Next Station ?", {"&Continue", "&Abort"}};
        case FixedDialog::WriteSuccess:
            return {"Write Message", "Write Parameter Successfully !!", {"OK"}};
    }
    return {};
}

}  // namespace telvor
