#pragma once
// One line per station and tick of what the monitor shows, for the console and
// for log files: tab-separated display texts, or comma-separated plain numbers
// after an ISO-8601 time.

#include <chrono>
#include <string>

#include "monitor_tables.h"

namespace telvor {

enum class MonitorLogForm { Display, Csv };

// The column names; with `stationColumn` a "station" column comes first (after the time).
std::string MonitorLogHeader(MonitorLogForm form, bool stationColumn);
// One line without its line feed; station 0 leaves the station column out.
std::string MonitorLogLine(MonitorLogForm form, const StationMonitor& entry, int station,
                           std::chrono::system_clock::time_point now);
// "2026-12-09T01:02:03.456Z".
std::string IsoTime(std::chrono::system_clock::time_point now);

}  // namespace telvor
