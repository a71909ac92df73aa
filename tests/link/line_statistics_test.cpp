// The line's statistics as the exchanges count them on a pty, and the quick echo's wait.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "delaying_drive.h"
#include "line_statistics.h"
#include "transactions.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using testing::DelayingDrive;

std::string VersionRequest() {
    char frame[kRequestBufferSize] = {};
    return {frame, CModbusAscii::ReadSoftwareVersion(frame, 1)};
}

// The version read's first reply comes within its repeat's wait, its second 600 ms
// later: it arrives while the echo that brings the station back in step waits, and is
// dropped as late.
TEST(LineStatisticsCount, ResyncEchoesAndLateRepliesAreCounted) {
    DelayingDrive drive;
    CModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
    drive.Delay(VersionRequest(), {600ms, 600ms});
    ASSERT_TRUE(ReadSoftwareVersion(port, 1).Ok());
    ASSERT_TRUE(ReadCapacityCode(port, 1).Ok());
    const LineStatistics& counted = port.Statistics();
    EXPECT_EQ(LineStatisticsText(counted).substr(0, 69),
              "sent=5 replies=3 timeouts=2 checksum=0 exceptions=0 late=1 retries=2 ");
    EXPECT_GE(counted.LargestReplyMilliseconds(), 100.0) << "the version's reply came 200 ms into its repeat";
    EXPECT_LE(counted.MeanReplyMilliseconds(), counted.LargestReplyMilliseconds());
}

TEST(LineStatisticsCount, TheQuickEchoWaitsForWhatTheLineNeeds) {
    const std::pair<int, int> waits[] = {{38400, 26}, {19200, 37}, {9600, 58}, {4800, 100}, {300, 400}, {0, 400}};
    for (const auto& [baud, milliseconds] : waits)
        EXPECT_EQ(QuickEchoWait(baud).count(), milliseconds) << baud << " Bd";
}

TEST(LineStatisticsCount, TheQuickEchoGivesUpAfterItsWaitAndTheLineWaitsAsBefore) {
    DelayingDrive drive;
    CModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
    drive.Ignore(1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(QuickEchoTest(port, 1, QuickEchoWait(38400)).result, ExchangeResult::ReplyTimeout);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_FALSE(port.ReplyWait().has_value());
    EXPECT_TRUE(QuickEchoTest(port, 1, QuickEchoWait(38400)).Ok());
}

}  // namespace
}  // namespace telvor
