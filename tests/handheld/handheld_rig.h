#pragma once
// One run of the handheld program in a test or a screenshot: the application, the
// handheld's user interface and line, and its window, with every modal dialog
// answered from a script.

#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <deque>
#include <memory>
#include <string>

#include "gsm_modbus_ascii.h"
#include "gui_rig.h"
#include "pda_frame.h"
#include "pda_user_interface.h"
#include "solvane_app.h"

namespace telvor::testing {

class HandheldRig {
public:
    // linkPath: the device every "COMn:" opens (empty: the program folder's ports).
    explicit HandheldRig(const std::string& linkPath) {
        app.linkPath = linkPath;
        ui.SetModalHook([this](QDialog& dialog) {
            shown << Describe(dialog);
            if (answers.empty()) {
                dialog.done(-1);
                return;
            }
            DialogAnswer answer = std::move(answers.front());
            answers.pop_front();
            answer(dialog);
        });
        frame = std::make_unique<CPdaFrame>(app, ui, line);
    }
    // The Link command with "Single" and the station text.
    void Link(const QString& stations) {
        answers.push_back([stations](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("station")->setText(stations);
            Press("Link")(dialog);
        });
        frame->OnLink();
    }
    // The text of a named edit box or label of a dialog.
    static QString Field(QDialog& dialog, const char* name) {
        if (auto* edit = dialog.findChild<QLineEdit*>(name)) return edit->text();
        return dialog.findChild<QLabel*>(name)->text();
    }

    CSolvaneApp app;
    PdaUserInterface ui;
    CGSMModbusAscii line;
    std::unique_ptr<CPdaFrame> frame;
    std::deque<DialogAnswer> answers;
    QStringList shown;
};

}  // namespace telvor::testing
