#include "station_range.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace telvor {
namespace {

std::vector<int> Range(int from, int to) {
    std::vector<int> v;
    for (int s = from; s <= to; ++s) v.push_back(s);
    return v;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct RangeCase {
    std::string text;
    std::vector<int> stations;
};

class StationRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(StationRangeTest, MarksTheStationsOfTheText) {
    const RangeCase& c = GetParam();
    StationMarks marks = ParseStationRange(c.text, EmptyStationText::MarkStationOne);
    EXPECT_EQ(marks.list, c.stations) << "text \"" << c.text << "\"";
    EXPECT_EQ(marks.count, static_cast<int>(c.stations.size()));
    for (int s = 0; s <= kLastStation; ++s) {
        bool listed = std::find(c.stations.begin(), c.stations.end(), s) != c.stations.end();
        EXPECT_EQ(marks.marked[s], listed) << "station " << s << " of \"" << c.text << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StationRangeTest,
    ::testing::Values(RangeCase{"1,3,5-12", Join({1, 3}, Range(5, 12))}, RangeCase{"12-5", Range(5, 12)},
                      RangeCase{"0", {1}}, RangeCase{"300", {254}}, RangeCase{"3-", {3}},
                      RangeCase{"1-5-9", Join(Range(1, 5), {9})}, RangeCase{"a7 b", {7}}, RangeCase{",", {}},
                      RangeCase{"", {1}}, RangeCase{"abc", {1}}, RangeCase{" 5 ", {5}},
                      RangeCase{"7,3,3,7", {3, 7}}, RangeCase{"250-300", Range(250, 254)},
                      RangeCase{"0-2", Range(1, 2)}, RangeCase{"-4", {4}}, RangeCase{"2,,-,4", {2, 4}},
                      RangeCase{"1 0", {10}}, RangeCase{"5-0", {5}}, RangeCase{"--", {}},
                      RangeCase{"99999999999999999999", {254}}, RangeCase{"1-99999999999999999999", Range(1, 254)},
                      RangeCase{"4-6,", Range(4, 6)}, RangeCase{"1-3-", Range(1, 3)}));

TEST(StationRange, EmptyTextFollowsTheCallersRule) {
    EXPECT_EQ(ParseStationRange("", EmptyStationText::MarkAllStations).list, Range(1, 254));
    EXPECT_EQ(ParseStationRange("x y", EmptyStationText::MarkAllStations).count, 254);
    EXPECT_EQ(ParseStationRange("", EmptyStationText::MarkStationOne).list, std::vector<int>{1});
    // A lone comma is not empty: it marks nothing under either rule.
    EXPECT_EQ(ParseStationRange(",", EmptyStationText::MarkAllStations).count, 0);
}

TEST(StationRange, AllStationsListsEveryAddress) {
    StationMarks all = AllStations();
    EXPECT_EQ(all.list, Range(1, 254));
    EXPECT_FALSE(all.marked[0]);
}

// The strict texts: what is not plainly a list of stations 1..254 names none.
TEST(StrictStationList, TakesOnlyNumbersAndRangesSeparatedByCommas) {
    const RangeCase taken[] = {{"1,3,5-12", Join({1, 3}, Range(5, 12))},
                               {"12-5", Range(5, 12)},
                               {" 1 , 3 - 4 ", {1, 3, 4}},
                               {"254", {254}},
                               {"7,3,3,7", {3, 7}},
                               {"\t9", {9}},
                               {"1-254", Range(1, 254)}};
    for (const RangeCase& c : taken) {
        const std::optional<StationMarks> marks = ParseStrictStationList(c.text);
        ASSERT_TRUE(marks) << '"' << c.text << '"';
        EXPECT_EQ(marks->list, c.stations) << '"' << c.text << '"';
        EXPECT_EQ(marks->count, static_cast<int>(c.stations.size()));
    }
    for (const char* text : {"255", "abc", "x", "0", "-1", "", " ", "1 2", "2O", "1,", ",1", "1,,2", "3-", "-3",
                             "1-5-9", "1-255", "0-3", "a7", "99999999999999999999", "1;2", "1.5"})
        EXPECT_FALSE(ParseStrictStationList(text)) << '"' << text << '"';
    EXPECT_EQ(ParseStationNumber(" 7 "), 7);
    for (const char* text : {"1-3", "1,2", "255", "", "07x"}) EXPECT_FALSE(ParseStationNumber(text)) << text;
    EXPECT_EQ(StationTextMessage("1 2"),
              "The station text \"1 2\" names no station: give numbers 1..254 or ranges such as 5-12, separated by "
              "commas.");
}

}  // namespace
}  // namespace telvor
