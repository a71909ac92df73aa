// The handheld program against telvor-sim: its link on its own serial line, its
// messages, its file flavour and its Module Status.

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QPointer>
#include <QTimer>

#include "document_file.h"
#include "gsm_modbus_ascii.h"
#include "find_goto_dialog.h"
#include "gui_rig.h"
#include "handheld_changed_only_test.h"
#include "handheld_rig.h"
#include "monitor_sheet.h"
#include "pda_frame.h"
#include "pda_user_interface.h"
#include "sim_line.h"
#include "solvane_app.h"
#include "solvane_view.h"
#include "whole_file.h"

namespace telvor::testing {

class HandheldShellTest : public QObject {
    Q_OBJECT
private slots:
    void messagesTellTimeOutAndChecksumErrorApart() {
        SimLine sim({"--stations", "1", "--model", "8"});
        QVERIFY(sim.Started());
        HandheldRig rig(sim.LinkPath());
        rig.frame->OnRead();
        QCOMPARE(rig.shown, QStringList{"Communication error!!|Varnox Not Link With PC !!"});

        rig.shown.clear();
        rig.Link("1");
        QVERIFY(rig.app.Link().linked);
        QCOMPARE(rig.shown, QStringList{"Link"});

        const struct {
            const char* fault;
            QString message;
        } cases[] = {
            {"fault 1 silent", "Communication Message|TIME-OUT !!"},
            {"fault 1 bad-lrc 3", "Communication Message|Check Sum Error !!"},
        };
        for (const auto& c : cases) {
            QVERIFY(sim.Control("clear 1"));
            QVERIFY(sim.Control(c.fault));
            rig.shown.clear();
            rig.answers.push_back(Accept());
            rig.frame->OnRead();
            QCOMPARE(rig.shown, (QStringList{"Read", c.message}));
        }
        QVERIFY(sim.Control("clear 1"));
        rig.shown.clear();
        rig.answers.push_back([&rig](QDialog& dialog) {
            QCOMPARE(rig.Field(dialog, "model"), QString("KRV-075-43"));
            QCOMPARE(rig.Field(dialog, "linkStatus"), QString("Linking, STOP"));
            QCOMPARE(rig.Field(dialog, "direction"), QString("FWD >>"));
            QCOMPARE(rig.Field(dialog, "station"), QString("001"));
            dialog.accept();
        });
        rig.frame->OnModuleStatus();
        QCOMPARE(rig.shown, QStringList{"Module Status"});
    }

    void monitorSheetPollsUntilTheDriveFallsSilentAndNoUnlinks() {
        SimLine sim({"--stations", "1", "--model", "8", "--running", "1=30"});
        QVERIFY(sim.Started());
        HandheldRig rig(sim.LinkPath());
        rig.frame->OnMonitor();
        QCOMPARE(rig.shown, QStringList{"Communication error!!|Varnox Not Link With PC !!"});

        rig.Link("1");
        QVERIFY(rig.app.Link().linked);
        rig.shown.clear();
        QStringList pages;
        rig.answers.push_back(Accept());
        rig.answers.push_back([&](QDialog& dialog) {
            auto& sheet = static_cast<CINVMonSheet&>(dialog);
            for (int i = 0; i < sheet.Pages()->count(); ++i) pages << sheet.Pages()->tabText(i);
            // Polls run while the sheet is open; then the drive stops answering.
            QTRY_COMPARE_WITH_TIMEOUT(sheet.findChild<QLabel*>("runState")->text(), QString("RUN"), 5000);
            QVERIFY(sim.Control("fault 1 silent"));
        });
        rig.answers.push_back(PressStandard(QMessageBox::No));
        rig.frame->OnMonitor();
        QCOMPARE(pages, (QStringList{"CURRENT", "CONTROL", "TM2 Status"}));
        QCOMPARE(rig.shown, (QStringList{"Monitor", "Monitor",
                                         "Monitor Message|Communication error!!Station: 001\nTo continue... (Yes/No?)"}));
        QVERIFY(!rig.app.Link().linked);
        QVERIFY(!rig.line.IsOpen());
        QVERIFY(!rig.app.Link().monitorOpen);
    }

