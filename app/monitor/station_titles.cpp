#include "station_titles.h"

namespace telvor {

bool ApplyStationTitles(CSolvaneDoc& document, const StationTitles& titles) {
    if (document.stationTitles == titles) return false;
    document.stationTitles = titles;
    document.modified = true;
    return true;
}

}  // namespace telvor
