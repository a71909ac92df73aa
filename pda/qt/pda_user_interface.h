#pragma once
// The handheld's UserInterface: the desktop's dialogs and windows, but the
// handheld's message boxes in place of the fixed message dialogs, and files saved
// in the handheld's flavour.

#include <functional>

#include "qt_user_interface.h"

namespace telvor {

class PdaUserInterface : public QtUserInterface {
    Q_OBJECT
public:
    using QtUserInterface::QtUserInterface;

    DialogResult RunFixedDialog(FixedDialog dialog) override;
    FileFlavour SavedFileFlavour() const override { return FileFlavour::Handheld; }
    // The monitor's time-out: the handheld asks its own question (the handler).
    DialogResult RunMonitorMessage(const std::string& text) override;
    void SetMonitorFailureHandler(std::function<DialogResult()> handler) { monitorFailure_ = std::move(handler); }

private:
    std::function<DialogResult()> monitorFailure_;
};

}  // namespace telvor
