#include "read_flow.h"

#include <gtest/gtest.h>

#include "flow_rig.h"
#include "modbus_ascii.h"
#include "parameter_catalogue.h"

namespace telvor {
namespace {

using testing::CapacityFrame;
using testing::FlowRig;
using testing::ReadFrame;
using testing::VersionFrame;
using Frames = std::vector<std::string>;
using Shown = std::vector<std::string>;

constexpr int kSlotA02 = 2;
constexpr int kSlotB00 = 13;

Frames ReadFrames(int station, ParameterGroups groups) {
    Frames frames{VersionFrame(station), CapacityFrame(station)};
    if (groups.basic)
        for (int i = 0; i < kBasicCount; ++i) frames.push_back(ReadFrame(station, i));
    if (groups.advanced)
        for (int j = 0; j < kAdvancedCount; ++j) frames.push_back(ReadFrame(station, 100 + j));
    return frames;
}

Shown ReadTexts(ParameterGroups groups) {
    Shown texts;
    if (groups.basic)
        for (int i = 0; i < kBasicCount; ++i) texts.push_back("progress Read Inverter Function Parameter..." + CodeText(i));
    if (groups.advanced)
        for (int j = 0; j < kAdvancedCount; ++j)
            texts.push_back("progress Read Inverter Function Parameter..." + CodeText(100 + j));
    return texts;
}

// A linked rig on station 3 of model 8 whose A02 and b00 differ from the defaults.
struct ReadRig : FlowRig {
    ReadRig() : FlowRig({"--stations", "3,4", "--model", "8"}) {
        linked = sim.Started() && Link("3") && sim.Control("register 3 8 4500") && sim.Control("register 3 111 7");
        NewFrames();
        ui.shown.clear();
        ui.progressWindows.clear();
    }
    bool Read(int station, ParameterGroups groups) {
        std::optional<ReadDialogData> data = BeginReadCommand(app);
        if (!data) return false;
        data->station = station;
        data->groups = groups;
        return FinishReadCommand(app, ui, data);
    }
    bool linked = false;
};

TEST(ReadFlow, ReadWithoutADocumentMakesANewDocumentFromTheDrive) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    rig.app.ReadBuffer()[200] = 99;
    EXPECT_TRUE(rig.Read(3, {}));

    EXPECT_EQ(rig.NewFrames(), ReadFrames(3, {}));
    EXPECT_EQ(rig.ui.shown, ReadTexts({}));
    ASSERT_EQ(rig.ui.progressWindows.size(), 1u);
    EXPECT_TRUE(rig.ui.progressWindows[0]->closed);
    EXPECT_EQ(rig.ui.progressWindows[0]->maximum, kAdvancedCount);
    EXPECT_EQ(rig.ui.progressWindows[0]->position, kAdvancedCount);

    CSolvaneDoc* doc = rig.app.Document();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(rig.ui.newDocumentsFromRead, 1);
    EXPECT_EQ(doc->sets[0][kSlotA02], 4500);
    EXPECT_EQ(doc->sets[0][kSlotB00], 7);
    EXPECT_EQ(doc->sets[0][kBasicCount + 89], 8);  // b89 comes from the capacity register
    EXPECT_EQ(doc->modelIndex, 8);
    EXPECT_TRUE(doc->modified);
    EXPECT_TRUE(doc->untitled);
    EXPECT_FALSE(rig.app.readIntoNewDocument);
    EXPECT_EQ(rig.app.ReadBuffer()[200], 0);
    EXPECT_EQ(rig.app.ReadGroups().basic, true);
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

TEST(ReadFlow, AdvancedOnlyRefillsTheOpenDocumentWithModelDefaultsForTheBasicGroup) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    CSolvaneDoc& doc = rig.app.NewDocument();
    doc.sets[0][kSlotA02] = 1234;
    doc.stationTitles[0] = "pump";
    doc.modified = true;
    rig.ui.answers = {Answer::No};
    EXPECT_TRUE(rig.Read(3, {false, true}));

