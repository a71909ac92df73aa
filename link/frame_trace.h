#pragma once
// An optional record of every frame that goes over the line: direction, a
// monotonic time stamp and the bytes. Off unless a sink is given to the port.

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace telvor {

enum class FrameDirection { Sent, Received };

struct TracedFrame {
    FrameDirection direction;
    std::chrono::steady_clock::time_point time;
    std::string bytes;
};

class FrameTrace {
public:
    virtual ~FrameTrace() = default;
    virtual void Record(FrameDirection direction, std::chrono::steady_clock::time_point time,
                        std::string_view bytes) = 0;
};

// The bytes as one printable line: CR and LF as \r and \n, other bytes outside
// 0x20..0x7E as \xNN, a backslash as \\.
std::string ShowFrameBytes(std::string_view bytes);

// "out" or "in".
const char* DirectionName(FrameDirection direction);

// Writes one line per frame to a stdio stream: "<ms since the first frame> out :01080000A5371B\r\n".
class StreamFrameTrace : public FrameTrace {
public:
    explicit StreamFrameTrace(std::FILE* stream) : stream_(stream) {}
    void Record(FrameDirection direction, std::chrono::steady_clock::time_point time,
                std::string_view bytes) override;

private:
    std::mutex mutex_;  // several lines may trace into one stream at once
    std::FILE* stream_;
    bool started_ = false;
    std::chrono::steady_clock::time_point first_{};
};

// Keeps every frame in memory, in order.
class RecordingFrameTrace : public FrameTrace {
public:
    void Record(FrameDirection direction, std::chrono::steady_clock::time_point time,
                std::string_view bytes) override;
    const std::vector<TracedFrame>& Frames() const { return frames_; }
    void Clear() { frames_.clear(); }

private:
    std::vector<TracedFrame> frames_;
};

}  // namespace telvor
