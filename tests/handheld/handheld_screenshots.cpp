// Pictures of the handheld edition for the docs: the 480 x 640 window with a set read
// from a simulated drive and one row's description under the grid, and the CURRENT
// and CONTROL pages of its Monitor sheet over a running drive. scripts/screenshots.sh
// runs it under Xvfb.

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "handheld_rig.h"
#include "monitor_sheet.h"
#include "parameter_keys.h"
#include "parameter_table_model.h"
#include "solvane_view.h"
#include "sim_line.h"

using namespace telvor;
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
    // A tap on b09's Setting: its whole description shows under the grid.
    CSolvaneView& view = *rig.frame->View();
    view.setCurrentIndex(view.Model()->index(view.Model()->RowOfCodeIndex(CodeIndexOfText("b09")), kSettingColumn));
    QApplication::processEvents();
    bool ok = SaveScreenshot(*rig.frame, out + "/handheld-main.png");

    rig.answers.push_back(Accept());
    rig.answers.push_back([&ok, out](QDialog& dialog) {
        auto& sheet = static_cast<CINVMonSheet&>(dialog);
        QTest::qWait(2000);
        ok = SaveScreenshot(sheet, out + "/handheld-monitor.png") && ok;
        sheet.Pages()->setCurrentIndex(1);
        QTest::qWait(500);
        ok = SaveScreenshot(sheet, out + "/handheld-monitor-control.png") && ok;
        sheet.reject();
    });
    rig.frame->OnMonitor();
    rig.frame->close();
    return ok ? 0 : 1;
}