    EXPECT_EQ(rig.NewFrames(), ReadFrames(3, {false, true}));
    Shown expected{"ask VarnoxLink|The file has been modified!\nDo you want to save file?\n"};
    for (const auto& text : ReadTexts({false, true})) expected.push_back(text);
    EXPECT_EQ(rig.ui.shown, expected);
    ASSERT_EQ(rig.app.Document(), &doc);
    EXPECT_EQ(rig.ui.documentsRefilled, 1);
    EXPECT_EQ(doc.sets[0][kSlotA02], DefaultRaw(2, 8, rig.app.Link().is50Hz));
    EXPECT_EQ(doc.sets[0][kSlotB00], 7);
    EXPECT_EQ(doc.stationTitles[0], "");
    EXPECT_TRUE(doc.modified);
}

TEST(ReadFlow, SaveQuestionAnsweredYesSavesBeforeReading) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    CSolvaneDoc& doc = rig.app.NewDocument();
    doc.modified = true;
    rig.ui.answers = {Answer::Yes};
    rig.ui.savePath = rig.sim.Folder() + "/before.vx3";
    EXPECT_TRUE(rig.Read(3, {true, false}));
    EXPECT_EQ(rig.ui.shown[1], "save-as Untitled");
    EXPECT_TRUE(std::filesystem::exists(*rig.ui.savePath));
    EXPECT_EQ(doc.path, *rig.ui.savePath);
}

TEST(ReadFlow, CancelledSaveDialogLeavesEverythingAsItWas) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    CSolvaneDoc& doc = rig.app.NewDocument();
    doc.sets[0][kSlotA02] = 1234;
    doc.modified = true;
    rig.ui.answers = {Answer::Yes};
    EXPECT_FALSE(rig.Read(3, {}));
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_EQ(doc.sets[0][kSlotA02], 1234);
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

struct ReadFailureCase {
    const char* name;
    const char* controlAtText;  // sent to the simulator when this progress text shows; empty: at the start
    const char* control;
    int station;
    std::size_t framesBeforeFailure;  // frames of the full read that went out before the failing one
    int failingExchanges;
    Shown messages;
};

class ReadFailure : public ::testing::TestWithParam<ReadFailureCase> {};

TEST_P(ReadFailure, LeavesTheDocumentAndTheStateAsTheyWere) {
    const ReadFailureCase& c = GetParam();
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    CSolvaneDoc& doc = rig.app.NewDocument();
    doc.sets[0][kSlotA02] = 1234;
    doc.modified = false;
    rig.app.ReadBuffer()[kSlotA02] = 55;
    if (*c.controlAtText == '\0') {
        ASSERT_TRUE(rig.sim.Control(c.control));
    } else {
        rig.ui.onProgressText = [&](const std::string& text) {
            if (text == c.controlAtText) rig.sim.Control(c.control);
        };
    }
    EXPECT_FALSE(rig.Read(c.station, {}));

    Frames all = ReadFrames(c.station, {});
    Frames expected(all.begin(), all.begin() + static_cast<long>(c.framesBeforeFailure));
    for (int i = 0; i < c.failingExchanges; ++i) expected.push_back(all[c.framesBeforeFailure]);
    EXPECT_EQ(rig.NewFrames(), expected);
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog"), c.messages);
    EXPECT_EQ(doc.sets[0][kSlotA02], 1234);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(rig.app.ReadBuffer()[kSlotA02], 55);
    EXPECT_EQ(rig.app.Link().currentStation, 3);
    EXPECT_FALSE(rig.app.Link().modalBusy);
    for (const auto& window : rig.ui.progressWindows) EXPECT_TRUE(window->closed);
    EXPECT_EQ(rig.app.progressWindow, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFailure,
    ::testing::Values(
        ReadFailureCase{"StationNotOnTheLine", "", "clear 3", 9, 0, 3, {"dialog 155"}},
        ReadFailureCase{"SilentFromA05", "Read Inverter Function Parameter...A05", "fault 3 silent", 3, 2 + 5, 3,
                        {"dialog 155"}},
        ReadFailureCase{"BadLrcAtB10", "Read Inverter Function Parameter...b10", "fault 3 bad-lrc 3", 3,
                        2 + 13 + 10, 3, {"dialog 261"}},
        ReadFailureCase{"BadLrcOnTheVersionRead", "", "fault 3 bad-lrc 3", 3, 0, 3, {"dialog 261"}},
        ReadFailureCase{"SilentFromTheCapacityRead", "", "fault 3 silent-after 1", 3, 1, 3, {"dialog 155"}}),
    [](const auto& info) { return std::string(info.param.name); });

// From A03 to A05 the drive answers 500 ms (then 1 s) late, after each attempt's read
// time-out: every value must still be the drive's own for its parameter.
TEST(ReadFlow, RepliesThatComeLateNeverShiftAValueToAnotherParameter) {
    for (const int late : {500, 1000}) {
        ReadRig rig;
        ASSERT_TRUE(rig.linked);
        for (int code = 0; code < kBasicCount; ++code)
            ASSERT_TRUE(rig.sim.Control("register 3 " + std::to_string(RegisterOfParameter(code)) + " " +
                                        std::to_string(100 + code)));
        rig.ui.onProgressText = [&](const std::string& text) {
            if (text == "Read Inverter Function Parameter...A03") rig.sim.Control("fault 3 delay " + std::to_string(late));
            if (text == "Read Inverter Function Parameter...A06") rig.sim.Control("clear 3");
        };
        ASSERT_TRUE(rig.Read(3, {true, false})) << late << " ms";
        for (int code = 0; code < kBasicCount; ++code)
            EXPECT_EQ(rig.app.Document()->sets[0][code], 100 + code) << late << " ms, " << CodeText(code);
    }
}

TEST(ReadFlow, NoProgressWindowWhenTheVersionReadFails) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    EXPECT_FALSE(rig.Read(9, {}));
    EXPECT_TRUE(rig.ui.progressWindows.empty());
    EXPECT_EQ(rig.app.Document(), nullptr);
}

