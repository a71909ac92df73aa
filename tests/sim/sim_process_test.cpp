// telvor-sim as the flows and the GUI tests start it: a process, a link, a log,
// a control FIFO; our transactions and the pymodbus master against it.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "transactions.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using enum ExchangeResult;
using testing::ChildProcess;
using testing::TempDir;

class SimProcess {
public:
    bool Start(const TempDir& dir, std::vector<std::string> extra = {}) {
        link = dir.File("line");
        log = dir.File("frames.log");
        control = dir.File("control");
        std::vector<std::string> args = {TELVOR_SIM_PROGRAM, "--link", link, "--log", log, "--control", control};
        args.insert(args.end(), extra.begin(), extra.end());
        return process.Start(args, dir.File("sim.out")) && testing::WaitForPath(link, 5s);
    }
    void Control(const std::string& line) {
        std::ofstream fifo(control);
        fifo << line << "\n";
    }
    std::size_t FramesLogged() { return testing::ReadLines(log).size(); }

    ChildProcess process;
    std::string link, log, control;
};

TEST(SimProgram, HelpNamesTheOptionsAndTheControlLines) {
    std::string output;
    ASSERT_TRUE(testing::RunWithInput({TELVOR_SIM_PROGRAM, "--help"}, "", output));
    for (const char* word : {"--link", "--stations", "--model", "--station-model", "--baud", "--turnaround", "--log",
                             "--control", "--fault", "fault S NAME", "clear S", "silent", "every=N", "bad-lrc=K"})
        EXPECT_NE(output.find(word), std::string::npos) << word;
    EXPECT_FALSE(testing::RunWithInput({TELVOR_SIM_PROGRAM, "--stations", "0"}, "", output));
}

TEST(SimProgram, ServesItsStationsAndLeavesNoTraceOnSigterm) {
    TempDir dir;
    SimProcess sim;
    ASSERT_TRUE(sim.Start(dir, {"--stations", "1,3,5-7", "--model", "4", "--station-model", "3=8"}));
    {
        CModbusAscii port;
        ASSERT_EQ(port.Open(sim.link, kLinkQueueSize, kLinkQueueSize), 0);
        EXPECT_EQ(EchoTest(port, 1).result, ReplyNormal);
        EXPECT_EQ(ReadCapacityCode(port, 1).values, std::vector<std::uint16_t>{4});
        EXPECT_EQ(ReadCapacityCode(port, 3).values, std::vector<std::uint16_t>{8});
        EXPECT_EQ(ReadCapacityCode(port, 7).values, std::vector<std::uint16_t>{4});
        EXPECT_EQ(ReadSoftwareVersion(port, 6).values, std::vector<std::uint16_t>{12});
        const TransactionReply absent = EchoTest(port, 2, kEchoAttemptsScanning);
        EXPECT_EQ(absent.result, ReplyTimeout);
        EXPECT_EQ(absent.exchanges, 2);
    }
    const std::vector<std::string> frames = testing::ReadLines(sim.log);
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(frames[0], ":01080000A5371B\\r\\n");
    EXPECT_EQ(frames[5], frames[6]) << "the same echo twice for the absent station";

    const int status = sim.process.Stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.link)));
    EXPECT_FALSE(std::filesystem::exists(sim.control));
}

struct FaultCase {
    const char* control;
    ExchangeResult result;
    int exchanges;
    int replyStation;
};

TEST(SimFaults, EachFaultGivesItsResultAfterTheRightNumberOfAttempts) {
    TempDir dir;
    SimProcess sim;
    ASSERT_TRUE(sim.Start(dir, {"--stations", "1-2", "--model", "3"}));
    CModbusAscii port;
    ASSERT_EQ(port.Open(sim.link, kLinkQueueSize, kLinkQueueSize), 0);
    // The long delay comes last: its late replies must not meet another case.
    const FaultCase cases[] = {
        {"clear 1", ReplyNormal, 1, 1},
        {"fault 1 every 2", ReplyNormal, 2, 1},
        {"fault 1 bad-lrc 1", ReplyNormal, 2, 1},
        {"fault 1 bad-lrc 3", ReplyChecksumError, 3, 1},
        {"fault 1 lower-case", ReplyChecksumError, 3, 1},
        {"fault 1 half-frame", ReplyChecksumError, 3, 1},
        {"fault 1 other-address 9", ReplyTimeout, 3, -1},  // a reply from another station is never taken
        {"fault 1 delay 150", ReplyNormal, 1, 1},
        {"fault 1 silent", ReplyTimeout, 3, -1},
        {"fault 1 stray", ReplyTimeout, 3, -1},
        {"fault 1 every 4", ReplyTimeout, 3, -1},
        {"fault 1 delay 1500", ReplyTimeout, 3, -1},
    };
    for (const auto& c : cases) {
        sim.Control("clear 1");
        sim.Control(c.control);
        std::this_thread::sleep_for(20ms);
        const std::size_t before = sim.FramesLogged();
        const TransactionReply reply = ReadCapacityCode(port, 1);
        EXPECT_EQ(reply.result, c.result) << c.control;
        EXPECT_EQ(reply.exchanges, c.exchanges) << c.control;
        EXPECT_EQ(sim.FramesLogged() - before, static_cast<std::size_t>(c.exchanges)) << c.control;
        EXPECT_EQ(reply.replyStation, c.replyStation) << c.control;
        if (c.result == ReplyNormal) {
            EXPECT_EQ(reply.values, std::vector<std::uint16_t>{3}) << c.control;
        }
    }
    // A fault of one station leaves the other alone.
    EXPECT_EQ(ReadCapacityCode(port, 2).result, ReplyNormal);
}

