// The frame trace: what it records and how it shows the bytes.

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "frame_trace.h"
#include "modbus_ascii.h"
#include "pty_pair.h"

namespace telvor {
namespace {

TEST(ShowFrameBytes, ShowsLineEndsAndUnprintableBytesAsEscapes) {
    EXPECT_EQ(ShowFrameBytes(":01080000A5371B\r\n"), ":01080000A5371B\\r\\n");
    EXPECT_EQ(ShowFrameBytes(std::string("\0:\x7F\xFF\\", 5)), "\\x00:\\x7F\\xFF\\\\");
    EXPECT_EQ(ShowFrameBytes(""), "");
}

TEST(FrameTrace, RecordsTheRequestAndTheReplyInOrderWithRisingTimes) {
    testing::PtyPair line;
    ASSERT_TRUE(line.Ok());
    CModbusAscii port;
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    RecordingFrameTrace trace;
    port.SetFrameTrace(&trace);
    std::thread far([&] {
        line.Receive();
        line.Send(":01080000A5371B\r\n");
    });
    char request[kRequestBufferSize];
    char reply[kReplyBufferSize] = {};
    const std::size_t length = CModbusAscii::EchoTest(request, 1);
    EXPECT_EQ(port.Exchange(request, length, reply, 17, 1), ExchangeResult::ReplyNormal);
    far.join();
    ASSERT_EQ(trace.Frames().size(), 2u);
    EXPECT_EQ(trace.Frames()[0].direction, FrameDirection::Sent);
    EXPECT_EQ(trace.Frames()[0].bytes, ":01080000A5371B\r\n");
    EXPECT_EQ(trace.Frames()[1].direction, FrameDirection::Received);
    EXPECT_EQ(trace.Frames()[1].bytes, ":01080000A5371B\r\n");
    EXPECT_LE(trace.Frames()[0].time, trace.Frames()[1].time);
}

TEST(StreamFrameTrace, WritesOneLinePerFrame) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    StreamFrameTrace trace(file);
    const auto now = std::chrono::steady_clock::now();
    trace.Record(FrameDirection::Sent, now, ":01080000A5371B\r\n");
    trace.Record(FrameDirection::Received, now + std::chrono::milliseconds(12), ":01080000A5371B\r\n");
    std::rewind(file);
    char text[256] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    EXPECT_EQ(std::string(text, n),
              "     0.000 ms out :01080000A5371B\\r\\n\n"
              "    12.000 ms in  :01080000A5371B\\r\\n\n");
}

}  // namespace
}  // namespace telvor
