#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ctl_rig.h"
#include "modbus_ascii.h"
#include "parameter_catalogue.h"

namespace telvor {
namespace {

using telvor::test::RunResult;
using telvor::testing::CtlRig;
using telvor::testing::RegisterFrame;
using telvor::testing::StationFrame;
using telvor::testing::WriteFrame;
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

// Every action lands, in the order given: each one's request runs before the next is pressed.
TEST(TelvorctlControl, EveryActionIsCarriedOutInTheOrderGiven) {
    CtlRig rig({"--stations", "1"});
    ASSERT_TRUE(rig.sim.Started());
    RunResult run = rig.Run(
        {"control", "--station", "1", "run", "rev", "set=A04:5", "s1", "freq=25", "set=A05:6", "ry1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string readWord = StationFrame(&CModbusAscii::ReadControlWord, 1);
    const Frames expected{readWord, RegisterFrame(1, 230, 0x0001), readWord,     RegisterFrame(1, 230, 0x0003),
                          WriteFrame(1, 4, 50),         readWord, RegisterFrame(1, 230, 0x0023),
                          RegisterFrame(1, 231, 2500),  WriteFrame(1, 5, 60),     readWord,
                          RegisterFrame(1, 230, 0x1023)};
    Frames frames = rig.NewFrames();
    ASSERT_GE(frames.size(), expected.size());
    EXPECT_EQ(Frames(frames.end() - static_cast<long>(expected.size()), frames.end()), expected);
}

bool Writes(const std::string& frame) { return frame.compare(3, 2, "06") == 0 || frame.compare(3, 2, "10") == 0; }

// A value that the Setting cell's editor would not hold, or that is out of range, or a
// protected parameter: the message, exit 2, and not one write, not even of the
// actions before it. A set= value is refused before the line is opened.
TEST(TelvorctlControl, ARefusedValueSendsNothingAtAll) {
    struct Case {
        const char* action;
        std::string message;
    };
    const std::string frequency = "Over Range !!\n\nRange Value: \nA03: 0.00 Hz ~ \nA02: 50.00 Hz\n";
    const std::string reset = "Over Range !!\n\nCode: b95\n\nRange Value: 0, 10, 20\n";
    CtlRig rig({"--stations", "1"});
    ASSERT_TRUE(rig.sim.Started());
    for (const Case& c : {Case{"freq=12,5", frequency}, Case{"freq=-5", frequency}, Case{"freq=1e3", frequency},
                          Case{"freq=abc", frequency}, Case{"freq=", frequency}, Case{"freq=0x10", frequency},
                          Case{"freq=70", frequency}, Case{"freq=1.234", frequency},
                          Case{"set=A04:-1", "Over Range !!\n\nCode: A04\n\nRange Value: 0.1~999.0\n"},
                          Case{"set=A04:", "Over Range !!\n\nCode: A04\n\nRange Value: 0.1~999.0\n"},
                          Case{"set=b95:-10", reset}, Case{"set=b95:5", reset},
                          Case{"set=b77:5", "b77 is read-only.\n"}, Case{"set=b89:3", "b89 is read-only.\n"}}) {
        RunResult run = rig.Run({"control", "--station", "1", "run", "set=A05:6", c.action, "--yes"});
        EXPECT_EQ(run.status, 2) << c.action;
        EXPECT_EQ(run.err, c.message) << c.action;
        const Frames frames = rig.NewFrames();
        EXPECT_EQ(std::count_if(frames.begin(), frames.end(), Writes), 0) << c.action;
        EXPECT_TRUE(c.action[0] != 's' || frames.empty()) << c.action << ": checked before the line opens";
    }
    EXPECT_EQ(rig.Run({"control", "--station", "1", "jump"}).status, 2);
}

TEST(TelvorctlControl, AFactoryResetAsksAndOnlyYesSendsIt) {
    CtlRig rig({"--stations", "1"});
    ASSERT_TRUE(rig.sim.Started());
    RunResult no = rig.Run({"control", "--station", "1", "set=b95:10"});
    EXPECT_EQ(no.status, 1);
    EXPECT_EQ(no.err, "Code: b95\nReset to factory default (50 Hz)?\n");
    Frames frames = rig.NewFrames();
    EXPECT_EQ(std::count_if(frames.begin(), frames.end(), Writes), 0);

    RunResult yes = rig.Run({"control", "--station", "1", "set=b95:20", "--yes"});
    EXPECT_EQ(yes.status, 0) << yes.err;
    EXPECT_EQ(yes.err, "Code: b95\nReset to factory default (60 Hz)?\n");
    frames = rig.NewFrames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back(), WriteFrame(1, kCodeB95, 20));
}

}  // namespace
}  // namespace telvor
