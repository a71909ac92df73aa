#include <gtest/gtest.h>

#include <sstream>

#include "ctl_rig.h"
#include "modbus_ascii.h"

namespace telvor {
namespace {

using telvor::test::RunResult;
using telvor::testing::CtlRig;
using telvor::testing::RegisterFrame;
using telvor::testing::StationFrame;
using Frames = std::vector<std::string>;

constexpr const char* kHeader =
    "state\tdirection\tset_freq\tout_freq\tout_volt\tout_amp\tout_power\tbus_volt\tfault\tS1\tS2\tS3\tS4\tAIN\t"
    "RY1\tfun\tfun_data";

std::vector<std::vector<std::string>> Rows(const std::string& out, char separator) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, separator);) fields.push_back(cell);
        if (!line.empty() && line.back() == separator) fields.push_back("");
        rows.push_back(fields);
    }
    return rows;
}

TEST(TelvorctlMonitor, OneStationPrintsAHeaderAndALinePerTickInTheWindowsTexts) {
    CtlRig rig({"--stations", "1", "--model", "8", "--running", "1=30"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_TRUE(rig.sim.Control("register 1 240 4"));
    RunResult run = rig.Run({"monitor", "--station", "1", "--count", "3", "--fun", "b89"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    auto rows = Rows(run.out, '\t');
    ASSERT_EQ(rows.size(), 4u) << run.out;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), kHeader);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 17u) << run.out;
        EXPECT_EQ(rows[i][0], "STOP") << "tripped by OV";
        EXPECT_EQ(rows[i][1], "FWD >>");
        EXPECT_EQ(rows[i][2], "030.00");
        EXPECT_EQ(rows[i][8], "OV");
        EXPECT_EQ(rows[i][15], "b89");
        EXPECT_EQ(rows[i][16], "008");
    }
}

TEST(TelvorctlMonitor, StationsTextPollsEveryStationThatAnsweredWithCsvColumns) {
    CtlRig rig({"--stations", "1,3", "--running", "3=12.5"});
    ASSERT_TRUE(rig.sim.Started());
    RunResult run = rig.Run({"monitor", "--stations", "1-3", "--count", "2", "--csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    auto rows = Rows(run.out, ',');
    ASSERT_EQ(rows.size(), 5u) << run.out;
    EXPECT_EQ(rows[0][0], "time");
    EXPECT_EQ(rows[0][1], "station");
    std::vector<std::string> stations;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 19u) << run.out;
        EXPECT_EQ(rows[i][0].size(), 24u) << rows[i][0];
        stations.push_back(rows[i][1]);
    }
    EXPECT_EQ(stations, (std::vector<std::string>{"1", "3", "1", "3"}));
    EXPECT_EQ(rows[2][4], "12.50") << "station 3's set frequency as a plain number";
}

TEST(TelvorctlMonitor, TimeOutAnsweredAbortEndsWithOne) {
    CtlRig rig({"--stations", "2"});
    ASSERT_TRUE(rig.sim.Started());
    // Link: echo, version, capacity; monitor start: version, capacity; then silent.
    ASSERT_TRUE(rig.sim.Control("fault 2 silent-after 5"));
    RunResult run = rig.Run({"monitor", "--station", "2", "--on-error", "abort"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Communication error!!\nStation: 002\n");
    EXPECT_EQ(run.out, std::string(kHeader) + "\n");
}

TEST(TelvorctlControl, ButtonsBecomeOneControlWordWriteThenTheFrequencyCommand) {
    CtlRig rig({"--stations", "1"});
    ASSERT_TRUE(rig.sim.Started());
    RunResult run = rig.Run({"control", "--station", "1", "run", "rev", "s1", "freq=25", "ry1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    Frames frames = rig.NewFrames();
    ASSERT_GE(frames.size(), 3u);
    Frames last(frames.end() - 3, frames.end());
    EXPECT_EQ(last, (Frames{StationFrame(&CModbusAscii::ReadControlWord, 1), RegisterFrame(1, 230, 0x1023),
                            RegisterFrame(1, 231, 2500)}));
}

TEST(TelvorctlControl, OutOfRangeInputPrintsTheMessageAndSendsNothing) {
    struct Case {
        const char* action;
        const char* message;
    };
    for (const Case& c : {Case{"freq=70", "Over Range !!\n\nRange Value: \nA03: 0.00 Hz ~ \nA02: 50.00 Hz\n"},
                          Case{"set=b95:5", "Over Range !!\n\nCode: b95\n\nRange Value: 0, 10, 20\n"}}) {
        CtlRig rig({"--stations", "1"});
        ASSERT_TRUE(rig.sim.Started());
        RunResult run = rig.Run({"control", "--station", "1", "run", c.action});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.message);
        for (const std::string& frame : rig.NewFrames())
            EXPECT_NE(frame.substr(3, 2), "06") << "nothing is written: " << frame;
    }
    CtlRig rig({"--stations", "1"});
    EXPECT_EQ(rig.Run({"control", "--station", "1", "jump"}).status, 2);
}

}  // namespace
}  // namespace telvor
