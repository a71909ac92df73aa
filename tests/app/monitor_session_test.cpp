#include "monitor_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "flow_rig.h"
#include "monitor_paging.h"
#include "monitor_texts.h"
#include "parameter_catalogue.h"
#include "read_flow.h"
#include "transactions.h"

namespace telvor {
namespace {

using testing::FlowRig;
using testing::RegisterFrame;
constexpr auto Frame = testing::StationFrame;
using Frames = std::vector<std::string>;
using Shown = std::vector<std::string>;

Frames PollFrames(int station, int codeIndex = 0) {
    return {Frame(&CModbusAscii::ReadFrequencyLimits, station), Frame(&CModbusAscii::ReadMonitorValues, station),
            Frame(&CModbusAscii::ReadStatusWords, station), testing::ReadFrame(station, codeIndex)};
}

struct MonitorRig : FlowRig, MonitorListener {
    explicit MonitorRig(const std::string& stations, const std::string& linkText)
        : FlowRig({"--stations", stations, "--model", "8"}), session(app, ui) {
        session.SetListener(this);
        linked = sim.Started() && Link(linkText);
        NewFrames();
        ui.shown.clear();
    }
    void MonitorRefreshed() override {
        ++refreshes;
        if (duringPoll) std::exchange(duringPoll, nullptr)();
    }
    void StationTakenOff(int station) override { takenOff.push_back(station); }

