// Replies that come after their attempt's time-out, a second one later than the first:
// no reply to an earlier request is ever taken for a later one. Each read either gets
// the drive's own answer or fails; none gets another request's answer. (telvorctl's
// read, block read, write and control meet the same drive in tests/app.) How the line
// is brought back in step: an echo of fresh data, where and only where it is needed.

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

std::string ReadRequest(int codeIndex) {
    char frame[kRequestBufferSize] = {};
    return {frame, CModbusAscii::ReadParameter(frame, 1, codeIndex)};
}

std::string Show(const Delays& delays) {
    return std::to_string(delays.first.count()) + "/" + std::to_string(delays.second.count()) + " ms";
}

class LateReplies : public ::testing::TestWithParam<Delays> {};

TEST_P(LateReplies, ReadsGiveEachParameterItsOwnValue) {
    DelayingDrive drive;
    CModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
    const auto [first, second] = GetParam();
    drive.Delay(ReadRequest(kA00), {first, second});
    for (int code = 0; code <= 6; ++code) {
        const TransactionReply reply = ReadParameter(port, 1, code);
        const std::string what = CodeText(code) + ", " + Show(GetParam());
        if (reply.Ok()) {
            EXPECT_EQ(reply.values, std::vector<std::uint16_t>{drive.Register(RegisterOfParameter(code))}) << what;
        } else {
            EXPECT_EQ(reply.result, ReplyTimeout) << what;
        }
        // A00's first reply comes within its repeat's wait; at 450/1050 ms the drive has
        // caught up within the echo's attempts.
        if (code == kA00 || first == 450ms) {
            EXPECT_TRUE(reply.Ok()) << what;
        }
    }
    std::this_thread::sleep_for(second);
    EXPECT_EQ(ReadParameter(port, 1, 3).values, std::vector<std::uint16_t>{drive.Register(RegisterOfParameter(3))})
        << "once the drive has caught up, reads succeed again";
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
