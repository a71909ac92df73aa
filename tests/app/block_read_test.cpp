// Block reads against the simulated line: the same set as the per-parameter read,
// the fallback when a drive refuses blocks, and Write's read-back verify.

#include <gtest/gtest.h>

#include <random>

#include "flow_rig.h"
#include "parameter_catalogue.h"
#include "read_flow.h"
#include "write_flow.h"

namespace telvor {
namespace {

using testing::FlowRig;
using testing::Logged;

struct BlockRig : FlowRig {
    explicit BlockRig(std::vector<std::string> simArguments) : FlowRig(std::move(simArguments)) {
        linked = sim.Started() && Link("3");
        NewFrames();
    }
    // The values a Read of both groups puts into the read buffer; ui.shown and the frames start afresh.
    std::optional<ParameterSet> Read(bool blocks) {
        app.readOptions.blockRead = blocks;
        ui.shown.clear();
        NewFrames();
        if (!ReadAllParameters(app, ui, 3, {}).ok) return std::nullopt;
        return app.ReadBuffer();
    }
    bool linked = false;
};

std::string Block(int station, int firstRegister, int count) {
    std::array<char, kRequestBufferSize> request{};
    return Logged(request.data(), CModbusAscii::ReadRegisters(request.data(), station, firstRegister, count));
}

TEST(BlockRead, GivesThePerParameterSetWithTheSameProgressForEveryModelAndAfterRandomWrites) {
    std::mt19937 random(16);
    for (const char* model : {"0", "4", "8", "10"}) {
        BlockRig rig({"--stations", "3", "--model", model, "--hz", model[0] == '4' ? "60" : "50"});
        ASSERT_TRUE(rig.linked) << model;
        for (int k = 0; k < 20; ++k) {
            const int code = CodeIndexOfSlot(static_cast<int>(random() % kParameterCount));
            const int value = static_cast<int>(random() % 65536);
            ASSERT_TRUE(rig.sim.Control("register 3 " + std::to_string(RegisterOfParameter(code)) + " " +
                                        std::to_string(value)));
        }
        const std::optional<ParameterSet> single = rig.Read(false);
        const std::vector<std::string> singleShown = rig.ui.shown;
        const std::optional<ParameterSet> blocks = rig.Read(true);
        ASSERT_TRUE(single && blocks) << model;
        EXPECT_EQ(*blocks, *single) << model;
        EXPECT_EQ(rig.ui.shown, singleShown) << "progress texts, model " << model;
        // Version, capacity, 0-45 in three blocks, 100-160 in four, 220-221, 223 and 48 alone.
        const std::vector<std::string> frames = rig.NewFrames();
        EXPECT_EQ(frames.size(), 12u) << model;
        EXPECT_EQ(frames[2], Block(3, 0, 16)) << model;
    }
}

struct FallbackCase {
    const char* name;
    const char* control;
    std::vector<std::string> expectedBlocks;  // requests that must still go out as blocks
};

TEST(BlockRead, FallsBackWhereTheDriveRefusesBlocksAndOnlyThere) {
    const FallbackCase cases[] = {
        {"max-count 4", "max-count 3 4", {Block(3, 100, 4), Block(3, 220, 2)}},
        {"max-count 1", "max-count 3 1", {}},
        {"register 130 alone", "single-only 3 130", {Block(3, 0, 16), Block(3, 116, 8), Block(3, 132, 16)}},
    };
    for (const FallbackCase& c : cases) {
        BlockRig rig({"--stations", "3", "--model", "6"});
        ASSERT_TRUE(rig.linked) << c.name;
        const std::optional<ParameterSet> single = rig.Read(false);
        ASSERT_TRUE(rig.sim.Control(c.control)) << c.name;
        const std::optional<ParameterSet> blocks = rig.Read(true);
        ASSERT_TRUE(single && blocks) << c.name;
        EXPECT_EQ(*blocks, *single) << c.name;
        EXPECT_TRUE(rig.ui.ShownStartingWith("message ").empty()) << c.name << ": a fallback shows nothing";
        const std::vector<std::string> frames = rig.NewFrames();
        for (const std::string& block : c.expectedBlocks)
            EXPECT_NE(std::find(frames.begin(), frames.end(), block), frames.end()) << c.name << " " << block;
    }
}

TEST(BlockRead, AStationThatFallsSilentIsReportedAsThePerParameterReadReportsIt) {
    BlockRig rig({"--stations", "3"});
    ASSERT_TRUE(rig.linked);
    ASSERT_TRUE(rig.sim.Control("fault 3 silent-after 4"));
    EXPECT_FALSE(rig.Read(true));
    EXPECT_EQ(rig.ui.ShownStartingWith("dialog "), std::vector<std::string>{"dialog 155"});
}

class WriteVerify : public ::testing::TestWithParam<bool> {};

TEST_P(WriteVerify, ReportsAValueTheDriveChangedBehindTheWritesBack) {
    BlockRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.linked);
    rig.app.readOptions.blockRead = GetParam();
    CSolvaneDoc& doc = rig.app.NewDocument();
    doc.sets[0][2] = 4500;  // A02 45.00
    rig.ui.onProgressText = [&](const std::string& text) {
        if (text == "Write Inverter Function Parameter To Module...A03") rig.sim.Control("register 3 8 1234");
    };
    WriteDialogData choice;
    choice.stationText = "3";
    choice.verify = true;
    const WriteReport report = FinishWriteCommand(rig.app, rig.ui, choice);

    ASSERT_EQ(report.stations.size(), 1u);
    const StationWriteResult& station = report.stations[0];
    EXPECT_FALSE(station.ok);
    EXPECT_EQ(station.written, 99);
    EXPECT_EQ(station.verified, 98);
    ASSERT_EQ(station.differences.size(), 1u);
    EXPECT_EQ(station.differences[0].codeIndex, 2);
    EXPECT_EQ(station.differences[0].sent, 4500);
    EXPECT_EQ(station.differences[0].readBack, 1234);
    EXPECT_EQ(rig.ui.ShownStartingWith("message "),
              std::vector<std::string>{"message Write Message|Verify Error !!\nA02 sent 45.00, read back 12.34"});
    EXPECT_EQ(StationResultLine(station),
              "Station_003 FAILED 99 written, 98 verified: A02 sent 45.00, read back 12.34");
}

INSTANTIATE_TEST_SUITE_P(PerParameterAndBlocks, WriteVerify, ::testing::Bool());

}  // namespace
}  // namespace telvor
