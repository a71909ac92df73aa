// Any station text gives marks of stations 1..254 only, in a list that is
// ascending, free of duplicates and agrees with the marks and the count.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "station_range.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (auto rule : {telvor::EmptyStationText::MarkStationOne, telvor::EmptyStationText::MarkAllStations}) {
        const telvor::StationMarks marks = telvor::ParseStationRange(text, rule);
        if (marks.marked[0] || marks.count != static_cast<int>(marks.list.size())) std::abort();
        int previous = 0;
        for (int station : marks.list) {
            if (station <= previous || !telvor::IsStationNumber(station) || !marks.marked[station]) std::abort();
            previous = station;
        }
        int marked = 0;
        for (bool mark : marks.marked) marked += mark ? 1 : 0;
        if (marked != marks.count) std::abort();
    }
    return 0;
}