TEST(ReadFlow, ReadAllParametersRefusesWhenNotLinked) {
    CSolvaneApp app;
    ScriptedUserInterface ui;
    EXPECT_FALSE(ReadAllParameters(app, ui, 1, {}).ok);
    EXPECT_EQ(ui.shown, Shown{"dialog 263"});
}

TEST(ReadFlow, StationOutsideTheLineIsNeverAsked) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    for (int station : {0, 255, -1, 1000}) {
        EXPECT_FALSE(ReadAllParameters(rig.app, rig.ui, station, {}).ok);
    }
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_EQ(rig.ui.shown, Shown(4, "message Error Message|Address Error !"));
}

TEST(ReadFlow, MonitorOpenReadsTheMonitoredStationWithBothGroups) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    rig.app.Link().monitorOpen = true;
    std::optional<ReadDialogData> data = BeginReadCommand(rig.app);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->locked);
    data->station = 4;
    data->groups = {true, false};
    EXPECT_TRUE(FinishReadCommand(rig.app, rig.ui, data));
    EXPECT_EQ(rig.NewFrames(), ReadFrames(3, {}));
}

TEST(ReadFlow, ReadIsRefusedWhileBusyAndCancelClearsTheFlag) {
    CSolvaneApp app;
    app.Link().modalBusy = true;
    EXPECT_FALSE(BeginReadCommand(app));
    app.Link().modalBusy = false;
    ASSERT_TRUE(BeginReadCommand(app));
    EXPECT_TRUE(app.Link().modalBusy);
    ScriptedUserInterface ui;
    EXPECT_FALSE(FinishReadCommand(app, ui, std::nullopt));
    EXPECT_FALSE(app.Link().modalBusy);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(ReadFlow, OpenComparisonIsClosedAndTheReadMakesANewDocument) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    CSolvaneDoc& comparison = rig.app.NewDocument();
    comparison.compareMode = CompareFileFile;
    comparison.kind = kKindCompare;
    comparison.path = rig.sim.Folder() + "/pair.mvx";
    comparison.modified = false;
    EXPECT_TRUE(rig.Read(3, {}));
    EXPECT_EQ(rig.ui.documentsClosed, 1);
    EXPECT_EQ(rig.ui.newDocumentsFromRead, 1);
    ASSERT_NE(rig.app.Document(), nullptr);
    EXPECT_EQ(rig.app.Document()->compareMode, CompareNone);
    EXPECT_TRUE(rig.app.Document()->path.empty());
    EXPECT_TRUE(rig.app.Document()->untitled);
}

TEST(ReadFlow, PrintPreviewClosesTheDocumentWindowFirst) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    rig.app.NewDocument().modified = false;
    rig.ui.printPreview = true;
    EXPECT_TRUE(rig.Read(3, {true, false}));
    EXPECT_EQ(rig.ui.documentsClosed, 1);
    EXPECT_EQ(rig.ui.newDocumentsFromRead, 1);
    EXPECT_EQ(rig.ui.documentsRefilled, 0);
}

TEST(ReadFlow, SaveThatFailsIsReportedAndStopsTheRead) {
    ReadRig rig;
    ASSERT_TRUE(rig.linked);
    CSolvaneDoc& doc = rig.app.NewDocument();
    doc.modified = true;
    rig.ui.answers = {Answer::Yes};
    rig.ui.savePath = rig.sim.Folder() + "/no-such-folder/set.vx3";
    EXPECT_FALSE(rig.Read(3, {}));
    ASSERT_EQ(rig.ui.shown.size(), 3u);
    EXPECT_EQ(rig.ui.shown[1], "save-as Untitled");
    EXPECT_EQ(rig.ui.shown[2].rfind("message ", 0), 0u);
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_TRUE(doc.modified);
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

}  // namespace
}  // namespace telvor
