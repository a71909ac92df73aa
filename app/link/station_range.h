#pragma once
// Station texts such as "1,3,5-12" turned into station marks, a count and the
// ascending list of the marked stations.

#include <array>
#include <string_view>
#include <vector>

#include "modbus_ascii.h"

namespace telvor {

inline constexpr bool IsStationNumber(int station) { return station >= kFirstStation && station <= kLastStation; }

// What a text without digits, commas and hyphens marks: the caller's rule.
enum class EmptyStationText {
    MarkStationOne,   // the Link and Write dialogs
    MarkAllStations,  // the Monitor dialog
};

struct StationMarks {
    std::array<bool, kLastStation + 1> marked{};  // entries 1..254 used
    int count = 0;
    std::vector<int> list;  // the marked stations, ascending
};

StationMarks ParseStationRange(std::string_view text, EmptyStationText emptyRule);

// Marks of every station 1..254 ("All of the Inverter", "All Station").
StationMarks AllStations();

}  // namespace telvor