// As one request at a time on a real line: a reply held back holds back the replies
// to everything asked after it, even of another station.
TEST(SimLineTiming, AnswersInTheOrderItWasAsked) {
    TempDir dir;
    SimProcess sim;
    ASSERT_TRUE(sim.Start(dir, {"--stations", "1-2", "--fault", "1:delay=300"}));
    CSerialPort port;
    ASSERT_EQ(port.Open(sim.link, kLinkQueueSize, kLinkQueueSize), 0);
    char first[kRequestBufferSize] = {};
    char second[kRequestBufferSize] = {};
    ASSERT_EQ(port.Write(first, CModbusAscii::ReadCapacityCode(first, 1)), 0);
    ASSERT_EQ(port.Write(second, CModbusAscii::ReadCapacityCode(second, 2)), 0);
    std::string replies;
    for (int i = 0; i < 20 && std::count(replies.begin(), replies.end(), '\n') < 2; ++i) {
        char buffer[kReplyBufferSize];
        std::size_t got = 0;
        port.Read(buffer, sizeof buffer, &got);
        replies.append(buffer, got);
    }
    EXPECT_EQ(StationOfReply(replies), 1) << replies;
    EXPECT_EQ(std::count(replies.begin(), replies.end(), '\n'), 2) << replies;
}

TEST(SimLineTiming, HoldsEachReplyForTheTimeOfTheLine) {
    TempDir dir;
    SimProcess sim;
    // 32 characters of a ReadParameter at 4800 Bd take 66.7 ms.
    ASSERT_TRUE(sim.Start(dir, {"--baud", "4800", "--turnaround", "2"}));
    CModbusAscii port;
    ASSERT_EQ(port.Open(sim.link, kLinkQueueSize, kLinkQueueSize), 0);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i) ASSERT_EQ(ReadParameter(port, 1, 2).result, ReplyNormal);
    const double each = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / 5;
    EXPECT_GE(each, 60);
    EXPECT_LE(each, 300);
}

TEST(SimAndPymodbus, ThePymodbusMasterGetsTheSimulatorsAnswers) {
    if (const std::string missing = testing::PeerMissing("master.py"); !missing.empty()) GTEST_SKIP() << missing;
    TempDir dir;
    SimProcess sim;
    ASSERT_TRUE(sim.Start(dir, {"--stations", "1,3", "--model", "8"}));
    const std::pair<std::string, std::string> exchanges[] = {
        {"read 1 0 1", "ok 8"},
        {"read 3 44 1", "ok 12"},
        {"read 1 8 2", "ok 5000 0"},
        {"write 1 8 4000", "ok"},
        {"read 1 8 2", "ok 4000 0"},
        {"write 1 8 30000", "exception 134 54"},
        {"read 1 300 1", "exception 131 52"},
        {"read 1 0 40", "exception 131 53"},
        {"write-multiple 1 8 4500 50", "ok"},
        {"read 1 8 2", "ok 4500 50"},
        {"write 3 43 20", "ok"},
        {"read 3 8 1", "ok 6000"},
        {"write 1 44 13", "exception 134 55"},
        {"echo 1", "ok A537"},
    };
    std::string input;
    for (const auto& [request, result] : exchanges) input += request + "\n";
    std::string output;
    ASSERT_TRUE(testing::RunWithInput({testing::kPython, TELVOR_PEER_DIR "/master.py", sim.link}, input, output))
        << "the pymodbus master failed";
    std::istringstream lines(output);
    for (const auto& [request, result] : exchanges) {
        std::string line;
        ASSERT_TRUE(std::getline(lines, line)) << "no answer to " << request;
        EXPECT_EQ(line, result) << request;
    }
}

}  // namespace
}  // namespace telvor
