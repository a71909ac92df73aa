#pragma once
// What the monitor windows show: value forms, run state, direction, fault texts,
// station captions and the "Fun. no." entries.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "monitor_tables.h"

namespace telvor {

inline constexpr const char* kRunText = "RUN";
inline constexpr const char* kStopText = "STOP";
inline constexpr const char* kForwardText = "FWD >>";
inline constexpr const char* kReverseText = "<< REV";
inline constexpr int kFunctionEntryCount = 111;  // A00..A12, b00..b97

// A raw value with two decimals: 6000 is "060.00", 123456 is "1234.56" (every digit kept).
std::string TwoDecimalText(std::int64_t raw);
// A raw value with one decimal: 2200 is "220.0", 12345 is "1234.5".
std::string OneDecimalText(std::int64_t raw);
// Output voltage times output current, in the two-decimal form.
std::string OutputPowerText(const StationMonitor& station);
// The text of a fault code, starting with a blank; empty for 0, 12 and codes above 35.
std::string FaultText(int faultCode);

// "Station: 005-T" with a document open (title T, maybe empty), "Station: 005" without.
std::string StationCaption(int station, const std::string* title);

// "Fun. no." entry i (0..110) and the code index it names: i for A00..A12, i + 87 for b00..b97.
int CodeIndexOfEntry(int entry);
int EntryOfCodeIndex(int codeIndex);
FunctionChoice FunctionChoiceOfEntry(int entry);

// Everything one station's panel shows, as text.
struct MonitorDisplay {
    std::string runState;
    std::string direction;
    std::string setFrequency;
    std::string outputFrequency;
    std::string outputVoltage;
    std::string outputCurrent;
    std::string outputPower;
    std::string busVoltage;
    std::string fault;
    std::string functionData;  // the chosen parameter's value in its own format
    std::array<bool, kTerminalCount> terminals{};
};

MonitorDisplay DisplayOf(const StationMonitor& station);

}  // namespace telvor
