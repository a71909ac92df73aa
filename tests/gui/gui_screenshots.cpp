// Pictures of the desktop program for the docs and the manual: Model Select, the
// main window with a set read from a simulated drive and its Changed only view, the Link, Read and Write
// dialogs, a range message, About, a printed page, the Definite parameter dialog,
// a compare document, the station titles, the two monitor windows and the trend
// of a drive that runs up, trips and reverses. Drives the
// real widgets the way gui_tests does; scripts/screenshots.sh runs it under Xvfb.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "command_table.h"
#include "definite_rules.h"
#include "grid_edit.h"
#include "gui_rig.h"
#include "modbus_ascii.h"
#include "model_select_dialog.h"
#include "pdf_export.h"
#include "mon_multi_dialog.h"
#include "mon_single_dialog.h"
#include "monitor_panel.h"
#include "monitor_windows.h"
#include "station_title_dialog.h"
#include "sim_line.h"
#include "trend_chart.h"
#include "trend_panel.h"

using namespace telvor;
using namespace telvor::testing;

namespace {

// Grabs the dialog once it is painted, then answers it.
DialogAnswer GrabThen(const QString& path, bool* ok, DialogAnswer answer) {
    return [path, ok, answer](QDialog& dialog) {
        dialog.adjustSize();
        QApplication::processEvents();
        *ok = SaveScreenshot(dialog, path) && *ok;
        answer(dialog);
    };
}

void Tick(MonitorWindows& monitor, int ticks) {
    for (int i = 0; i < ticks; ++i) {
        QTest::qWait(CMainFrame::kTimerPeriodMs);
        monitor.Poll();
        QApplication::processEvents();
    }
}

// The station titles, the single-station window and the monitor-all window over
// a line of three running drives.
bool MonitorPictures(const QString& out) {
    SimLine line({"--stations", "1-3", "--station-model", "1=8", "--running", "1=50", "--running", "2=32.5",
                  "--running", "3=12"});
    if (!line.Started()) return false;
    line.Control("register 1 230 33");    // running, S1 on
    line.Control("register 3 230 4099");  // running, RY1 and reverse
    line.Control("register 2 240 10");    // OL1
    bool ok = true;
    GuiRig rig(line.LinkPath());
    rig.Link("1");
    rig.NewDocument(8, true);
    rig.answers.push_back([&](QDialog& dialog) {
        auto& titles = static_cast<CStationTitleDialog&>(dialog);
        const char* names[] = {"Infeed conveyor", "Mixer drive", "Kiln fan"};
        for (int i = 0; i < 3; ++i) titles.Row(i)->setText(names[i]);
        dialog.adjustSize();
        QApplication::processEvents();
        ok = SaveScreenshot(dialog, out + "/station-title-dialog.png") && ok;
        dialog.accept();
    });
    rig.frame->Action(ID_STATION_TITLE)->trigger();

    MonitorWindows& monitor = *rig.frame->Monitor();
    rig.answers.push_back(Accept());
    rig.frame->Action(ID_MONITOR)->trigger();
    if (CMonSingleDialog* single = monitor.SingleWindow()) {
        Tick(monitor, 5);
        ok = SaveScreenshot(*single, out + "/monitor-single.png") && ok;
        single->close();
        QApplication::processEvents();
    } else {
        ok = false;
    }
    rig.answers.push_back([](QDialog& dialog) {
        for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
            if (radio->text() == "All Station:") radio->click();
        dialog.findChild<QLineEdit*>("stations")->setText("1-3");
        dialog.accept();
    });
    rig.frame->Action(ID_MONITOR)->trigger();
    if (CMonMultiDialog* all = monitor.MultiWindow()) {
        // As wide as a 1024 x 768 screen, once its texts are laid out.
        QApplication::processEvents();
        all->resize(1024, std::min(768, all->sizeHint().height()));
        Tick(monitor, 3);
        ok = SaveScreenshot(*all, out + "/monitor-all.png") && ok;
        all->close();
    } else {
        ok = false;
    }
    rig.answers.push_back(PressStandard(QMessageBox::No));  // the save question at close
    rig.frame->close();
    return ok && rig.unexpected == 0 && rig.answers.empty();
}

// The single-station window's trend over a minute of a drive on the
// simulator: run up to 30 Hz, on to 50 Hz, an OC trip, the reset, reverse and stop,
// with the cursor on the run at 50 Hz.
bool TrendPicture(const QString& out) {
    SimLine line({"--stations", "1", "--model", "8"});
    if (!line.Started()) return false;
    GuiRig rig(line.LinkPath());
    rig.Link("1");
    rig.StopTimer();
    rig.answers.push_back(Accept());
    rig.frame->Action(ID_MONITOR)->trigger();
    MonitorWindows& monitor = *rig.frame->Monitor();
    CMonSingleDialog* single = monitor.SingleWindow();
    if (!single) return false;
    single->resize(1180, 560);
    MonitorPanel& panel = *single->Panel();
    TrendPanel& trend = *single->Trend();
    trend.findChild<QComboBox*>("span")->setCurrentIndex(0);
    trend.Chart()->SetSpan(TrendPanel::kSpans[0]);
    trend.findChild<QCheckBox*>("showSetFrequency")->setChecked(true);
    trend.findChild<QCheckBox*>("showBusVoltage")->setChecked(true);
    auto frequency = [&](const char* text) {
        panel.findChild<QLineEdit*>("frequency")->setText(text);
        panel.Button("frequencySet")->click();
    };
    Tick(monitor, 5);
    frequency("30");
    panel.Button("RUN")->click();
    Tick(monitor, 25);
    frequency("50");
    Tick(monitor, 20);
    const double atFifty = trend.Record().LastSeconds();
    Tick(monitor, 5);
    line.Control("register 1 240 2");  // OC
    Tick(monitor, 15);
    panel.Button("reset")->click();
    panel.Button("REV")->click();
    Tick(monitor, 28);
    panel.Button("STOP")->click();
    Tick(monitor, 25);
    trend.Chart()->SetCursor(atFifty);
    QApplication::processEvents();
    const bool ok = SaveScreenshot(*single, out + "/monitor-trend.png");
    single->close();
    QApplication::processEvents();
    rig.frame->close();
    return ok && rig.unexpected == 0 && rig.answers.empty();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWheelScrollLines(3);
    const QString out = argc > 1 ? QString(argv[1]) : QString("docs");
    QDir().mkpath(out);
    const std::string config = MakeTempFolder();
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    SimLine sim({"--stations", "1-3", "--station-model", "1=8", "--station-model", "2=3", "--station-model", "3=10"});
    if (!sim.Started()) {
        std::fprintf(stderr, "gui_screenshots: telvor-sim did not start\n");
        return 1;
    }
    // A drive that has been set up for its machine, not just factory defaults.
    for (const auto& [code, value] : {std::pair{4, 85}, {5, 120}, {2, 5500}, {101, 30}, {110, 4400}})
        sim.Control("register 1 " + std::to_string(RegisterOfParameter(code)) + " " + std::to_string(value));

    bool ok = true;
    {
        GuiRig rig(sim.LinkPath());
        rig.frame->resize(1280, 800);
        rig.frame->showMaximized();
        rig.answers.push_back(GrabThen(out + "/model-select.png", &ok, [](QDialog& dialog) {
            static_cast<CModelType&>(dialog).ModelList()->setCurrentIndex(8);
            dialog.accept();
        }));
        rig.frame->OnFileNew();
        rig.answers.push_back(GrabThen(out + "/link-dialog.png", &ok, [](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("station")->setText("1");
            Press("&Link")(dialog);
        }));
        rig.frame->OnLink();
        rig.answers.push_back(GrabThen(out + "/read-dialog.png", &ok, Accept()));
        rig.frame->Action(ID_READ)->trigger();
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        QApplication::processEvents();
        rig.frame->Action(ID_READ)->showStatusText(rig.frame.get());
        QApplication::processEvents();
        ok = SaveScreenshot(*rig.frame, out + "/main-window.png") && ok;
        // The same set with only what differs from the factory defaults.
        rig.frame->Action(ID_VIEW_CHANGED_ONLY)->trigger();
        rig.frame->Action(ID_VIEW_CHANGED_ONLY)->showStatusText(rig.frame.get());
        QApplication::processEvents();
        ok = SaveScreenshot(*rig.frame, out + "/changed-only.png") && ok;
        rig.frame->Action(ID_VIEW_CHANGED_ONLY)->trigger();

        // The set as a commissioning record: page 1 of its PDF becomes print-page.png.
        CSolvaneDoc& doc = *rig.app.Document();
        doc.titleBlock = {"Conveyor line 2, main drive", "Harbour Mill Works", "J. Rivera", "1.0", "2026-12-09",
                          "Read from station 1 after commissioning.",
                          "Acceleration and deceleration set for the loaded belt.", ""};
        PdfRequest record;
        record.paper = QPageSize::A4;
        ok = ExportPrintPdf(doc, record, (out + "/print-page.pdf").toStdString()).ok && ok;

        rig.answers.push_back(GrabThen(out + "/range-message.png", &ok, PressStandard(QMessageBox::Ok)));
        TypeIntoSetting(*rig.frame, 4, "0");
        rig.answers.push_back(GrabThen(out + "/write-dialog.png", &ok, Reject()));
        rig.frame->Action(ID_WRITE)->trigger();
        rig.answers.push_back(GrabThen(out + "/about.png", &ok, Accept()));
        rig.frame->Action(ID_APP_ABOUT)->trigger();

        rig.app.Settings().definite = DefiniteListOf({2, 4, 5, 101, 110});
        rig.answers.push_back(GrabThen(out + "/definite-dialog.png", &ok, Press("&Close")));
        rig.frame->Action(ID_DEFINITE_PARAMETER)->trigger();

        // The drive on station 1 against the 50 Hz defaults of its model.
        rig.answers.push_back(Accept());
        rig.answers.push_back(PressStandard(QMessageBox::No));  // the save question of the read set
        rig.frame->Action(ID_COMPARE_INVERTER_DEFAULT)->trigger();
        QApplication::processEvents();
        ok = SaveScreenshot(*rig.frame, out + "/compare-document.png") && ok;
        rig.answers.push_back(PressStandard(QMessageBox::No));  // the save question at close
        rig.frame->close();
        if (rig.unexpected != 0 || !rig.answers.empty()) ok = false;
    }
    ok = MonitorPictures(out) && ok;
    ok = TrendPicture(out) && ok;
    RemoveFolder(config);
    return ok ? 0 : 1;
}
