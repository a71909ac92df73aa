// Every transaction against pymodbus playing the drive on a socat pty pair.

#include <gtest/gtest.h>

#include <thread>

#include "child_process.h"
#include "recording_sink.h"
#include "transactions.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using enum ExchangeResult;
using Values = std::vector<std::uint16_t>;

constexpr int kStation = 7;

class PeerDriveTest : public ::testing::Test {
protected:
    void SetUp() override {
    if (const std::string missing = testing::PeerMissing("drive_server.py"); !missing.empty()) GTEST_SKIP() << missing;
        ASSERT_TRUE(pair.Start(dir)) << "socat did not make its pty pair";
        std::vector<std::string> args = {testing::kPython, TELVOR_PEER_DIR "/drive_server.py", pair.B(),
                                         std::to_string(kStation)};
        for (const char* reg : {"0=8", "44=12", "8=6000", "9=0", "43=0", "154=50", "230=1", "231=3000", "239=1",
                                "240=0", "241=3"})
            args.push_back(reg);
        for (int reg = 242; reg <= 250; ++reg) args.push_back(std::to_string(reg) + "=" + std::to_string(reg - 142));
        ASSERT_TRUE(server.Start(args, dir.File("server.log")));
        ASSERT_EQ(port.Open(pair.A(), kLinkQueueSize, kLinkQueueSize), 0);
        // The server takes a while to start: echo until it answers.
        const auto end = std::chrono::steady_clock::now() + 15s;
        while (!EchoTest(port, kStation, 1).Ok()) {
            ASSERT_TRUE(server.Running()) << "the pymodbus server ended; see " << dir.File("server.log");
            ASSERT_LT(std::chrono::steady_clock::now(), end) << "the pymodbus server never answered";
        }
    }
    testing::TempDir dir;
    testing::SocatPair pair;
    testing::ChildProcess server;
    CModbusAscii port;
};

TEST_F(PeerDriveTest, ReadsAndWritesGiveThePeersRegisters) {
    struct ReadCase {
        const char* name;
        TransactionReply reply;
        Values values;
    };
    const ReadCase reads[] = {
        {"ReadSoftwareVersion", ReadSoftwareVersion(port, kStation), {12}},
        {"ReadCapacityCode", ReadCapacityCode(port, kStation), {8}},
        {"ReadFrequencyLimits", ReadFrequencyLimits(port, kStation), {6000, 0}},
        {"ReadStatusWords", ReadStatusWords(port, kStation), {1, 0, 3}},
        {"ReadMonitorValues", ReadMonitorValues(port, kStation), {100, 101, 102, 103, 104, 105, 106, 107, 108}},
        {"ReadControlWord", ReadControlWord(port, kStation), {1}},
        {"ReadParameter A06", ReadParameter(port, kStation, 6), {50}},
        {"ReadParameter b89", ReadParameter(port, kStation, 189), {8}},
    };
    for (const auto& read : reads) {
        EXPECT_EQ(read.reply.result, ReplyNormal) << read.name;
        EXPECT_EQ(read.reply.exchanges, 1) << read.name;
        EXPECT_EQ(read.reply.values, read.values) << read.name;
        EXPECT_EQ(read.reply.replyStation, kStation) << read.name;
    }
    EXPECT_EQ(SoftwareVersionText(reads[0].reply.values[0]), "1.2");

    EXPECT_EQ(WriteParameter(port, kStation, 2, 5000).result, ReplyNormal);
    EXPECT_EQ(ReadFrequencyLimits(port, kStation).values, (Values{5000, 0}));
    EXPECT_EQ(WriteRegister(port, kStation, 230, 3).result, ReplyNormal);
    EXPECT_EQ(ReadControlWord(port, kStation).values, Values{3});
    EXPECT_EQ(WriteRegister(port, kStation, 231, 65535).result, ReplyNormal);
    EXPECT_EQ(ReadParameter(port, kStation, 195).values, Values{0});
}

TEST_F(PeerDriveTest, AnExceptionFromThePeerIsReportedOnceWithItsText) {
    // A07 lives in register 7, which the peer does not have.
    const TransactionReply reply = ReadParameter(port, kStation, 7);
    EXPECT_EQ(reply.result, ReplyException);
    EXPECT_EQ(reply.exchanges, 1);
    EXPECT_EQ(reply.reply.substr(0, 5), ":0783");
    testing::RecordingSink sink;
    CommunicationFailureReport(sink, reply);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Error Message");
    EXPECT_EQ(sink.messages[0].text, ExceptionMessage(reply.reply));
    EXPECT_TRUE(sink.dialogs.empty());
}

TEST_F(PeerDriveTest, AStationThePeerDoesNotServeTimesOutAfterThreeAttempts) {
    const auto start = std::chrono::steady_clock::now();
    const TransactionReply reply = EchoTest(port, kStation + 1);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(reply.result, ReplyTimeout);
    EXPECT_EQ(reply.exchanges, 3);
    EXPECT_GE(seconds, 0.9);
    EXPECT_LE(seconds, 2.7);
    testing::RecordingSink sink;
    CommunicationFailureReport(sink, reply);
    EXPECT_EQ(sink.dialogs, std::vector<FixedDialog>{FixedDialog::TimeOut});
}

}  // namespace
}  // namespace telvor
