// Link, Read and online edit through the main window against telvor-sim on a pty.

#include <filesystem>
#include <fstream>

#include <QDialogButtonBox>
#include <QLabel>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "command_table.h"
#include "grid_edit.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "modbus_ascii.h"
#include "monitor_session.h"
#include "monitor_windows.h"
#include "parameter_table_model.h"
#include "progress_windows.h"
#include "ser2net_server.h"
#include "sim_line.h"
#include "station_range.h"

namespace telvor::testing {
namespace {

// The frames the simulator received after the first `from`.
std::vector<std::string> FramesAfter(const SimLine& sim, std::size_t from) {
    std::vector<std::string> frames = sim.Frames();
    return {frames.begin() + std::min(from, frames.size()), frames.end()};
}

}  // namespace

class LinkReadTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetProgressWindowWatcher({}); }

    void linkOverOneToThreeFindsTheOnlyDriveAtThree() {
        SimLine sim({"--stations", "3", "--model", "8"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        QStringList windows;
        SetProgressWindowWatcher([&](ProgressWindow& window) { windows << window.objectName(); });
        rig.Link("1-3");
        QCOMPARE(rig.shown, QStringList{"Link"});
        QCOMPARE(windows, QStringList{"CancelProgress"});
        QVERIFY(rig.app.Link().linked);
        QCOMPARE(rig.app.Link().currentStation, 3);
        QCOMPARE(rig.frame->Pane(1)->text(), QString("Ver: 1.2"));
        QCOMPARE(rig.frame->Pane(2)->text(), QString("Linking  003"));
        QCOMPARE(rig.frame->Pane(3)->text(), QString("Model: KRV-075-43"));
        QVERIFY(rig.frame->Action(ID_READ)->isEnabled());
        QVERIFY(!rig.app.Link().modalBusy);

        // Linked, the dialog offers only Unlink and Close; Unlink ends the link.
        rig.answers.push_back([](QDialog& dialog) {
            QVERIFY(!dialog.findChild<QLineEdit*>("station")->isEnabled());
            Press("&Unlink")(dialog);
        });
        rig.frame->Action(ID_LINK)->trigger();
        QVERIFY(!rig.app.Link().linked);
        QCOMPARE(rig.frame->Pane(2)->text(), QString("No station linked"));
        QCOMPARE(rig.unexpected, 0);
    }

    void aSilentStationShowsTimeOut() {
        SimLine sim({"--stations", "2"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("5", {Press("&Quit")});
        QCOMPARE(rig.shown, (QStringList{"Link", "Communication Message|TIME-OUT !!"}));
        QVERIFY(!rig.app.Link().linked);
        QCOMPARE(sim.Frames().size(), std::size_t{3});
        QCOMPARE(sim.Frames()[0], EchoFrame(5));
    }

    void cancelStopsAScanOfAllStations() {
        SimLine sim({"--stations", "254"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        QPointer<ProgressWindow> scan;
        SetProgressWindowWatcher([&](ProgressWindow& window) {
            scan = &window;
            // Pressed while the scan drains events between its echo tests.
            QTimer::singleShot(0, &window, [&window] { window.CancelButton()->click(); });
        });
        rig.answers.push_back([](QDialog& dialog) {
            for (QRadioButton* b : dialog.findChildren<QRadioButton*>())
                if (b->text() == "All of the Inverter") b->click();
            Press("&Link")(dialog);
        });
        QElapsedTimer clock;
        clock.start();
        rig.frame->OnLink();
        QVERIFY(clock.elapsed() < 20000);  // far less than 254 silent stations
        QCOMPARE(rig.shown, QStringList{"Link"});
        QVERIFY(!rig.app.Link().linked);
        QVERIFY(!rig.app.Link().stationScan);
        QVERIFY(!rig.app.Link().modalBusy);
        QVERIFY(sim.Frames().size() < 10);
        QTRY_VERIFY(scan.isNull());
        QVERIFY(rig.frame->Action(ID_LINK)->isEnabled());
    }

    void readFillsTheGrid() {
        SimLine sim({"--stations", "3", "--model", "9"});
        QVERIFY(sim.Started());
        QVERIFY(sim.Control("register 3 " + std::to_string(RegisterOfParameter(4)) + " 123"));
        GuiRig rig(sim.LinkPath());
        rig.Link("3");
        QVERIFY(rig.app.Link().linked);
        QStringList windows;
        SetProgressWindowWatcher([&](ProgressWindow& window) { windows << window.objectName(); });
        rig.answers.push_back(Accept());  // Read from station 3, both groups
        rig.frame->Action(ID_READ)->trigger();
        QCOMPARE(rig.shown, (QStringList{"Link", "Read"}));
        QCOMPARE(windows, QStringList{"Progress"});
        QVERIFY(rig.app.Document());
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("12.3"));
        QCOMPARE(CellText(*rig.frame, 189, kSettingColumn), QString("009"));
        QCOMPARE(CellText(*rig.frame, 196, kSettingColumn), QString("1.2"));
        QCOMPARE(CellText(*rig.frame, 8, kDefaultColumn), QString("440.0"));
        QCOMPARE(rig.frame->Pane(3)->text(), QString("Model: KRV-150-43"));
        QVERIFY(rig.app.Document()->modified);
        QCOMPARE(sim.Frames().size(), std::size_t{1 + 2 + 2 + 111});  // echo, version, capacity; then the read
        QCOMPARE(rig.unexpected, 0);
    }

    // COM1 is a serial device server (ser2net in front of the simulator) speaking RFC 2217.
    void linkReadAndWriteThroughASerialDeviceServer() {
        SimLine sim({"--stations", "3", "--model", "9"});
        QVERIFY(sim.Started());
        QVERIFY(sim.Control("register 3 " + std::to_string(RegisterOfParameter(4)) + " 123"));
        GuiRig rig;
        TempDir serverFolder;
        Ser2netServer server;
        QVERIFY2(server.Start(serverFolder, sim.LinkPath()), "ser2net (Debian package ser2net) did not start");
        std::filesystem::create_directories(rig.Folder() + "/ports");
        std::ofstream(rig.Folder() + "/ports/COM1") << server.Rfc2217Address() << "\n";

        QString leads;
        rig.answers.push_back([&leads](QDialog& dialog) {
            leads = dialog.findChild<QLabel*>("portLeads")->text();
            Press("&Close")(dialog);
        });
        rig.frame->OnLink();
        QVERIFY2(leads.startsWith("RFC 2217 to 127.0.0.1:"), qPrintable(leads));
        rig.shown.clear();
        rig.Link("3");
        QVERIFY(rig.app.Link().linked);
        QCOMPARE(rig.frame->Pane(3)->text(), QString("Model: KRV-150-43"));

        rig.answers.push_back(Accept());  // Read from station 3, both groups
        rig.frame->Action(ID_READ)->trigger();
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("12.3"));
        const std::size_t before = sim.Frames().size();
        rig.answers.push_back(Accept());  // Write to station 3
        rig.frame->Action(ID_WRITE)->trigger();
        QCOMPARE(rig.shown, (QStringList{"Link", "Read", "Write"}));
        QVERIFY(sim.Frames().size() > before + 99);

        // The monitor's polls take the same way: a fault set at the drive reaches the window.
        QVERIFY(sim.Control("register 3 240 10"));
        rig.StopTimer();
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_MONITOR)->trigger();
        MonitorWindows& monitor = *rig.frame->Monitor();
        QVERIFY(monitor.SingleWindow());
        for (int tick = 0; tick < 10 && monitor.Session().Station(3).faultCode != 10; ++tick) monitor.Poll();
        QCOMPARE(monitor.Session().Station(3).faultCode, std::uint16_t{10});
        QCOMPARE(rig.unexpected, 0);
    }

    void aWriteToSeveralStationsEndsWithASummaryAndTheLastStationsOwnPanes() {
        SimLine sim({"--stations", "3,5", "--model", "8", "--station-model", "5=2"});
        QVERIFY(sim.Started());
        QVERIFY(sim.Control("register 5 44 15"));
        GuiRig rig(sim.LinkPath());
        rig.Link("3");
        rig.NewDocument(8, true);
        rig.answers.push_back([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("station")->setText("3,5");
            dialog.accept();
        });
        rig.answers.push_back(Accept());  // station 5 is of another model
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_WRITE)->trigger();
        QCOMPARE(rig.shown.mid(2), (QStringList{"Write", "Error Message|Parameter b89: Inverter Horse Power Capacity Error !",
                                                "Write Message|Write Summary:\nStation_003 OK 99 written\n"
                                                "Station_005 FAILED 0 written"}));
        QCOMPARE(rig.frame->Pane(1)->text(), QString("Ver: 1.5"));
        QCOMPARE(rig.frame->Pane(2)->text(), QString("Linking  005"));
        QCOMPARE(rig.frame->Pane(3)->text(), QString("Model: KRV-075-11"));
        QCOMPARE(rig.unexpected, 0);
    }

    void onlineEditWritesOneFrameAndB95AsksFirst() {
        SimLine sim({"--stations", "3", "--model", "8"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("3");
        QVERIFY(rig.app.Link().linked);
        rig.NewDocument(8, true);
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();

        std::size_t before = sim.Frames().size();
        rig.answers.push_back(Press("OK"));
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "7"));
        Settle();
        QCOMPARE(rig.shown.last(), QString("Write Message|Write Parameter Successfully !!"));
        QCOMPARE(FramesAfter(sim, before), std::vector<std::string>{WriteFrame(3, 4, 70)});
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("7.0"));

        // b95 asks before anything is sent; No puts the old value back.
        before = sim.Frames().size();
        rig.answers.push_back(PressStandard(QMessageBox::No));
        QVERIFY(TypeIntoSetting(*rig.frame, 195, "10"));
        Settle();
        QCOMPARE(rig.shown.last(), QString("Write Message|Code: b95\nReset to factory default (50 Hz)?"));
        QVERIFY(FramesAfter(sim, before).empty());
        QCOMPARE(CellText(*rig.frame, 195, kSettingColumn), QString("0"));
        QCOMPARE(rig.app.Document()->sets[0][SlotOfCodeIndex(195)], 0);

        // Yes writes it; the drive resets, so the document shows 0 again.
        rig.answers.push_back(PressStandard(QMessageBox::Yes));
        rig.answers.push_back(Press("OK"));
        QVERIFY(TypeIntoSetting(*rig.frame, 195, "20"));
        Settle();
        QCOMPARE(rig.shown.value(rig.shown.size() - 2), QString("Write Message|Code: b95\nReset to factory default (60 Hz)?"));
        QCOMPARE(FramesAfter(sim, before), std::vector<std::string>{WriteFrame(3, 195, 20)});
        QCOMPARE(CellText(*rig.frame, 195, kSettingColumn), QString("0"));

        // Setting b95 to 0 changes nothing on the line.
        before = sim.Frames().size();
        QVERIFY(TypeIntoSetting(*rig.frame, 195, "0"));
        Settle();
        QVERIFY(FramesAfter(sim, before).empty());
        QCOMPARE(rig.unexpected, 0);
    }

    // OK with a text that names no station strictly keeps the Write dialog open with
    // a message naming the text; nothing reaches the line.
    void writeDialogRefusesATextThatNamesNoStation() {
        SimLine sim({"--stations", "1,2,12", "--model", "8"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.NewDocument(8, true);
        const std::size_t before = sim.Frames().size();
        const QStringList texts{"", "255", "0", "1 2", "2O", "abc"};
        rig.answers.push_back([&texts](QDialog& dialog) {
            auto* station = dialog.findChild<QLineEdit*>("station");
            QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            for (const QString& text : texts) {
                station->setText(text);
                ok->click();
                QVERIFY(dialog.isVisible());
                QCOMPARE(station->selectedText(), text);
            }
            dialog.reject();
        });
        for (int i = 0; i < texts.size(); ++i) rig.answers.push_back(PressStandard(QMessageBox::Ok));
        rig.frame->Action(ID_WRITE)->trigger();
        QStringList expected{"Write"};
        for (const QString& text : texts)
            expected << "Write Message|" + QString::fromStdString(StationTextMessage(text.toStdString()));
        QCOMPARE(rig.shown.mid(rig.shown.size() - expected.size()), expected);
        QCOMPARE(sim.Frames().size(), before);
        QCOMPARE(rig.unexpected, 0);
    }

    void aFailedOnlineWriteUndoesTheEdit() {
        SimLine sim({"--stations", "3", "--model", "8"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("3");
        rig.NewDocument(8, true);
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        QVERIFY(sim.Control("fault 3 silent"));
        rig.answers.push_back(Press("&Quit"));
        QVERIFY(TypeIntoSetting(*rig.frame, 5, "9"));
        Settle();
        QCOMPARE(rig.shown.last(), QString("Communication Message|TIME-OUT !!"));
        QCOMPARE(CellText(*rig.frame, 5, kSettingColumn), QString("5.0"));
        QCOMPARE(rig.app.Document()->sets[0][5], 50);
        QVERIFY(!rig.app.Document()->modified);
        QCOMPARE(rig.unexpected, 0);
    }
};

static RegisterTest<LinkReadTest> registration;

}  // namespace telvor::testing

#include "link_read_test.moc"
