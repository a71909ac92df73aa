// The handheld's serial line on real ptys: its read thread takes a reply when the line
// feed arrives, never before, and the exchange classifies what it took.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "child_process.h"
#include "delaying_drive.h"
#include "gsm_modbus_ascii.h"
#include "pty_pair.h"
#include "ser2net_server.h"
#include "test_frames.h"
#include "transactions.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using testing::PtyPair;
using testing::WithLrc;
using Clock = std::chrono::steady_clock;

const std::string kVersionRequest = ":0103002C0001CF\r\n";
const std::string kVersionReply = WithLrc(":010302000C");

class GsmComTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(line.Ok());
        ASSERT_EQ(port.Open(line.SlavePath()), 0);
    }
    // Writes the version request and has the far end answer with `reply` at once.
    void Ask(const std::string& reply) {
        ASSERT_NE(port.WriteProc(kVersionRequest.data(), static_cast<int>(kVersionRequest.size())), 0);
        ASSERT_EQ(line.Receive(), kVersionRequest);
        line.Send(reply);
    }
    std::string Taken() {
        char buffer[kGsmReceiveBufferSize];
        std::uint32_t count = 99;
        EXPECT_EQ(port.ReadProc(buffer, &count), 1);
        return {buffer, count};
    }
    PtyPair line;
    CGSMModbusAscii port;
};

TEST(GsmComOpen, NamesThatReachNoPortGiveMinusOneAndNoHandle) {
    testing::TempDir folder;
    std::filesystem::create_directories(folder.File("ports"));
    std::filesystem::create_symlink(folder.File("nowhere"), folder.File("ports/COM4"));
    CGSMCom port;
    port.SetProgramFolder(folder.Path());
    for (const char* name : {"COM4:", "/dev/telvor-no-such-port", ""}) {
        EXPECT_EQ(port.Open(name), -1) << name;
        EXPECT_FALSE(port.IsOpen()) << name;
        EXPECT_FALSE(port.WaitResponse()) << name;
    }
}

TEST(GsmComOpen, ComNameIsResolvedThroughTheProgramFolder) {
    PtyPair line;
    testing::TempDir folder;
    std::filesystem::create_directories(folder.File("ports"));
    std::filesystem::create_symlink(line.SlavePath(), folder.File("ports/COM2"));
    CGSMCom port;
    port.SetProgramFolder(folder.Path());
    ASSERT_EQ(port.Open("COM2:"), 0);
    ASSERT_NE(port.WriteProc(kVersionRequest.data(), static_cast<int>(kVersionRequest.size())), 0);
    EXPECT_EQ(line.Receive(), kVersionRequest);
}

// "COM7:" is a serial device server: its file in ports/ holds the address of ser2net,
// in front of the simulator, in raw TCP. The read thread takes replies from the connection.
TEST(GsmComOpen, AComNameReachesASerialDeviceServer) {
    testing::TempDir folder;
    testing::ChildProcess sim;
    ASSERT_TRUE(sim.Start({TELVOR_SIM_PROGRAM, "--link", folder.File("line"), "--stations", "4"}));
    ASSERT_TRUE(testing::WaitForPath(folder.File("line"), 5s));
    testing::Ser2netServer server;
    ASSERT_TRUE(server.Start(folder, folder.File("line"))) << "ser2net (Debian package ser2net): " << server.Output();
    std::filesystem::create_directories(folder.File("ports"));
    std::ofstream(folder.File("ports/COM7")) << server.RawAddress() << "\n";
    CGSMModbusAscii port;
    port.SetProgramFolder(folder.Path());
    ASSERT_EQ(port.Open("COM7:"), 0);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(ReadSoftwareVersion(port, 4).Ok()) << i;
    EXPECT_EQ(ReadSoftwareVersion(port, 5).result, ExchangeResult::ReplyTimeout);
    EXPECT_TRUE(ReadCapacityCode(port, 4).Ok()) << "in step again after the silent station";
}

TEST_F(GsmComTest, ReplyThatArrivedBeforeTheWaitIsTaken) {
    Ask(kVersionReply);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(port.WaitResponse());
    EXPECT_EQ(Taken(), kVersionReply);
}

TEST_F(GsmComTest, SilentStationEndsTheWaitAfterAboutHalfASecond) {
    Ask("");
    const auto start = Clock::now();
    EXPECT_FALSE(port.WaitResponse());
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 450ms);
    EXPECT_LT(waited, 1500ms);
    EXPECT_EQ(Taken().size(), 0u);
}

