#include "monitor_csv_log.h"

#include <chrono>

#include "atomic_file.h"
#include "monitor_log.h"
#include "monitor_session.h"
#include "station_range.h"

namespace telvor {

bool MonitorCsvLog::Open(const std::string& path, bool stationColumn) {
    std::string target;
    file_.reset(ResolveWriteTarget(path, target).ok ? std::fopen(target.c_str(), "w") : nullptr);
    stationColumn_ = stationColumn;
    if (!file_) return false;
    std::string header = MonitorLogHeader(MonitorLogForm::Csv, stationColumn) + "\n";
    if (std::fputs(header.c_str(), file_.get()) < 0 || std::fflush(file_.get()) != 0) {
        file_.reset();
        return false;
    }
    return true;
}

bool MonitorCsvLog::WriteTick(const MonitorSession& session) {
    if (!file_) return false;
    const auto now = std::chrono::system_clock::now();
    for (int station = kFirstStation; station <= kLastStation; ++station) {
        if (!session.PolledInLastTick(station)) continue;
        std::string line = MonitorLogLine(MonitorLogForm::Csv, session.Station(station),
                                          stationColumn_ ? station : 0, now) + "\n";
        if (std::fputs(line.c_str(), file_.get()) < 0) {
            file_.reset();
            return false;
        }
    }
    if (std::fflush(file_.get()) == 0) return true;
    file_.reset();
    return false;
}

}  // namespace telvor
