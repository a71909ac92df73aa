#pragma once
// The time a full read takes on the line itself at 38400 Bd with telvor-sim's 2 ms
// turnaround: requests, replies and turnarounds, nothing of the program.

#include <algorithm>
#include <vector>

#include "modbus_ascii.h"
#include "parameter_block_reader.h"
#include "parameter_keys.h"

namespace telvor {

inline constexpr int kLimitBaud = 38400;
inline constexpr double kLimitTurnaround = 0.002;  // telvor-sim's default

// Time on the line of one read of `count` registers: request, reply, turnaround.
inline double ReadOnTheLine(int count) {
    return (static_cast<double>(kRequestLength) + 11 + 4 * count) * 10.0 / kLimitBaud + kLimitTurnaround;
}

// Version, capacity and the parameters one at a time, or in blocks of at most `block`.
inline double ReadLimit(int block) {
    std::vector<int> codes;
    for (int slot = 0; slot < kParameterCount; ++slot) codes.push_back(CodeIndexOfSlot(slot));
    double seconds = 2 * ReadOnTheLine(1);
    for (const RegisterRun& run : RegisterRuns(codes))
        for (std::size_t at = 0; at < run.codes.size(); at += static_cast<std::size_t>(block))
            seconds += ReadOnTheLine(static_cast<int>(std::min<std::size_t>(block, run.codes.size() - at)));
    return seconds;
}

}  // namespace telvor