TEST_F(GsmComTest, BytesWithoutLineFeedAreNeverTakenAndTheNextWritePurgesThem) {
    Ask(kVersionReply.substr(0, 9));
    EXPECT_FALSE(port.WaitResponse());
    Ask(kVersionReply);
    EXPECT_TRUE(port.WaitResponse());
    EXPECT_EQ(Taken(), kVersionReply) << "the unfinished bytes must not lead the next reply";
}

TEST_F(GsmComTest, OneWaitTakesOneReplyAndALongReplyIsCutToTheBuffer) {
    const std::string longLine = ":" + std::string(120, '0') + "\r\n";
    Ask(longLine + kVersionReply);
    EXPECT_TRUE(port.WaitResponse());
    EXPECT_EQ(Taken(), longLine.substr(0, kGsmReceiveBufferSize));
    Ask(kVersionReply);
    EXPECT_TRUE(port.WaitResponse());
    EXPECT_EQ(Taken(), kVersionReply) << "the rest of the long line and the second reply were purged";
}

TEST_F(GsmComTest, ExchangeClassifiesTheReply) {
    const struct {
        std::string reply;
        ExchangeResult result;
    } cases[] = {
        {kVersionReply, ExchangeResult::ReplyNormal},
        {WithLrc(":018352"), ExchangeResult::ReplyException},
        {":010302000C00\r\n", ExchangeResult::ReplyChecksumError},
        {"010302000CEE\r\n", ExchangeResult::ReplyTimeout},
        {std::string("\377\0", 2) + kVersionReply, ExchangeResult::ReplyChecksumError},  // a parity error on the ":"
        {"", ExchangeResult::ReplyTimeout},
        // A late reply of another request is passed over; the wait goes on for this one's.
        {WithLrc(":0203020007") + kVersionReply, ExchangeResult::ReplyNormal},
        {WithLrc(":0203020007"), ExchangeResult::ReplyTimeout},
    };
    for (const auto& c : cases) {
        std::thread farEnd([&] {
            if (line.Receive(300ms) == kVersionRequest) line.Send(c.reply);
        });
        char reply[kGsmReceiveBufferSize];
        std::size_t received = 0;
        EXPECT_EQ(port.Exchange(kVersionRequest.data(), kVersionRequest.size(), reply, sizeof reply, 1, &received),
                  c.result)
            << c.reply;
        farEnd.join();
        if (c.result == ExchangeResult::ReplyNormal) {
            EXPECT_EQ(std::string(reply, received), kVersionReply);
        }
    }
}

TEST_F(GsmComTest, TransactionsRepeatAFailedCallThreeTimesAtMost) {
    std::thread farEnd([&] {
        for (const char* reply : {":0103020007EE\r\n", ""})
            if (line.Receive(1000ms) == kVersionRequest) line.Send(reply);
        if (line.Receive(1000ms) == kVersionRequest) line.Send(kVersionReply);
    });
    const TransactionReply version = ReadSoftwareVersion(port, 1);
    farEnd.join();
    EXPECT_EQ(version.exchanges, 3);
    ASSERT_TRUE(version.Ok());
    EXPECT_EQ(version.values, std::vector<std::uint16_t>{12});
    EXPECT_EQ(ReadSoftwareVersion(port, 1).result, ExchangeResult::ReplyTimeout);
}

// The handheld's transactions keep the line in step as the desktop's do: A00's reply
// comes after the first attempt's wait and the repeat's later still; A01 must get its own.
TEST(GsmComLate, ALateReplyIsNeverTakenForTheNextParameter) {
    testing::DelayingDrive drive;
    CGSMModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path()), 0);
    char frame[kRequestBufferSize] = {};
    drive.Delay({frame, CModbusAscii::ReadParameter(frame, 1, 0)}, {600ms, 1000ms});
    EXPECT_EQ(ReadParameter(port, 1, 0).values, std::vector<std::uint16_t>{drive.Register(RegisterOfParameter(0))});
    EXPECT_EQ(ReadParameter(port, 1, 1).values, std::vector<std::uint16_t>{drive.Register(RegisterOfParameter(1))});
}

TEST_F(GsmComTest, CloseEndsTheThreadAndOpenStartsAFreshOne) {
    for (int round = 0; round < 3; ++round) {
        port.Close();
        EXPECT_FALSE(port.IsOpen());
        ASSERT_EQ(port.Open(line.SlavePath()), 0);
        Ask(kVersionReply);
        EXPECT_TRUE(port.WaitResponse()) << round;
    }
    PtyPair other;
    CGSMCom second;
    ASSERT_EQ(second.Open(other.SlavePath()), 0);
    EXPECT_FALSE(port.IsOpen()) << "the program has one port: opening another closes the first";
    EXPECT_EQ(port.WriteProc(kVersionRequest.data(), static_cast<int>(kVersionRequest.size())), 0);
}

}  // namespace
}  // namespace telvor
