#pragma once
// Station texts such as "1,3,5-12" turned into station marks, a count and the
// ascending list of the marked stations.

#include <array>
#include <optional>
#include <string>
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

// Lenient, for the dialogs that only read (Link, Monitor): every character but
// digits, commas and hyphens is dropped and numbers are clamped to 1..254.
StationMarks ParseStationRange(std::string_view text, EmptyStationText emptyRule);

// Strict, for every text that names stations to write to or to run a command line
// on: numbers 1..254 and ranges a-b (either order) separated by commas, blanks
// allowed around a separator and at either end. Nothing for any other text, the
// empty one included: "255", "0", "-1", "abc", "1 2", "2O", "1,", "3-".
std::optional<StationMarks> ParseStrictStationList(std::string_view text);
// One station number alone, by the same rule: "7" but not "1-3".
std::optional<int> ParseStationNumber(std::string_view text);
// The message for a text that the strict parsers refuse; it names the text.
std::string StationTextMessage(std::string_view text);

// Marks of every station 1..254 ("All of the Inverter", "All Station").
StationMarks AllStations();

}  // namespace telvor
