// Pictures of the handheld edition for the docs: the window with a set read from a
// simulated drive, and its Monitor sheet over a running drive. scripts/screenshots.sh
// runs it under Xvfb.

#include <QApplication>
#include <QTest>

#include "handheld_rig.h"
#include "sim_line.h"

using namespace telvor::testing;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString out = argc > 1 ? argv[1] : "docs";
    SimLine sim({"--stations", "1", "--model", "8", "--running", "1=42.5"});
    if (!sim.Started()) return 1;
    HandheldRig rig(sim.LinkPath());
    rig.frame->show();
    rig.Link("1");
    rig.answers.push_back(Accept());
    rig.frame->OnRead();
    QApplication::processEvents();
    bool ok = SaveScreenshot(*rig.frame, out + "/handheld-main.png");

    rig.answers.push_back(Accept());
    rig.answers.push_back([&ok, out](QDialog& sheet) {
        sheet.resize(360, 420);
        QTest::qWait(2000);
        ok = SaveScreenshot(sheet, out + "/handheld-monitor.png") && ok;
        sheet.reject();
    });
    rig.frame->OnMonitor();
    rig.frame->close();
    return ok ? 0 : 1;
}
