#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "compare_commands.h"
#include "document_file.h"
#include "document_table.h"
#include "flow_rig.h"
#include "parameter_catalogue.h"
#include "read_flow.h"

namespace telvor {
namespace {

using testing::FlowRig;
using Codes = std::vector<std::string>;

constexpr int kSlotA04 = 4;
constexpr int kSlotB10 = kBasicCount + 10;
constexpr const char* kFormatError = "message Open\n|Error: Open file failure!\n\nThe file format is not correctly!\n";

Codes ShownCodes(const CSolvaneDoc& doc) {
    Codes codes;
    for (int slot = 0; slot < kSetSize; ++slot)
        if (doc.rowFlags[slot] == 1) codes.push_back(CodeText(CodeIndexOfSlot(slot)));
    return codes;
}

Codes CodesWhere(const ParameterSet& a, const ParameterSet& b) {
    Codes codes;
    for (int slot = 0; slot < kParameterCount; ++slot)
        if (a[slot] != b[slot]) codes.push_back(CodeText(CodeIndexOfSlot(slot)));
    return codes;
}

// Parameter files of model 8 in a fresh folder; no line is needed for them.
struct FileRig {
    FileRig() : folder(testing::MakeTempFolder()) {}
    ~FileRig() { testing::RemoveFolder(folder); }
    std::string Write(const std::string& name, bool is50Hz, std::initializer_list<std::pair<int, int>> changes = {}) {
        CSolvaneDoc doc = NewDocument(8, is50Hz, false);
        for (auto [slot, value] : changes) doc.sets[0][slot] = value;
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(WriteDocumentFile(doc, path).ok);
        return path;
    }
    std::string folder;
    CSolvaneApp app;
    ScriptedUserInterface ui;
};

TEST(CompareRows, EachModeFlagsTheSlotsItsRuleNames) {
    ParameterSet defaults{};
    defaults[1] = 10;
    defaults[2] = 20;
    PendingCompare pending;
    pending.sets[0][1] = 11;  // set 1 differs at slot 1
    pending.sets[1][2] = 21;  // set 2 differs at slot 2
    pending.sets[1][1] = 10;
    pending.sets[2][1] = 10;
    pending.sets[2][2] = 20;
    pending.sets[0][2] = 20;
    pending.differs[5] = 1;
    struct Case {
        std::int32_t mode;
        std::array<bool, 3> present;
        std::vector<int> slots;
    };
    for (const Case& c : {Case{CompareInverterDefault, {true, true, true}, {1}},
                          Case{CompareFileFile, {true, true, false}, {5}},
                          Case{CompareFilesDefault, {true, true, true}, {1, 2}},
                          Case{CompareFilesDefault, {false, true, true}, {2}},
                          Case{CompareFilesDefault, {false, false, true}, {}}}) {
        pending.mode = c.mode;
        pending.present = c.present;
        const RowFlags flags = CompareRowFlags(pending, defaults);
        std::vector<int> slots;
        for (int slot = 0; slot < kSetSize; ++slot)
            if (flags[slot]) slots.push_back(slot);
        EXPECT_EQ(slots, c.slots) << "mode " << c.mode;
    }
    // The drive's software version and fault records are no settings: never flagged against the defaults,
    // and their Default reads as in the grid.
    const int b96 = SlotOfCodeIndex(kCodeB96), b97 = SlotOfCodeIndex(kCodeB97);
    pending.sets[0][b96] = pending.sets[1][b96] = 105;
    pending.sets[0][b97] = 123;
    for (std::int32_t mode : {CompareInverterDefault, CompareFilesDefault}) {
        pending.mode = mode;
        const RowFlags flags = CompareRowFlags(pending, defaults);
        EXPECT_FALSE(flags[b96] || flags[b97]) << "mode " << mode;
    }
    CSolvaneDoc compared = NewDocument(8, true, true);
    compared.compareMode = CompareInverterDefault;
    EXPECT_EQ(TableCellText(compared, kCodeB96, TableCell::DefaultValue), "x.x");
    EXPECT_EQ(TableCellText(compared, kCodeB97, TableCell::DefaultValue), "");
    EXPECT_EQ(TableCellText(compared, 2, TableCell::DefaultValue), "50.00");

    RowFlags present{};
    present[3] = present[4] = 1;
    ParameterSet one{}, two{};
    one[3] = 1;
    one[6] = 1;  // differs, but neither file holds slot 6
    two[4] = 0;
    const RowFlags differs = FileWithFileDiffers(present, one, present, two);
    EXPECT_EQ(std::count(differs.begin(), differs.end(), 1), 1);
    EXPECT_EQ(differs[3], 1);
}

TEST(CompareFileFile, ListsExactlyTheParametersThatDifferAndIdenticalFilesNone) {
    struct Case {
        std::initializer_list<std::pair<int, int>> changes;
        Codes codes;
    };
    for (const Case& c : {Case{{}, {}}, Case{{{kSlotA04, 55}, {kSlotB10, 3}}, {"A04", "b10"}}}) {
        FileRig rig;
        auto data = BeginCompareFileFile(rig.app);
        ASSERT_TRUE(data);
        EXPECT_TRUE(rig.app.Link().modalBusy);
        ASSERT_TRUE(LoadCompareSlot(data->files[0], rig.Write("one.vx3", true), rig.ui));
        EXPECT_FALSE(CanAccept(*data));
        ASSERT_TRUE(LoadCompareSlot(data->files[1], rig.Write("two.vx3", true, c.changes), rig.ui));
        ASSERT_TRUE(FinishCompareFileFile(rig.app, rig.ui, data));
        const CSolvaneDoc* doc = rig.app.Document();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(ShownCodes(*doc), c.codes);
        EXPECT_EQ(doc->compareMode, CompareFileFile);
        EXPECT_EQ(doc->setNames, (std::array<std::string, 3>{"one.vx3", "two.vx3", ""}));
        EXPECT_EQ(doc->presentFlags, (std::array<std::uint8_t, 3>{1, 1, 0}));
        EXPECT_TRUE(doc->modified);
        EXPECT_TRUE(doc->untitled);
        EXPECT_FALSE(rig.app.Link().modalBusy);
        EXPECT_TRUE(rig.ui.shown.empty());
    }
}

TEST(CompareInput, RefusedFilesLeaveTheSlotAsItWas) {
    FileRig rig;
    const std::string good = rig.Write("good.vx3", true, {{kSlotA04, 77}});
    const std::string truncated = rig.folder + "/short.vx3";
    {
        std::ifstream in(good, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::ofstream(truncated, std::ios::binary) << bytes.substr(0, 800);
    }
    struct Case {
        std::string path;
        std::string message;
    };
    for (const Case& c : {Case{std::string(TELVOR_TEST_DATA) + "/compare_file_file.mvx", kFormatError},
                          Case{truncated, kFormatError},
                          Case{rig.folder + "/missing.vx3", "message Open\n|File could not be opened!\n"}}) {
        CompareFileSlot slot;
        ASSERT_TRUE(LoadCompareSlot(slot, good, rig.ui));
        rig.ui.shown.clear();
        EXPECT_FALSE(LoadCompareSlot(slot, c.path, rig.ui));
        EXPECT_EQ(rig.ui.shown, std::vector<std::string>{c.message}) << c.path;
        EXPECT_EQ(slot.fileName, "good.vx3");
        EXPECT_EQ(slot.values[kSlotA04], 77);
    }
}

TEST(CompareFilesDefault, OnlyFile2LoadedIsComparedAgainstTheDialogsFrequency) {
    for (const bool dialog50Hz : {true, false}) {
        FileRig rig;
        rig.app.Link().currentModel = 42;  // no model: the dialog starts at model 0
        auto data = BeginCompareFilesDefault(rig.app);
        ASSERT_TRUE(data);
        EXPECT_EQ(data->modelIndex, 0);
        EXPECT_FALSE(CanAccept(*data));
        // A file of 60 Hz defaults: only the frequency-dependent defaults differ at 50 Hz.
        ASSERT_TRUE(LoadCompareSlot(data->files[1], rig.Write("sixty.vx3", false), rig.ui));
        data->modelIndex = 8;
        data->is50Hz = dialog50Hz;
        ASSERT_TRUE(FinishCompareFilesDefault(rig.app, rig.ui, data));
        const CSolvaneDoc* doc = rig.app.Document();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(ShownCodes(*doc), dialog50Hz ? CodesWhere(MakeDefaultSet(8, true), MakeDefaultSet(8, false)) : Codes{});
        EXPECT_FALSE(ShownCodes(*doc).empty() && dialog50Hz);
        EXPECT_EQ(doc->setNames, (std::array<std::string, 3>{"------", "sixty.vx3", "------"}));
        EXPECT_EQ(doc->presentFlags, (std::array<std::uint8_t, 3>{0, 1, 0}));
        EXPECT_EQ(doc->modelIndex, 8);
        EXPECT_EQ(Is50Hz(*doc), dialog50Hz);
        EXPECT_EQ(rig.app.Link().is50Hz, dialog50Hz);
    }
}

TEST(CompareCancel, EveryStepLeavesTheDocumentAndTheStateAsTheyWere) {
    FileRig rig;
    const std::string one = rig.Write("one.vx3", true, {{kSlotA04, 1}});
    CSolvaneDoc& doc = rig.app.NewDocument();
    doc.modified = true;
    rig.app.Link().currentModel = 3;
    enum Step { DialogCancelled, OkWithoutFiles, SaveQuestionCancelled, SaveAsCancelled };
    for (Step step : {DialogCancelled, OkWithoutFiles, SaveQuestionCancelled, SaveAsCancelled}) {
        auto data = BeginCompareFilesDefault(rig.app);
        ASSERT_TRUE(data);
        if (step != OkWithoutFiles) {
            ASSERT_TRUE(LoadCompareSlot(data->files[0], one, rig.ui));
        }
        data->modelIndex = 8;
        rig.ui.answers = {step == SaveQuestionCancelled ? Answer::Cancel : Answer::Yes};
        rig.ui.shown.clear();
        EXPECT_FALSE(FinishCompareFilesDefault(rig.app, rig.ui, step == DialogCancelled ? std::nullopt : data));
        EXPECT_EQ(rig.app.Document(), &doc);
        EXPECT_TRUE(doc.modified);
        EXPECT_EQ(rig.app.Link().currentModel, 3);
        EXPECT_EQ(rig.app.Pending().mode, CompareNone);
        EXPECT_FALSE(rig.app.Link().modalBusy);
        EXPECT_EQ(rig.ui.shown.size(), step >= SaveQuestionCancelled ? 1u + (step == SaveAsCancelled) : 0u);
    }
}

// A linked rig on station 7 of model 8 whose A04 and b10 differ from the defaults.
struct InverterRig : FlowRig {
    InverterRig() : FlowRig({"--stations", "7", "--model", "8"}) {
        linked = sim.Started() && Link("7") && sim.Control("register 7 " + std::to_string(RegisterOfParameter(4)) + " 123") &&
                 sim.Control("register 7 " + std::to_string(RegisterOfParameter(110)) + " 3");
        NewFrames();
        ui.shown.clear();
    }
    bool linked = false;
};

TEST(CompareInverterDefault, ReadsTheStationAndListsWhatDiffersFromTheChosenDefaults) {
    InverterRig rig;
    ASSERT_TRUE(rig.linked);
    rig.app.Link().is50Hz = false;
    auto data = BeginCompareInverterDefault(rig.app);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->station, 7);
    data->is50Hz = true;
    ASSERT_TRUE(FinishCompareInverterDefault(rig.app, rig.ui, data));

    std::vector<std::string> frames{testing::VersionFrame(7), testing::CapacityFrame(7)};
    for (int slot = 0; slot < kParameterCount; ++slot) frames.push_back(testing::ReadFrame(7, CodeIndexOfSlot(slot)));
    EXPECT_EQ(rig.NewFrames(), frames);
    const CSolvaneDoc* doc = rig.app.Document();
    ASSERT_NE(doc, nullptr);
    // b96, the drive's software version, has no factory default to differ from.
    EXPECT_EQ(ShownCodes(*doc), (Codes{"A04", "b10"}));
    EXPECT_EQ(doc->setNames[0], "Station_007");
    EXPECT_EQ(doc->sets[0][kSlotA04], 123);
    EXPECT_EQ(doc->modelIndex, 8);
    EXPECT_TRUE(Is50Hz(*doc));
    EXPECT_EQ(rig.app.Link().currentModel, 8);
    EXPECT_FALSE(rig.app.Link().modalBusy);

    // A monitor window or a scan keeps the command from starting.
    rig.app.Link().monitorOpen = true;
    EXPECT_FALSE(BeginCompareInverterDefault(rig.app));
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

TEST(CompareInverterDefault, AFailedReadChangesNothing) {
    InverterRig rig;
    ASSERT_TRUE(rig.linked);
    rig.app.Link().is50Hz = false;
    rig.app.ReadBuffer()[kSlotA04] = 9;
    ASSERT_TRUE(rig.sim.Control("fault 7 silent"));
    auto data = BeginCompareInverterDefault(rig.app);
    ASSERT_TRUE(data);
    data->is50Hz = true;
    EXPECT_FALSE(FinishCompareInverterDefault(rig.app, rig.ui, data));
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog"), std::vector<std::string>{"dialog 155"});
    EXPECT_EQ(rig.app.Document(), nullptr);
    EXPECT_FALSE(rig.app.Link().is50Hz);
    EXPECT_EQ(rig.app.Pending().mode, CompareNone);
    EXPECT_EQ(rig.app.ReadBuffer()[kSlotA04], 9);
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

}  // namespace
}  // namespace telvor
