#pragma once
// The per-station monitor tables: what the last polls read from each station,
// what the monitor windows chose for it and the requests waiting for it. One
// entry per station address 0..254.

#include <array>
#include <cstdint>

namespace telvor {

inline constexpr int kMonitorTableSize = 255;
inline constexpr std::uint16_t kResetHighLimit = 500;

// Monitor values in the order of registers 242..246.
enum MonitorValue { SetFrequency, OutputFrequency, OutputVoltage, BusVoltage, OutputCurrent, kMonitorValuesUsed };
// Run status flags from bits 0..4 of register 239.
inline constexpr int kRunStatusFlags = 5;
inline constexpr int kRunningFlag = 0;
inline constexpr int kReverseFlag = 1;
// Terminals in window order; their bits in register 241 and in the control word.
enum Terminal { TerminalS1, TerminalS2, TerminalS3, TerminalS4, TerminalAin, TerminalRy1, kTerminalCount };
inline constexpr std::array<int, kTerminalCount> kTerminalStatusBit = {0, 1, 2, 3, 6, 7};
inline constexpr std::array<int, kTerminalCount> kTerminalControlBit = {5, 6, 7, 8, 11, 12};
// Command requests of the buttons RUN, STOP, FWD, REV and "Abnormity Reset".
enum Command { CommandRun, CommandStop, CommandForward, CommandReverse, CommandFaultReset, kCommandCount };

// A parameter chosen under "Fun. no.": group 0 basic (A), 1 advanced (b), number 0..99.
struct FunctionChoice {
    int group = 0;
    int number = 0;
    int CodeIndex() const { return group * 100 + number; }
};

struct StationMonitor {
    std::uint16_t highLimit = kResetHighLimit;  // raw A02
    std::uint16_t lowLimit = 0;                 // raw A03
    std::array<std::uint16_t, kMonitorValuesUsed> values{};
    std::array<bool, kRunStatusFlags> runStatus{};
    std::uint16_t faultCode = 0;
    std::array<bool, kTerminalCount> terminals{};
    FunctionChoice function;
    std::array<std::array<std::int32_t, 100>, 2> functionData{};
    std::int32_t frequencyCommand = 0;
    std::array<bool, kCommandCount> commandRequests{};
    std::array<bool, kTerminalCount> toggleRequests{};
    bool present = false;  // answered the monitor-all scan, or linked again on its panel

    std::int32_t& FunctionData(FunctionChoice choice) { return functionData[choice.group][choice.number]; }
    std::int32_t FunctionData(FunctionChoice choice) const { return functionData[choice.group][choice.number]; }
};

struct MonitorTables {
    std::array<StationMonitor, kMonitorTableSize> stations;

    // Every table back to its start: limits 500 and 0, everything else 0, no
    // station present.
    void Reset();
    // Clears the command and toggle requests of every station.
    void ClearRequests();
};

}  // namespace telvor
