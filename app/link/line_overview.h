#pragma once
// What the line overview shows of each station that answered: its model, software
// version, and run state and fault as last seen.

#include <optional>
#include <string>

namespace telvor {

class ModbusTransport;

struct StationOverview {
    int station = 0;
    std::optional<int> model;    // the capacity code
    std::optional<int> version;  // register 44
    std::optional<bool> running;
    std::optional<int> faultCode;  // 0: no fault
};

// Reads the capacity code, the software version and the status words; what did
// not answer stays empty.
StationOverview SurveyStation(ModbusTransport& port, int station);

// The model's name, "xxx-xxx-xx" for a code without a model, "?" when unread.
std::string OverviewModelText(const StationOverview& overview);
// "1.2", or "?" when unread.
std::string OverviewVersionText(const StationOverview& overview);

// The overview as telvorctl prints it: a header, then one tab-separated line a station.
inline constexpr const char* kOverviewHeader = "station\tmodel\tversion\ttitle";
// "003\tKRV-020-11\t1.2\tPump 3"
std::string OverviewLine(const StationOverview& overview, const std::string& title);

}  // namespace telvor
