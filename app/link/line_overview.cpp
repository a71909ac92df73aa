#include "line_overview.h"

#include <cstdio>

#include "drive_models.h"
#include "transactions.h"

namespace telvor {

StationOverview SurveyStation(ModbusTransport& port, int station) {
    StationOverview overview;
    overview.station = station;
    if (const TransactionReply capacity = ReadCapacityCode(port, station); capacity.Ok())
        overview.model = capacity.values.front();
    if (const TransactionReply version = ReadSoftwareVersion(port, station); version.Ok())
        overview.version = version.values.front();
    if (const TransactionReply status = ReadStatusWords(port, station); status.Ok()) {
        overview.running = (status.values[0] & 1) != 0;
        overview.faultCode = status.values[1];
    }
    return overview;
}

std::string OverviewModelText(const StationOverview& overview) {
    if (!overview.model) return "?";
    return IsModelIndex(*overview.model) ? ModelName(*overview.model) : "xxx-xxx-xx";
}

std::string OverviewVersionText(const StationOverview& overview) {
    return overview.version ? SoftwareVersionText(*overview.version) : "?";
}

std::string OverviewLine(const StationOverview& overview, const std::string& title) {
    char station[8];
    std::snprintf(station, sizeof station, "%03d", overview.station);
    return std::string(station) + '\t' + OverviewModelText(overview) + '\t' + OverviewVersionText(overview) +
           '\t' + title;
}

}  // namespace telvor
