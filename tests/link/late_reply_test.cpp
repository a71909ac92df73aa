// Replies that come after their attempt's time-out, a second one later than the first:
// no reply to an earlier request is ever taken for a later one. Each case either gets
// the drive's own answer or fails as a failure; none gets another request's answer.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "delaying_drive.h"
#include "parameter_keys.h"
#include "transactions.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using enum ExchangeResult;
using testing::DelayingDrive;
using Delays = std::pair<std::chrono::milliseconds, std::chrono::milliseconds>;

constexpr int kA00 = 0;
constexpr int kB92 = 192;
constexpr int kB93 = 193;

std::string ReadRequest(int codeIndex) {
    char frame[kRequestBufferSize] = {};
    return {frame, CModbusAscii::ReadParameter(frame, 1, codeIndex)};
}

std::string WriteRequest(int codeIndex, int value) {
    char frame[kRequestBufferSize] = {};
    return {frame, CModbusAscii::WriteParameter(frame, 1, codeIndex, value)};
}

std::string Show(const Delays& delays) {
    return std::to_string(delays.first.count()) + "/" + std::to_string(delays.second.count()) + " ms";
}

class LateReplies : public ::testing::TestWithParam<Delays> {
protected:
    void SetUp() override { ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0); }
    // The first reply to this request comes that late, the reply to its repeat later still.
    void DelayTwice(const std::string& request) {
        drive.Delay(request, {GetParam().first, GetParam().second});
    }
    // A read must give the drive's own value of the register, or fail.
    void ExpectOwnValueOrFailure(const TransactionReply& reply, int reg, const std::string& what) {
        if (reply.Ok()) {
            EXPECT_EQ(reply.values, std::vector<std::uint16_t>{drive.Register(reg)})
                << what << ", " << Show(GetParam());
        } else {
            EXPECT_NE(reply.result, ReplyException) << what << ", " << Show(GetParam());
        }
    }

    DelayingDrive drive;
    CModbusAscii port;
};

TEST_P(LateReplies, ReadsGiveEachParameterItsOwnValue) {
    DelayTwice(ReadRequest(kA00));
    for (int code = 0; code <= 6; ++code) {
        const TransactionReply reply = ReadParameter(port, 1, code);
        ExpectOwnValueOrFailure(reply, RegisterOfParameter(code), CodeText(code));
        // A00's first reply comes within its repeat's wait; at 450/1050 ms the drive has
        // caught up within the echo's attempts.
        if (code == kA00 || GetParam().first == 450ms) {
            EXPECT_TRUE(reply.Ok()) << CodeText(code) << ", " << Show(GetParam());
        }
    }
    std::this_thread::sleep_for(GetParam().second);
    EXPECT_EQ(ReadParameter(port, 1, 3).values,
              std::vector<std::uint16_t>{drive.Register(RegisterOfParameter(3))})
        << "once the drive has caught up, reads succeed again";
}

TEST_P(LateReplies, BlockReadsGiveEachBlockItsOwnValues) {
    char frame[kRequestBufferSize] = {};
    drive.Delay({frame, CModbusAscii::ReadRegisters(frame, 1, 1, 2)}, {GetParam().first, GetParam().second});
    for (const int first : {1, 4, 8, 12}) {
        const TransactionReply reply = ReadParameterBlock(port, 1, first, 2);
        if (!reply.Ok()) continue;
        EXPECT_EQ(reply.values,
                  (std::vector<std::uint16_t>{drive.Register(first), drive.Register(first + 1)}))
            << "block at " << first << ", " << Show(GetParam());
    }
}

// The drive refuses b93 while the echo of the b92 write is on its way: the refusal is
// reported, never confirmed by that echo.
TEST_P(LateReplies, ARefusedWriteIsNeverConfirmedByTheEchoOfAnother) {
    drive.Refuse(RegisterOfParameter(kB93), 0x54);
    DelayTwice(WriteRequest(kB92, 1));
    EXPECT_EQ(WriteParameter(port, 1, kB92, 1).result, ReplyNormal) << Show(GetParam());
    const TransactionReply refused = WriteParameter(port, 1, kB93, 1);
    EXPECT_NE(refused.result, ReplyNormal) << Show(GetParam());
    if (refused.result == ReplyException) {
        EXPECT_EQ(ExceptionMessage(refused.reply), "Data Over Range !");
    }
}

// Stop of a running drive: the control word must be the drive's, not A00's value 2
// (reverse), or nothing is written.
TEST_P(LateReplies, TheControlWordReadNeverGetsAParametersValue) {
    drive.SetRegister(RegisterOfParameter(kA00), 2);
    drive.SetRegister(kRegisterControlWord, 1);
    DelayTwice(ReadRequest(kA00));
    ASSERT_TRUE(ReadParameter(port, 1, kA00).Ok());
    const TransactionReply control = ReadControlWord(port, 1);
    ExpectOwnValueOrFailure(control, kRegisterControlWord, "control word");
}