    void yesToTheMonitorQuestionReopensThePortAndPollingGoesOn() {
        SimLine sim({"--stations", "1", "--model", "8", "--running", "1=30"});
        QVERIFY(sim.Started());
        HandheldRig rig(sim.LinkPath());
        rig.Link("1");
        QVERIFY(rig.app.Link().linked);
        rig.shown.clear();
        rig.answers.push_back(Accept());
        QPointer<QDialog> sheet;
        rig.answers.push_back([&sim, &sheet](QDialog& dialog) {
            sheet = &dialog;
            QTRY_COMPARE_WITH_TIMEOUT(dialog.findChild<QLabel*>("runState")->text(), QString("RUN"), 5000);
            QVERIFY(sim.Control("fault 1 silent"));
        });
        rig.answers.push_back([&sim, &sheet](QDialog& question) {
            QVERIFY(sim.Control("clear 1"));
            PressStandard(QMessageBox::Yes)(question);
            // Polls on the reopened port are answered again; then the user closes the sheet.
            QTimer::singleShot(1500, sheet, [&sheet] { sheet->reject(); });
        });
        rig.frame->OnMonitor();
        QCOMPARE(rig.shown.size(), 3);
        QVERIFY(rig.app.Link().linked);
        QVERIFY(rig.line.IsOpen());
    }

    void findAndGoToAreDialogsOfTheirOwnAndCompareFilesUseDotButtons() {
        HandheldRig rig("");
        rig.frame->ShowSearch(false);
        CFindGotoDialog* search = rig.frame->View()->FindGotoDialog();
        QVERIFY(search && search->isVisible());
        QCOMPARE(search->windowTitle(), QString("Go to"));
        QVERIFY(search->Tabs()->isHidden());
        rig.frame->ShowSearch(true);
        QCOMPARE(search->windowTitle(), QString("Find"));

        QStringList buttons;
        rig.answers.push_back([&buttons](QDialog& dialog) {
            for (QPushButton* button : dialog.findChildren<QPushButton*>()) buttons << button->text();
            dialog.reject();
        });
        rig.frame->Action(32776)->trigger();
        QCOMPARE(buttons.count("..."), 2);
        QVERIFY(!rig.app.Link().modalBusy);
    }

    void savedFileIsTheHandheldFlavourAndOpensOnTheDesktop() {
        const std::string folder = MakeTempFolder();
        HandheldRig rig("");
        rig.app.Document()->stationTitles[0] = "Pump \u00e4";
        const QString path = QString::fromStdString(folder + "/pocket.vx3");
        rig.answers.push_back([path](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(path);
            dialog.accept();
        });
        QVERIFY(rig.frame->OnFileSaveAs());
        const WholeFile saved = ReadWholeFile(path.toStdString());
        QCOMPARE(saved.bytes, DocumentFileBytes(*rig.app.Document(), FileFlavour::Handheld));
        QVERIFY(saved.bytes.rfind("Varnox Ver:1.0.060502\nParameter\n", 0) == 0);
        QVERIFY(saved.bytes.find("Pump \xe4\n") != std::string::npos);
        const DocumentReadResult desktop = ReadDocumentFile(path.toStdString());
        QVERIFY(desktop.ok);
        QCOMPARE(desktop.doc.stationTitles[0], std::string("Pump \u00e4"));

        rig.answers.push_back([&rig](QDialog& dialog) {
            QCOMPARE(rig.Field(dialog, "linkStatus"), QString("Unlink"));
            QCOMPARE(rig.Field(dialog, "station"), QString("-----------"));
            QCOMPARE(rig.Field(dialog, "version"), QString());
            dialog.accept();
        });
        rig.frame->OnModuleStatus();
        RemoveFolder(folder);
    }
};

}  // namespace telvor::testing

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    telvor::testing::HandheldShellTest test;
    telvor::testing::HandheldChangedOnlyTest changedOnly;
    const int failures = QTest::qExec(&test, argc, argv);
    return failures + QTest::qExec(&changedOnly, argc, argv);
}

#include "handheld_shell_test.moc"
