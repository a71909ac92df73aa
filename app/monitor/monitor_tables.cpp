#include "monitor_tables.h"

namespace telvor {

void MonitorTables::Reset() { stations.fill(StationMonitor{}); }

void MonitorTables::ClearRequests() {
    for (StationMonitor& station : stations) {
        station.commandRequests.fill(false);
        station.toggleRequests.fill(false);
    }
}

}  // namespace telvor