std::string EchoData(const std::string& request) {
    return request.substr(9, 4);
}

bool IsResyncEcho(const std::string& request) {
    return request.substr(0, 9) == ":01080000" && EchoData(request) != "A537";
}

std::string VersionRequest() {
    char frame[kRequestBufferSize] = {};
    return {frame, CModbusAscii::ReadSoftwareVersion(frame, 1)};
}

struct StepCase {
    const char* name;
    TransactionReply (*next)(ModbusTransport&);
    bool echoFirst;
};

// After a read whose first attempt went unanswered, an echo of fresh data goes before
// a different request of the same function, and before nothing else.
TEST(LineSync, AnEchoOfFreshDataGoesFirstOnlyWhereAnEarlierReplyCouldBeTaken) {
    const StepCase cases[] = {
        {"another read", [](ModbusTransport& line) { return ReadCapacityCode(line, 1); }, true},
        {"the same read", [](ModbusTransport& line) { return ReadSoftwareVersion(line, 1); }, false},
        {"a write", [](ModbusTransport& line) { return WriteRegister(line, 1, kRegisterControlWord, 0); },
         false},
        {"a read of another station", [](ModbusTransport& line) { return ReadCapacityCode(line, 2); }, false},
    };
    for (const StepCase& c : cases) {
        DelayingDrive drive;
        CModbusAscii port;
        ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
        drive.Ignore(1);
        ASSERT_TRUE(ReadSoftwareVersion(port, 1).Ok()) << c.name;
        c.next(port);
        const std::vector<std::string> requests = drive.Requests();
        ASSERT_GE(requests.size(), 3u) << c.name;
        EXPECT_EQ(requests[0], VersionRequest());
        EXPECT_EQ(requests[1], VersionRequest());
        EXPECT_EQ(IsResyncEcho(requests[2]), c.echoFirst) << c.name << ": " << requests[2];
        if (!c.echoFirst) continue;
        ASSERT_EQ(requests.size(), 4u) << c.name;
        ReadFrequencyLimits(port, 1);
        EXPECT_EQ(drive.Requests().size(), 5u) << "once in step, the next request goes out alone";
    }
}

// A station that never answers the echo fails as a silent station does, and the request
// is not sent; the next try brings other data.
TEST(LineSync, AStationThatDoesNotAnswerTheEchoFailsWithoutTheRequest) {
    DelayingDrive drive;
    CModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
    drive.Ignore(1);
    ASSERT_TRUE(ReadSoftwareVersion(port, 1).Ok());
    drive.Ignore(kTransactionAttempts);
    const TransactionReply failed = ReadCapacityCode(port, 1);
    EXPECT_EQ(failed.result, ReplyTimeout);
    EXPECT_EQ(failed.exchanges, kTransactionAttempts);
    std::vector<std::string> requests = drive.Requests();
    ASSERT_EQ(requests.size(), 2u + kTransactionAttempts);
    for (std::size_t k = 2; k < requests.size(); ++k)
        EXPECT_EQ(requests[k], requests[2]) << "its repeats are identical";
    EXPECT_TRUE(IsResyncEcho(requests[2])) << requests[2];

    const TransactionReply capacity = ReadCapacityCode(port, 1);
    EXPECT_EQ(capacity.values, std::vector<std::uint16_t>{8});
    requests = drive.Requests();
    ASSERT_EQ(requests.size(), 2u + kTransactionAttempts + 2u);
    EXPECT_TRUE(IsResyncEcho(requests[5]));
    EXPECT_NE(EchoData(requests[5]), EchoData(requests[2])) << "fresh data for every echo";
}

// A reply taken while earlier attempts of the same request were still owed may be the
// answer to one of those: the station stays out of step.
TEST(LineSync, ARequestAnsweredWhileItsEarlierAttemptsWereOwedIsStillOwed) {
    LineSync sync;
    const std::string version = VersionRequest();
    const std::string capacity = [] {
        char frame[kRequestBufferSize] = {};
        return std::string(frame, CModbusAscii::ReadCapacityCode(frame, 1));
    }();
    EXPECT_FALSE(sync.NeedsEcho(capacity));
    sync.Settle(version, false, true);
    EXPECT_TRUE(sync.NeedsEcho(capacity));
    EXPECT_FALSE(sync.NeedsEcho(version));
    sync.Settle(version, true, false);
    EXPECT_TRUE(sync.NeedsEcho(capacity)) << "its own answer may still come";
    sync.Settle(capacity, true, false);
    EXPECT_FALSE(sync.NeedsEcho(version)) << "an answer to a request not owed settles everything before it";
}

INSTANTIATE_TEST_SUITE_P(FirstThenLater, LateReplies,
                         ::testing::Values(Delays{450ms, 1050ms}, Delays{600ms, 1400ms},
                                           Delays{1000ms, 2200ms}),
                         [](const auto& info) {
                             return std::to_string(info.param.first.count()) + "_" +
                                    std::to_string(info.param.second.count());
                         });

}  // namespace
}  // namespace telvor
