// Pictures of the handheld edition for the docs: the window with a set read from a
// simulated drive, and its Monitor sheet over a running drive. scripts/screenshots.sh
// runs it under Xvfb.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <deque>

#include "gsm_modbus_ascii.h"
#include "gui_rig.h"
#include "pda_frame.h"
#include "pda_user_interface.h"
#include "sim_line.h"
#include "solvane_app.h"

using namespace telvor;
using namespace telvor::testing;

namespace {

bool Save(QWidget& widget, const QString& path) {
    const bool ok = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString out = argc > 1 ? argv[1] : "docs";
    SimLine sim({"--stations", "1", "--model", "8", "--running", "1=42.5"});
    if (!sim.Started()) return 1;
    CSolvaneApp app;
    PdaUserInterface ui;
    CGSMModbusAscii line;
    app.linkPath = sim.LinkPath();
    std::deque<DialogAnswer> answers;
    ui.SetModalHook([&answers](QDialog& dialog) {
        if (answers.empty()) {
            dialog.done(-1);
            return;
        }
        DialogAnswer answer = std::move(answers.front());
        answers.pop_front();
        answer(dialog);
    });
    CPdaFrame frame(app, ui, line);
    frame.show();
    answers.push_back([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("station")->setText("1");
        Press("Link")(dialog);
    });
    frame.OnLink();
    answers.push_back(Accept());
    frame.OnRead();
    QApplication::processEvents();
    bool ok = Save(frame, out + "/handheld-main.png");

    answers.push_back(Accept());
    answers.push_back([&ok, out](QDialog& sheet) {
        sheet.resize(360, 420);
        QTest::qWait(2000);
        ok = Save(sheet, out + "/handheld-monitor.png") && ok;
        sheet.reject();
    });
    frame.OnMonitor();
    frame.close();
    return ok ? 0 : 1;
}
