#pragma once
// The handheld's UserInterface: the desktop's dialogs and windows, but the
// handheld's message boxes in place of the fixed message dialogs, and files saved
// in the handheld's flavour.

#include "qt_user_interface.h"

namespace telvor {

class PdaUserInterface : public QtUserInterface {
    Q_OBJECT
public:
    using QtUserInterface::QtUserInterface;

    DialogResult RunFixedDialog(FixedDialog dialog) override;
    FileFlavour SavedFileFlavour() const override { return FileFlavour::Handheld; }
};

}  // namespace telvor
