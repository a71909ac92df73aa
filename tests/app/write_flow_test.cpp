#include "write_flow.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "flow_rig.h"
#include "modbus_ascii.h"
#include "parameter_catalogue.h"
#include "read_flow.h"
#include "station_range.h"
#include "status_panes.h"
#include "value_format.h"

namespace telvor {
namespace {

using testing::CapacityFrame;
using testing::FlowRig;
using testing::VersionFrame;
using testing::WriteFrame;
using Frames = std::vector<std::string>;
using Shown = std::vector<std::string>;

constexpr int kSlotA02 = 2;
constexpr int kSlotB89 = kBasicCount + 89;

bool NeverSent(int code) { return IsProtected(code) || code == kCodeB89 || code == kCodeB95; }

// The write frames of a whole-set write of `set`, from `fromCode` on, for the chosen groups.
Frames WriteFrames(int station, const ParameterSet& set, ParameterGroups groups, int fromCode = 0,
                   int toCode = 197) {
    Frames frames;
    for (int slot = 0; slot < kParameterCount; ++slot) {
        int code = CodeIndexOfSlot(slot);
        bool chosen = slot < kBasicCount ? groups.basic : groups.advanced;
        if (!chosen || NeverSent(code) || code < fromCode || code > toCode) continue;
        frames.push_back(WriteFrame(station, code, set[slot]));
    }
    return frames;
}

Frames Join(std::initializer_list<Frames> parts) {
    Frames all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A rig linked to the first of its stations, with a document of model 8 whose
// settings differ from the drives' defaults in a few places.
struct WriteRig : FlowRig {
    explicit WriteRig(const std::string& stations, std::vector<std::string> extra = {})
        : FlowRig(Arguments(stations, std::move(extra))) {
        linked = sim.Started() && Link(stations.substr(0, stations.find_first_of(",-")));
        app.Link().currentModel = 8;
        CSolvaneDoc& doc = app.NewDocument();
        doc.sets[0][kSlotA02] = 4000;
        doc.sets[0][kBasicCount + 0] = 2;  // b00
        doc.sets[0][kBasicCount + 95] = 20;  // b95 is never sent by a whole-set write
        NewFrames();
        ui.shown.clear();
        ui.progressWindows.clear();
    }
    static std::vector<std::string> Arguments(const std::string& stations, std::vector<std::string> extra) {
        std::vector<std::string> args{"--stations", stations, "--model", "8"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
    WriteReport Write(const std::string& text, ParameterGroups groups = {}) {
        std::optional<WriteDialogData> data = BeginWriteCommand(app, ui);
        if (!data) return {0, 0, true};
        data->stationText = text;
        data->groups = groups;
        return FinishWriteCommand(app, ui, *data);
    }
    const ParameterSet& Set() { return app.Document()->sets[0]; }
    bool linked = false;
};

TEST(WriteFlow, OneStationGetsEveryParameterButTheNeverSentOnes) {
    WriteRig rig("3");
    ASSERT_TRUE(rig.linked);
    WriteReport report = rig.Write("3");
    EXPECT_TRUE(report.Complete());
    EXPECT_EQ(report.stationsWritten, 1);

    EXPECT_EQ(rig.NewFrames(), Join({{VersionFrame(3), CapacityFrame(3)}, WriteFrames(3, rig.Set(), {})}));
    EXPECT_TRUE(rig.ui.ShownStartingWith("message").empty());
    EXPECT_TRUE(rig.ui.ShownStartingWith("dialog").empty());
    // One window for the station; the bar runs over all 13 and 98 steps.
    ASSERT_EQ(rig.ui.progressWindows.size(), 1u);
    const ProgressRecord& window = *rig.ui.progressWindows[0];
    EXPECT_EQ(window.maximum, kAdvancedCount);
    EXPECT_EQ(window.position, kAdvancedCount);
    EXPECT_EQ(window.steps, kBasicCount + kAdvancedCount);
    EXPECT_TRUE(window.closed);
    EXPECT_EQ(window.texts.front(), "Write Inverter Function Parameter To Module...A00");
    EXPECT_EQ(window.texts.back(), "Write Inverter Function Parameter To Module...b93");
    EXPECT_EQ(window.texts.size(), WriteFrames(3, rig.Set(), {}).size());

    // The drive now holds the document's values.
    ASSERT_TRUE(ReadAllParameters(rig.app, rig.ui, 3, {}).ok);
    for (int slot = 0; slot < kParameterCount; ++slot) {
        int code = CodeIndexOfSlot(slot);
        if (!NeverSent(code)) {
            EXPECT_EQ(rig.app.ReadBuffer()[slot], rig.Set()[slot]) << CodeText(code);
        }
    }
    EXPECT_EQ(rig.app.ReadBuffer()[kBasicCount + 95], 0);  // no factory reset happened
}

TEST(WriteFlow, StationListIsWrittenInAscendingOrderEachStationIdentifiedFirst) {
    WriteRig rig("1,3,5");
    ASSERT_TRUE(rig.linked);
    WriteReport report = rig.Write("5,1,3", {true, false});
    EXPECT_EQ(report.stationsWritten, 3);
    EXPECT_TRUE(report.Complete());
    Frames basic1 = WriteFrames(1, rig.Set(), {true, false});
    Frames basic3 = WriteFrames(3, rig.Set(), {true, false});
    Frames basic5 = WriteFrames(5, rig.Set(), {true, false});
    EXPECT_EQ(rig.NewFrames(), Join({{VersionFrame(1), CapacityFrame(1)}, basic1, {VersionFrame(3), CapacityFrame(3)},
                                     basic3, {VersionFrame(5), CapacityFrame(5)}, basic5}));
    EXPECT_EQ(rig.ui.progressWindows.size(), 3u);
    EXPECT_EQ(rig.app.Link().currentStation, 5);
    EXPECT_FALSE(rig.app.WriteGroups().advanced);
}

struct PanesCase {
    const char* name;
    std::vector<std::string> simArguments;
    std::string text;
    Shown panes;  // version, station and model pane after the Write
    std::string summary;
};

class WriteToSeveralStations : public ::testing::TestWithParam<PanesCase> {};

// The current station becomes the last one written; the panes show that station's
// own version and model, or neither when it never told them, and a summary ends it.
TEST_P(WriteToSeveralStations, EndsWithTheLastStationsOwnPanesAndASummary) {
    const PanesCase& c = GetParam();
    WriteRig rig("1,3", c.simArguments);
    ASSERT_TRUE(rig.linked);
    ASSERT_TRUE(rig.sim.Control("register 3 44 15"));
    rig.Write(c.text, {true, false});
    const LinkState& link = rig.app.Link();
    EXPECT_EQ((Shown{VersionPaneText(link), StationPaneText(link), ModelPaneText(link, true)}), c.panes);
    EXPECT_EQ(rig.ui.ShownStartingWith("message").back(), "message Write Message|Write Summary:\n" + c.summary);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteToSeveralStations,
    ::testing::Values(
        PanesCase{"BothWritten", {}, "3,1", {"Ver: 1.5", "Linking  003", "Model: KRV-075-43"},
                  "Station_001 OK 13 written\nStation_003 OK 13 written"},
        PanesCase{"LastOfAnotherModel", {"--station-model", "3=2"}, "1,3", {"Ver: 1.5", "Linking  003", "Model: KRV-075-11"},
                  "Station_001 OK 13 written\nStation_003 FAILED 0 written"},
        PanesCase{"LastSilent", {}, "1,4", {"Ver: x.x", "Linking  004", "Model: xxx-xxx-xx"},
                  "Station_001 OK 13 written\nStation_004 FAILED 0 written"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteFlow, CapacityMismatchWithOneStationEndsTheCommand) {
    WriteRig rig("3");
    ASSERT_TRUE(rig.linked);
    rig.app.Document()->sets[0][kSlotB89] = 2;
    WriteReport report = rig.Write("3");
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(rig.NewFrames(), (Frames{VersionFrame(3), CapacityFrame(3)}));
    EXPECT_EQ(rig.ui.shown, (Shown{"message Error Message|Parameter b89: Inverter Horse Power Capacity Error !"}));
    EXPECT_TRUE(rig.ui.progressWindows.empty());
}

TEST(WriteFlow, CapacityMismatchOnTwoStationsAsksToGoOnAfterTheFirst) {
    WriteRig rig("1,2");
    ASSERT_TRUE(rig.linked);
    rig.app.Document()->sets[0][kSlotB89] = 2;
    WriteReport report = rig.Write("1,2");
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(report.stationsSkipped, 1);
    EXPECT_EQ(rig.NewFrames(), (Frames{VersionFrame(1), CapacityFrame(1), VersionFrame(2), CapacityFrame(2)}));
    const std::string mismatch = "message Error Message|Parameter b89: Inverter Horse Power Capacity Error !";
    EXPECT_EQ(rig.ui.shown, (Shown{mismatch, "dialog 266", mismatch,
                                   "message Write Message|Write Summary:\nStation_001 FAILED 0 written\n"
                                   "Station_002 FAILED 0 written"}));
}

struct MultiStationCase {
    const char* name;
    std::string simStations;
    std::vector<std::string> faults;
    std::string text;
    std::vector<DialogResult> answers;
    Shown dialogs;
    int written;
    int skipped;
    bool ended;
    // Frames: the stations that are written in full, in order; a station given
    // up shows its three version reads.
    std::vector<int> fullStations;
    std::vector<int> silentStations;
    std::string summary;
};

class MultiStationWrite : public ::testing::TestWithParam<MultiStationCase> {};

TEST_P(MultiStationWrite, FollowsTheUsersChoice) {
    const MultiStationCase& c = GetParam();
    WriteRig rig(c.simStations, c.faults);
    ASSERT_TRUE(rig.linked);
    rig.ui.dialogAnswers.assign(c.answers.begin(), c.answers.end());
    WriteReport report = rig.Write(c.text, {true, false});
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog"), c.dialogs);
    EXPECT_EQ(report.stationsWritten, c.written);
    EXPECT_EQ(report.stationsSkipped, c.skipped);
    EXPECT_EQ(report.ended, c.ended);
    EXPECT_EQ(rig.ui.ShownStartingWith("message"), Shown{"message Write Message|Write Summary:\n" + c.summary});

    Frames expected;
    for (int station : ParseStationRange(c.text, EmptyStationText::MarkStationOne).list) {
        bool silent = std::find(c.silentStations.begin(), c.silentStations.end(), station) != c.silentStations.end();
        bool full = std::find(c.fullStations.begin(), c.fullStations.end(), station) != c.fullStations.end();
        if (silent) {
            expected.insert(expected.end(), 3, VersionFrame(station));
        } else if (full) {
            expected.push_back(VersionFrame(station));
            expected.push_back(CapacityFrame(station));
            Frames writes = WriteFrames(station, rig.Set(), {true, false});
            expected.insert(expected.end(), writes.begin(), writes.end());
        }
    }
    EXPECT_EQ(rig.NewFrames(), expected);
    EXPECT_EQ(rig.app.progressWindow, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MultiStationWrite,
    ::testing::Values(
        MultiStationCase{"SilentSecondContinue", "1,3", {}, "1-3", {DialogResult::Ok}, {"dialog 265"}, 2, 1, false,
                         {1, 3}, {2},
                         "Station_001 OK 13 written\nStation_002 FAILED 0 written\nStation_003 OK 13 written"},
        MultiStationCase{"SilentSecondAbort", "1,3", {}, "1-3", {DialogResult::Cancel}, {"dialog 265"}, 1, 0, true,
                         {1}, {2},
                         "Station_001 OK 13 written\nStation_002 FAILED 0 written\nStation_003 not written"},
        MultiStationCase{"SilentLastStation", "1", {}, "1,2", {}, {"dialog 155"}, 1, 0, true, {1}, {2},
                         "Station_001 OK 13 written\nStation_002 FAILED 0 written"},
        MultiStationCase{"AllStationsSilentButTheFirst", "1", {}, "1-3", {DialogResult::Ok}, {"dialog 265", "dialog 155"}, 1, 1,
                         true, {1}, {2, 3},
                         "Station_001 OK 13 written\nStation_002 FAILED 0 written\nStation_003 FAILED 0 written"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteFlow, ChecksumErrorEndsTheWholeCommand) {
    WriteRig rig("1,2");
    ASSERT_TRUE(rig.linked);
    rig.ui.onProgressText = [&](const std::string& text) {
        if (text == "Write Inverter Function Parameter To Module...A03") rig.sim.Control("fault 1 bad-lrc 3");
    };
    WriteReport report = rig.Write("1,2", {true, false});
    EXPECT_TRUE(report.ended);
    Frames upToA02 = WriteFrames(1, rig.Set(), {true, false}, 0, 2);
    Frames a03 = WriteFrames(1, rig.Set(), {true, false}, 3, 3);
    EXPECT_EQ(rig.NewFrames(), Join({{VersionFrame(1), CapacityFrame(1)}, upToA02, a03, a03, a03}));
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog"), Shown{"dialog 261"});
    EXPECT_EQ(rig.ui.ShownStartingWith("message"),
              Shown{"message Write Message|Write Summary:\nStation_001 FAILED 3 written\nStation_002 not written"});
    EXPECT_TRUE(rig.ui.progressWindows[0]->closed);
}

TEST(WriteFlow, ExceptionReplyOffersTheNextStation) {
    WriteRig rig("1,2");
    ASSERT_TRUE(rig.linked);
    // Within the catalogue's range but beyond these drives' own limit for A02: exception 54.
    const std::string a02 = std::to_string(RegisterOfParameter(2));
    for (const char* drive : {"1", "2"})
        ASSERT_TRUE(rig.sim.Control("limit " + std::string(drive) + " " + a02 + " 3000"));
    rig.ui.dialogAnswers = {DialogResult::Ok};
    WriteReport report = rig.Write("1,2", {true, false});
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(report.stationsSkipped, 1);
    Frames upToA02_1 = WriteFrames(1, rig.Set(), {true, false}, 0, 2);
    Frames upToA02_2 = WriteFrames(2, rig.Set(), {true, false}, 0, 2);
    // The exception is never repeated.
    EXPECT_EQ(rig.NewFrames(), Join({{VersionFrame(1), CapacityFrame(1)}, upToA02_1, {VersionFrame(2), CapacityFrame(2)},
                                     upToA02_2}));
    EXPECT_EQ(rig.ui.ShownStartingWith("message"),
              (Shown{"message Error Message|Data Over Range !", "message Error Message|Data Over Range !",
                     "message Write Message|Write Summary:\nStation_001 FAILED 2 written\nStation_002 FAILED 2 written"}));
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog"), Shown{"dialog 266"});
}

// Each station's values are checked whole before its first frame: one message names
// every value out of its range, nothing goes to the station, and the user chooses.
TEST(WriteFlow, AValueOutOfItsRangeSendsNothingToTheStation) {
    WriteRig rig("1,2");
    ASSERT_TRUE(rig.linked);
    rig.app.Document()->sets[0][kSlotA02] = 30000;  // 300.00 Hz: 16 bits, beyond 1.00~200.00
    rig.app.Document()->sets[0][kBasicCount + 5] = -1;
    rig.app.Document()->sets[0][kBasicCount + 76] = 70000;  // 0x11170 would go out as "1117"
    rig.ui.dialogAnswers = {DialogResult::Ok};
    WriteReport report = rig.Write("1,2");
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(report.stationsWritten, 0);
    EXPECT_TRUE(rig.NewFrames().empty());
    const std::string message = "message Error Message|Over Range !!\n\n"
                                "Code: A02\nValue: 300.00\nRange Value: 1.00~200.00\n\n"
                                "Code: b05\nValue: -0.01\nRange Value: 0.10~200.00\n\n"
                                "Code: b76\nValue: 7000.0\nRange Value: 0.0~25.5";
    EXPECT_EQ(rig.ui.ShownStartingWith("message"),
              (Shown{message, message,
                     "message Write Message|Write Summary:\nStation_001 FAILED 0 written\nStation_002 FAILED 0 written"}));
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog"), Shown{"dialog 266"});
}

// The drive answers every request 500 or 700 ms late, after the read time-out: the
// refusal of A00 must be reported, never taken for confirmed by a late reply to a read.
TEST(WriteFlow, ARefusalThatComesLateIsReportedNotTakenForSuccess) {
    WriteRig rig("1");
    ASSERT_TRUE(rig.linked);
    rig.app.Document()->sets[0][0] = 2;
    // This drive's own A00 is 0..1.
    ASSERT_TRUE(rig.sim.Control("limit 1 " + std::to_string(RegisterOfParameter(0)) + " 1"));
    ASSERT_TRUE(rig.sim.Control("fault 1 delay 500"));
    ASSERT_TRUE(rig.sim.Control("fault 1 jitter 200"));
    WriteReport report = rig.Write("1", {true, false});
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(report.stationsWritten, 0);
    EXPECT_EQ(rig.ui.ShownStartingWith("message"), Shown{"message Error Message|Data Over Range !"});
    const Frames frames = rig.NewFrames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), WriteFrame(1, 1, rig.Set()[1])), 0);
}

TEST(WriteFlow, NotLinkedShowsDialog263AndNothingElse) {
    CSolvaneApp app;
    ScriptedUserInterface ui;
    app.NewDocument();
    EXPECT_FALSE(BeginWriteCommand(app, ui));
    EXPECT_EQ(ui.shown, Shown{"dialog 263"});
}

TEST(WriteFlow, WriteIsNotOfferedForAComparisonOrDuringAScan) {
    CSolvaneApp app;
    ScriptedUserInterface ui;
    app.Link().linked = true;
    EXPECT_FALSE(BeginWriteCommand(app, ui));  // no document
    app.NewDocument().compareMode = CompareFileFile;
    EXPECT_FALSE(BeginWriteCommand(app, ui));
    app.Document()->compareMode = CompareNone;
    app.Link().stationScan = true;
    EXPECT_FALSE(BeginWriteCommand(app, ui));
    app.Link().stationScan = false;
    app.Link().currentStation = 12;
    std::optional<WriteDialogData> data = BeginWriteCommand(app, ui);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->stationText, "12");
    EXPECT_TRUE(data->groups.basic && data->groups.advanced);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(WriteFlow, WriteOneParameterConfirmsSuccessAndReportsFailure) {
    WriteRig rig("3");
    ASSERT_TRUE(rig.linked);
    EXPECT_TRUE(WriteOneParameter(rig.app, rig.ui, 3, 2, 4200));
    EXPECT_FALSE(WriteOneParameter(rig.app, rig.ui, 3, 2, 60000));
    EXPECT_FALSE(WriteOneParameter(rig.app, rig.ui, 3, 2, 65536));
    EXPECT_FALSE(WriteOneParameter(rig.app, rig.ui, 255, 2, 10));
    EXPECT_FALSE(WriteOneParameter(rig.app, rig.ui, 6, 2, 10));
    EXPECT_EQ(rig.NewFrames(), (Frames{WriteFrame(3, 2, 4200), WriteFrame(3, 2, 60000), WriteFrame(6, 2, 10),
                                       WriteFrame(6, 2, 10), WriteFrame(6, 2, 10)}));
    EXPECT_EQ(rig.ui.shown, (Shown{"dialog 267", "message Error Message|Data Over Range !",
                                   "message " + std::string(kRangeMessageCaption) + "|" + RangeMessage(2),
                                   "message Error Message|Address Error !", "dialog 155"}));
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

TEST(WriteFlow, AStationTextThatNamesNoStationStrictlyWritesNothing) {
    WriteRig rig("1");
    ASSERT_TRUE(rig.linked);
    for (const char* text : {"", "0", "255", "1 2", "2O", "abc"}) {
        rig.ui.shown.clear();
        WriteReport report = rig.Write(text, {true, false});
        EXPECT_TRUE(report.ended) << text;
        EXPECT_TRUE(report.stations.empty()) << text;
        EXPECT_EQ(rig.ui.shown, Shown{"message Write Message|" + StationTextMessage(text)});
    }
    EXPECT_TRUE(rig.NewFrames().empty());
}

TEST(WriteFlow, FailedVersionReadOfTheOnlyStationEndsTheCommand) {
    WriteRig rig("1");
    ASSERT_TRUE(rig.linked);
    rig.sim.Control("fault 1 bad-lrc 3");
    WriteReport report = rig.Write("1");
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(rig.NewFrames(), Frames(3, VersionFrame(1)));
    EXPECT_EQ(rig.ui.shown, Shown{"dialog 261"});
    EXPECT_TRUE(rig.ui.progressWindows.empty());
}

}  // namespace
}  // namespace telvor
