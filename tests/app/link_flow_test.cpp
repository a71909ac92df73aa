#include "link_flow.h"

#include <gtest/gtest.h>

#include "flow_rig.h"
#include "status_panes.h"

namespace telvor {
namespace {

using testing::CapacityFrame;
using testing::EchoFrame;
using testing::FlowRig;
using testing::VersionFrame;
using Frames = std::vector<std::string>;
using Shown = std::vector<std::string>;

TEST(LinkFlow, ScanRemovesSilentStationsAndLinksTheFirstThatAnswers) {
    FlowRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    EXPECT_TRUE(rig.Link("1-3"));

    EXPECT_EQ(rig.NewFrames(), (Frames{EchoFrame(1), EchoFrame(1), EchoFrame(2), EchoFrame(2), EchoFrame(3),
                                       VersionFrame(3), CapacityFrame(3)}));
    const LinkState& link = rig.app.Link();
    EXPECT_TRUE(link.linked);
    EXPECT_EQ(link.currentStation, 3);
    EXPECT_EQ(link.stationList, (std::vector<int>{0, 0, 3}));
    EXPECT_EQ(link.stationCount, 1);
    EXPECT_FALSE(link.stationScan);
    EXPECT_FALSE(link.modalBusy);
    EXPECT_TRUE(rig.app.Modbus().IsOpen());

    EXPECT_EQ(rig.ui.shown, (Shown{"progress Station_001 ... ... ...", "progress Station_002 ... ... ...",
                                   "progress Station_003 ... ... ..."}));
    ASSERT_EQ(rig.ui.progressWindows.size(), 1u);
    EXPECT_TRUE(rig.ui.progressWindows[0]->cancellable);
    EXPECT_EQ(rig.ui.progressWindows[0]->maximum, 3);
    EXPECT_EQ(rig.ui.progressWindows[0]->position, 3);
    EXPECT_TRUE(rig.ui.progressWindows[0]->closed);
    // Twice before each station, twice after the first attempt at 1 and 2, twice after removing them.
    EXPECT_EQ(rig.ui.drains, 2 * 3 + 2 * 2 + 2 * 2);

    EXPECT_EQ(VersionPaneText(link), "Ver: 1.2");
    EXPECT_EQ(StationPaneText(link), "Linking  003");
    EXPECT_EQ(ModelPaneText(link, false), "Model: KRV-075-43");
}

TEST(LinkFlow, SingleStationAnsweringTheSecondEchoLinks) {
    FlowRig rig({"--stations", "5", "--fault", "5:every=2"});
    ASSERT_TRUE(rig.sim.Started());
    EXPECT_TRUE(rig.Link("5"));
    // Every transaction is repeated once: the station answers every second request. The
    // repeated version read leaves the station out of step, so an echo of fresh data
    // (repeated too) goes before the capacity read.
    const Frames frames = rig.NewFrames();
    ASSERT_EQ(frames.size(), 8u);
    EXPECT_EQ(Frames(frames.begin(), frames.begin() + 4),
              (Frames{EchoFrame(5), EchoFrame(5), VersionFrame(5), VersionFrame(5)}));
    EXPECT_TRUE(frames[4].starts_with(":05080000") && frames[4] != EchoFrame(5)) << frames[4];
    EXPECT_EQ(frames[5], frames[4]);
    EXPECT_EQ(Frames(frames.begin() + 6, frames.end()), (Frames{CapacityFrame(5), CapacityFrame(5)}));
    EXPECT_TRUE(rig.ui.shown.empty());
    EXPECT_EQ(rig.app.Link().currentStation, 5);
    EXPECT_TRUE(rig.ui.progressWindows.empty());
}

struct FailedLinkCase {
    const char* name;
    std::vector<std::string> sim;
    std::string stationText;
    Frames frames;
    Shown shown;
};

class FailedLink : public ::testing::TestWithParam<FailedLinkCase> {};

TEST_P(FailedLink, EndsUnlinkedWithThePortClosed) {
    const FailedLinkCase& c = GetParam();
    FlowRig rig(c.sim);
    ASSERT_TRUE(rig.sim.Started());
    EXPECT_FALSE(rig.Link(c.stationText));
    EXPECT_EQ(rig.NewFrames(), c.frames);
    Shown messages;
    for (const auto& entry : rig.ui.shown)
        if (entry.rfind("progress ", 0) != 0) messages.push_back(entry);
    EXPECT_EQ(messages, c.shown);
    EXPECT_FALSE(rig.app.Link().linked);
    EXPECT_FALSE(rig.app.Link().modalBusy);
    EXPECT_FALSE(rig.app.Link().stationScan);
    EXPECT_FALSE(rig.app.Modbus().IsOpen());
    EXPECT_EQ(StationPaneText(rig.app.Link()), "No station linked");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedLink,
    ::testing::Values(
        FailedLinkCase{"SilentSingleStation", {"--stations", "1"}, "7", {EchoFrame(7), EchoFrame(7), EchoFrame(7)},
                       {"dialog 155"}},
        FailedLinkCase{"ScanWithoutAnswer", {"--stations", "5"}, "1-2",
                       {EchoFrame(1), EchoFrame(1), EchoFrame(2), EchoFrame(2)}, {}},
        FailedLinkCase{"EmptySelection", {"--stations", "1"}, ",", {}, {}},
        FailedLinkCase{"ChecksumOnEveryReply",
                       {"--stations", "1", "--fault", "1:bad-lrc=9"},
                       "1",
                       {EchoFrame(1), EchoFrame(1), EchoFrame(1)},
                       {"dialog 261"}},
        FailedLinkCase{"ScanStopsAtBadReplyAndTheVersionReadFails",
                       {"--stations", "1,3", "--fault", "1:bad-lrc=5"},
                       "1-3",
                       {EchoFrame(1), EchoFrame(1), VersionFrame(1), VersionFrame(1), VersionFrame(1)},
                       {"dialog 261"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinkFlow, ChecksumErrorEndsTheScanAtThatStation) {
    FlowRig rig({"--stations", "1,3", "--model", "2", "--fault", "1:bad-lrc=2"});
    ASSERT_TRUE(rig.sim.Started());
    EXPECT_TRUE(rig.Link("1-3"));
    // Station 3 is never asked: the bad reply of station 1 ends the scan, and the
    // version read (now answered well) decides.
    EXPECT_EQ(rig.NewFrames(), (Frames{EchoFrame(1), EchoFrame(1), VersionFrame(1), CapacityFrame(1)}));
    EXPECT_EQ(rig.app.Link().currentStation, 1);
    EXPECT_EQ(rig.app.Link().stationList, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rig.app.Link().currentModel, 2);
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog"), Shown{});
}

TEST(LinkFlow, CancelDuringTheScanStopsBeforeTheNextEcho) {
    FlowRig rig({"--stations", "5"});
    ASSERT_TRUE(rig.sim.Started());
    rig.ui.cancelAtText = "Station_002 ... ... ...";
    EXPECT_FALSE(rig.Link("1-5"));
    EXPECT_EQ(rig.NewFrames(), (Frames{EchoFrame(1), EchoFrame(1)}));
    EXPECT_EQ(rig.ui.shown,
              (Shown{"progress Station_001 ... ... ...", "progress Station_002 ... ... ...", "cancel"}));
    EXPECT_TRUE(rig.app.Link().scanCancel);
    EXPECT_FALSE(rig.app.Link().stationScan);
    EXPECT_FALSE(rig.app.Link().linked);
    EXPECT_FALSE(rig.app.Modbus().IsOpen());
    EXPECT_EQ(rig.app.cancelProgressWindow, nullptr);
    EXPECT_TRUE(rig.ui.progressWindows[0]->cancelled);
}

TEST(LinkFlow, PortThatCannotBeOpenedIsReported) {
    FlowRig rig({"--stations", "1"});
    rig.app.linkPath = rig.sim.Folder() + "/no-such-line";
    EXPECT_FALSE(rig.Link("1"));
    EXPECT_EQ(rig.ui.shown, (Shown{"message Communication Message|Communication error!!\nCan not open COM port!"}));
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

TEST(LinkFlow, LinkCommandDoesNothingWhileAScanRuns) {
    CSolvaneApp app;
    app.Link().stationScan = true;
    EXPECT_FALSE(BeginLinkCommand(app));
    EXPECT_FALSE(app.Link().modalBusy);
}

TEST(LinkFlow, DialogStartsWithTheSettingsAndTheCurrentStation) {
    CSolvaneApp app;
    app.Settings().comPort = 3;
    app.Settings().baudRate = 9600;
    app.Link().currentStation = 17;
    std::optional<LinkDialogData> data = BeginLinkCommand(app);
    ASSERT_TRUE(data);
    EXPECT_TRUE(app.Link().modalBusy);
    EXPECT_EQ(data->line.comPort, 3);
    EXPECT_EQ(data->line.baudRate, 9600);
    EXPECT_EQ(data->stationText, "17");
    EXPECT_FALSE(data->linked);
}

TEST(LinkFlow, ShownLineSettingsNormaliseUnknownValues) {
    LineSettings shown = ShownLineSettings({2, 0, 5, 7, 1});
    EXPECT_EQ(shown.comPort, 2);
    EXPECT_EQ(shown.baudRate, 38400);
    EXPECT_EQ(shown.dataBits, 8);
    EXPECT_EQ(shown.parity, 0);
    EXPECT_EQ(shown.stopBits, 0);
    LineSettings kept = ShownLineSettings({1, 4800, 7, 1, 2});
    EXPECT_EQ(kept.baudRate, 4800);
    EXPECT_EQ(kept.dataBits, 7);
    EXPECT_EQ(kept.parity, 1);
    EXPECT_EQ(kept.stopBits, 2);
}

TEST(LinkFlow, LinkStoresTheLineFormatAndUnlinkClosesThePort) {
    FlowRig rig({"--stations", "2"});
    ASSERT_TRUE(rig.sim.Started());
    std::optional<LinkDialogData> data = BeginLinkCommand(rig.app);
    ASSERT_TRUE(data);
    data->line = {4, 0, 8, 0, 0};
    data->stationText = "2";
    EXPECT_TRUE(FinishLinkCommand(rig.app, rig.ui, LinkDialogAction::Link, *data));
    EXPECT_EQ(rig.app.Settings().comPort, 4);
    EXPECT_EQ(rig.app.Settings().baudRate, 38400);

    rig.app.Link().monitorOpen = true;
    data = BeginLinkCommand(rig.app);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->linked);
    EXPECT_FALSE(FinishLinkCommand(rig.app, rig.ui, LinkDialogAction::Unlink, *data));
    EXPECT_FALSE(rig.app.Link().linked);
    EXPECT_FALSE(rig.app.Link().monitorOpen);
    EXPECT_FALSE(rig.app.Link().modalBusy);
    EXPECT_FALSE(rig.app.Modbus().IsOpen());
    EXPECT_EQ(rig.ui.monitorCloses, 1);

    // Unlink once more: the port's own message.
    data = BeginLinkCommand(rig.app);
    FinishLinkCommand(rig.app, rig.ui, LinkDialogAction::Unlink, *data);
    EXPECT_EQ(rig.ui.shown.back(), "message VarnoxLink|method called when device is not open!");
}

}  // namespace
}  // namespace telvor