    MonitorSession session;
    bool linked = false;
    int refreshes = 0;
    std::vector<int> takenOff;
    std::function<void()> duringPoll;
};

TEST(MonitorSession, SingleStartAndOneTickSendTheirFramesAndFillTheTables) {
    MonitorRig rig("3", "3");
    ASSERT_TRUE(rig.linked);
    rig.sim.Control("register 3 8 4100");
    rig.sim.Control("register 3 240 5");
    ASSERT_TRUE(rig.session.StartSingle(3));
    EXPECT_EQ(rig.NewFrames(), (Frames{testing::VersionFrame(3), testing::CapacityFrame(3)}));
    EXPECT_TRUE(rig.app.Link().monitorOpen);
    EXPECT_EQ(rig.app.Link().currentModel, 8);

    rig.session.ChooseFunction(3, EntryOfCodeIndex(kCodeB89));
    rig.session.TimerTick();
    EXPECT_EQ(rig.NewFrames(), PollFrames(3, kCodeB89));
    EXPECT_TRUE(rig.ui.shown.empty());
    const StationMonitor& station = rig.session.Station(3);
    EXPECT_EQ(station.highLimit, 4100);
    EXPECT_EQ(DisplayOf(station).fault, " B.B.");
    EXPECT_EQ(DisplayOf(station).functionData, "008");
    EXPECT_EQ(rig.refreshes, 1 + 3);
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

TEST(MonitorSession, ControlButtonsComposeOneControlWordWrite) {
    MonitorRig rig("3", "3");
    ASSERT_TRUE(rig.linked);
    ASSERT_TRUE(rig.session.StartSingle(3));
    rig.session.TimerTick();
    rig.NewFrames();

    rig.session.PressCommand(3, CommandRun);
    rig.session.PressCommand(3, CommandReverse);
    rig.session.RunRequests();
    EXPECT_EQ(rig.NewFrames(), (Frames{Frame(&CModbusAscii::ReadControlWord, 3), RegisterFrame(3, 230, 0x0003)}));

    // S1 is off: the toggle sets bit 5; once the drive reports it on, the toggle clears it.
    rig.session.PressToggle(3, TerminalS1);
    rig.session.RunRequests();
    EXPECT_EQ(rig.NewFrames(), (Frames{Frame(&CModbusAscii::ReadControlWord, 3), RegisterFrame(3, 230, 0x0023)}));
    rig.session.TimerTick();
    ASSERT_TRUE(rig.session.Station(3).terminals[TerminalS1]);
    rig.NewFrames();
    rig.session.PressToggle(3, TerminalS1);
    rig.session.PressCommand(3, CommandStop);
    rig.session.RunRequests();
    EXPECT_EQ(rig.NewFrames(), (Frames{Frame(&CModbusAscii::ReadControlWord, 3), RegisterFrame(3, 230, 0x0002)}));
    EXPECT_TRUE(rig.ui.shown.empty());
}

TEST(MonitorSession, OutOfRangeInputShowsItsMessageAndSendsNothing) {
    MonitorRig rig("3", "3");
    ASSERT_TRUE(rig.linked);
    rig.sim.Control("register 3 8 6000");
    ASSERT_TRUE(rig.session.StartSingle(3));
    rig.session.TimerTick();
    rig.NewFrames();
    EXPECT_FALSE(rig.session.PressFrequencySet(3, "70.00").InRange());
    rig.session.ChooseFunction(3, EntryOfCodeIndex(kCodeB95));
    EXPECT_FALSE(rig.session.PressSetData(3, "5").InRange());
    rig.session.RunRequests();
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_EQ(rig.ui.shown,
              (Shown{"message Error Message|Over Range !!\n\nRange Value: \nA03: 0.00 Hz ~ \nA02: 60.00 Hz",
                     "message Error Message|Over Range !!\n\nCode: b95\n\nRange Value: 0, 10, 20"}));

    EXPECT_TRUE(rig.session.PressFrequencySet(3, "45.5").InRange());
    rig.session.RunRequests();
    EXPECT_EQ(rig.NewFrames(), Frames{RegisterFrame(3, 231, 4550)});
}

// "Set data" asks the grid's question before a factory reset, refuses a protected
// parameter, and writes the parameter and value it was pressed with, whatever
// "Fun. no." shows when the request runs.
TEST(MonitorSession, SetDataAsksBeforeAResetAndKeepsItsParameter) {
    MonitorRig rig("3", "3");
    ASSERT_TRUE(rig.linked);
    ASSERT_TRUE(rig.session.StartSingle(3));
    rig.session.TimerTick();
    rig.NewFrames();
    rig.ui.shown.clear();

    rig.session.ChooseFunction(3, EntryOfCodeIndex(kCodeB95));
    rig.ui.answers = {Answer::No, Answer::Yes};
    EXPECT_TRUE(rig.session.PressSetData(3, "10").declined);
    rig.session.RunRequests();
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_FALSE(rig.session.PressSetData(3, "20").declined);
    rig.session.RunRequests();
    EXPECT_EQ(rig.NewFrames(), Frames{testing::WriteFrame(3, kCodeB95, 20)});

    rig.session.ChooseFunction(3, EntryOfCodeIndex(177));  // b77, the station address
    EXPECT_FALSE(rig.session.PressSetData(3, "5").InRange());
    rig.session.ChooseFunction(3, EntryOfCodeIndex(4));
    EXPECT_TRUE(rig.session.PressSetData(3, "7.5").InRange());
    rig.session.ChooseFunction(3, EntryOfCodeIndex(5));
    rig.session.RunRequests();
    EXPECT_EQ(rig.NewFrames(), Frames{testing::WriteFrame(3, 4, 75)});
    EXPECT_EQ(rig.ui.shown, (Shown{"ask Write Message|Code: b95\nReset to factory default (50 Hz)?",
                                   "ask Write Message|Code: b95\nReset to factory default (60 Hz)?",
                                   "message Error Message|b77 is read-only."}));
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

TEST(MonitorSession, ButtonPressedDuringAPollIsCarriedOutAfterIt) {
    MonitorRig rig("3", "3");
    ASSERT_TRUE(rig.linked);
    ASSERT_TRUE(rig.session.StartSingle(3));
    rig.NewFrames();
    rig.duringPoll = [&rig] {
        rig.session.PressCommand(3, CommandRun);
        rig.session.RunRequests();  // the click's own handler finds the poll busy
    };
    rig.session.TimerTick();
    Frames expected = PollFrames(3);
    expected.push_back(Frame(&CModbusAscii::ReadControlWord, 3));
    expected.push_back(RegisterFrame(3, 230, 0x0001));
    EXPECT_EQ(rig.NewFrames(), expected);
    EXPECT_FALSE(rig.session.RequestsWaiting());
}

TEST(MonitorSession, ScanFindsAStationOnItsSecondEchoAndOpensItsPage) {
    MonitorRig rig("1-3,254", "1");
    ASSERT_TRUE(rig.linked);
    rig.sim.Control("fault 2 every 2");
    rig.sim.Control("fault 3 silent");
    ASSERT_TRUE(rig.session.StartAll({2, 3, 254}));
    EXPECT_EQ(rig.NewFrames(), (Frames{testing::EchoFrame(2), testing::EchoFrame(2), testing::EchoFrame(3),
                                       testing::EchoFrame(3), testing::EchoFrame(254)}));
    ASSERT_EQ(rig.ui.progressWindows.size(), 1u);
    EXPECT_EQ(rig.ui.progressWindows[0]->texts,
              (Shown{"Station_002 ... ... ...", "Station_002 ... ... ...", "Station_003 ... ... ...",
                     "Station_254 ... ... ..."}));
    EXPECT_TRUE(rig.ui.progressWindows[0]->closed);
    EXPECT_TRUE(rig.session.Station(2).present);
    EXPECT_FALSE(rig.session.Station(3).present);
    EXPECT_EQ(rig.session.Page(), 0);
    EXPECT_EQ(rig.app.Link().currentStation, 254);
    EXPECT_FALSE(rig.app.Link().stationScan);

    rig.session.ShowPage(FirstPageOf(254));
    rig.session.TimerTick();
    EXPECT_EQ(rig.NewFrames(), PollFrames(254));
}

TEST(MonitorSession, CancelDuringTheScanOpensNoWindow) {
    MonitorRig rig("1-3", "1");
    ASSERT_TRUE(rig.linked);
    rig.ui.cancelAtText = "Station_002 ... ... ...";
    EXPECT_FALSE(rig.session.StartAll({1, 2, 3}));
    EXPECT_EQ(rig.NewFrames(), Frames{testing::EchoFrame(1)});
    EXPECT_EQ(rig.session.Window(), MonitorWindow::None);
    EXPECT_FALSE(rig.app.Link().monitorOpen);
    EXPECT_FALSE(rig.app.Link().stationScan);
    EXPECT_TRUE(rig.session.Station(1).present);
}

TEST(MonitorSession, TimeOutContinueKeepsPollingAbortEndsByWindow) {
    struct Case {
        bool all;
        DialogResult answer;
        bool linkedAfter;
        MonitorWindow windowAfter;
    };
    for (const Case& c : {Case{false, DialogResult::Ok, true, MonitorWindow::Single},
                          Case{false, DialogResult::Cancel, false, MonitorWindow::None},
                          Case{true, DialogResult::Cancel, true, MonitorWindow::All}}) {
        MonitorRig rig("1-2", "1-2");
        ASSERT_TRUE(rig.linked);
        ASSERT_TRUE(c.all ? rig.session.StartAll({1, 2}) : rig.session.StartSingle(1));
        rig.sim.Control("fault 1 silent");
        rig.NewFrames();
        rig.ui.shown.clear();
        rig.ui.dialogAnswers = {c.answer};
        rig.session.TimerTick();
        Frames limits(kTransactionAttempts, Frame(&CModbusAscii::ReadFrequencyLimits, 1));
        EXPECT_EQ(rig.NewFrames(), limits) << "a failed limits read ends the tick";
        EXPECT_EQ(rig.ui.shown, Shown{"monitor-message Communication error!!\nStation: 001"});
        EXPECT_EQ(rig.app.Link().linked, c.linkedAfter);
        EXPECT_EQ(rig.app.Modbus().IsOpen(), c.linkedAfter);
        EXPECT_EQ(rig.session.Window(), c.windowAfter);
        EXPECT_FALSE(rig.app.Link().modalBusy);
        if (!c.all) continue;
        EXPECT_EQ(rig.takenOff, std::vector<int>{1});
        rig.session.TimerTick();
        EXPECT_EQ(rig.NewFrames(), PollFrames(2)) << "only station 1 is off the poll";
    }
}

// The adapter is pulled out while a station is monitored, then plugged in again: after
// "Continue" the monitor goes on, and so does a Read, without Unlink and Link.
TEST(MonitorSession, AfterAReplugContinueKeepsMonitoringWithoutLinkingAgain) {
    namespace fs = std::filesystem;
    const std::vector<std::string> line = {"--stations", "1", "--model", "8"};
    const std::string folder = testing::MakeTempFolder();
    const std::string adapter = folder + "/adapter";
    auto before = std::make_unique<testing::SimLine>(line);
    ASSERT_TRUE(before->Started());
    fs::create_symlink(fs::read_symlink(before->LinkPath()), adapter);
    CSolvaneApp app;
    ScriptedUserInterface ui;
    MonitorSession session(app, ui);
    app.linkPath = adapter;
    std::optional<LinkDialogData> data = BeginLinkCommand(app);
    ASSERT_TRUE(data && FinishLinkCommand(app, ui, LinkDialogAction::Link, *data));
    ASSERT_TRUE(session.StartSingle(1));

    before.reset();
    fs::remove(adapter);
    ui.dialogAnswers = {DialogResult::Ok};
    session.TimerTick();
    EXPECT_EQ(ui.shown, (Shown{std::string("message ") + kApplicationTitle + "|" + kReopenFailedMessage,
                               "monitor-message Communication error!!\nStation: 001"}));

    testing::SimLine after(line);
    ASSERT_TRUE(after.Started());
    ASSERT_TRUE(after.Control("register 1 8 4100"));
    fs::create_symlink(fs::read_symlink(after.LinkPath()), adapter);
    ui.shown.clear();
    session.TimerTick();
    EXPECT_EQ(ui.shown, Shown{});
    EXPECT_EQ(session.Station(1).highLimit, 4100);
    EXPECT_TRUE(app.Link().linked);
    EXPECT_TRUE(ReadAllParameters(app, ui, 1, {}).ok);
    EXPECT_TRUE(ui.ShownStartingWith("message").empty());
    EXPECT_TRUE(ui.ShownStartingWith("dialog").empty());
    testing::RemoveFolder(folder);
}

}  // namespace
}  // namespace telvor
