#include "frame_trace.h"

namespace telvor {

std::string ShowFrameBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(bytes.size() + 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\\') {
            shown += "\\\\";
        } else if (byte < 0x20 || byte > 0x7E) {
            shown += "\\x";
            shown += kDigits[byte >> 4];
            shown += kDigits[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

const char* DirectionName(FrameDirection direction) { return direction == FrameDirection::Sent ? "out" : "in"; }

void StreamFrameTrace::Record(FrameDirection direction, std::chrono::steady_clock::time_point time,
                              std::string_view bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) {
        first_ = time;
        started_ = true;
    }
    const double ms = std::chrono::duration<double, std::milli>(time - first_).count();
    std::fprintf(stream_, "%10.3f ms %-3s %s\n", ms, DirectionName(direction), ShowFrameBytes(bytes).c_str());
    std::fflush(stream_);
}

void RecordingFrameTrace::Record(FrameDirection direction, std::chrono::steady_clock::time_point time,
                                 std::string_view bytes) {
    frames_.push_back({direction, time, std::string(bytes)});
}

}  // namespace telvor
