#include "trend_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace telvor {
namespace {

StationMonitor Poll(std::uint16_t hertz, std::uint16_t amps) {
    StationMonitor entry;
    entry.values = {hertz, hertz, 2200, 3110, amps};
    return entry;
}

// A record of `count` polls 0.4 s apart whose output current runs a random walk,
// with a few lone spikes and dips.
TrendRecord Walk(std::size_t count, unsigned seed) {
    TrendRecord record(std::chrono::system_clock::time_point{});
    std::mt19937 random(seed);
    int amps = 500;
    for (std::size_t i = 0; i < count; ++i) {
        amps = std::clamp(amps + static_cast<int>(random() % 21) - 10, 0, 1000);
        int shown = amps;
        if (random() % 5000 == 0) shown = random() % 2 ? 4000 : 0;
        record.Add(0.4 * static_cast<double>(i), Poll(5000, static_cast<std::uint16_t>(shown)));
    }
    return record;
}

TEST(TrendRecord, DecimationKeepsEveryExtremeOfEveryColumn) {
    struct Case {
        std::size_t count;
        double from, to;
        int columns;
    };
    const TrendRecord day = Walk(216'000, 7);
    const TrendRecord short_ = Walk(1'000, 8);
    for (const auto& [record, c] : {std::pair{&day, Case{216'000, 0, 86'400, 800}},
                                    std::pair{&day, Case{216'000, 3'600.2, 7'199.8, 613}},
                                    std::pair{&day, Case{216'000, 86'000, 90'000, 333}},
                                    std::pair{&day, Case{216'000, -50, 10, 7}},
                                    std::pair{&short_, Case{1'000, 0, 400, 150}},
                                    std::pair{&short_, Case{1'000, 100, 140, 80}},
                                    std::pair{&short_, Case{1'000, 17, 29, 3}}}) {
        SCOPED_TRACE(::testing::Message() << c.from << ".." << c.to << " on " << c.columns);
        const TrendChannel channel = TrendChannel::OutputCurrent;
        const std::vector<std::size_t> kept = record->Decimate(channel, c.from, c.to, c.columns);
        ASSERT_TRUE(std::is_sorted(kept.begin(), kept.end()));
        ASSERT_EQ(std::adjacent_find(kept.begin(), kept.end()), kept.end());
        // The window's samples, and the one on each side.
        std::size_t first = 0;
        while (first < c.count && record->SecondsOf(first) < c.from) ++first;
        std::size_t end = first;
        while (end < c.count && record->SecondsOf(end) <= c.to) ++end;
        const std::size_t before = first > 0 ? 1 : 0;
        const std::size_t after = end < c.count ? 1 : 0;
        ASSERT_GE(kept.size(), before + after);
        if (before) {
            EXPECT_EQ(kept.front(), first - 1);
        }
        if (after) {
            EXPECT_EQ(kept.back(), end);
        }
        const std::vector<std::size_t> inside(kept.begin() + static_cast<std::ptrdiff_t>(before),
                                              kept.end() - static_cast<std::ptrdiff_t>(after));
        if (end - first <= 2 * static_cast<std::size_t>(c.columns)) {
            ASSERT_EQ(inside.size(), end - first);  // all of them
            continue;
        }
        EXPECT_LE(inside.size(), 2 * static_cast<std::size_t>(c.columns));
        // Column k holds the samples from + k * step <= t < from + (k + 1) * step.
        const double step = (c.to - c.from) / c.columns;
        std::size_t at = first;
        for (int k = 0; k < c.columns; ++k) {
            const double limit = k + 1 == c.columns ? c.to : c.from + step * (k + 1);
            std::size_t columnEnd = at;
            while (columnEnd < end && (record->SecondsOf(columnEnd) < limit || k + 1 == c.columns)) ++columnEnd;
            std::uint32_t lowest = UINT32_MAX, highest = 0, keptLowest = UINT32_MAX, keptHighest = 0;
            for (std::size_t i = at; i < columnEnd; ++i) {
                lowest = std::min(lowest, record->Raw(channel, i));
                highest = std::max(highest, record->Raw(channel, i));
            }
            for (std::size_t i : inside) {
                if (i < at || i >= columnEnd) continue;
                keptLowest = std::min(keptLowest, record->Raw(channel, i));
                keptHighest = std::max(keptHighest, record->Raw(channel, i));
            }
            ASSERT_EQ(keptLowest, lowest) << "column " << k;
            ASSERT_EQ(keptHighest, highest) << "column " << k;
            at = columnEnd;
        }
    }
}

TEST(TrendRecord, MarkersStandWhereTheFaultRunStateOrDirectionChanged) {
    // tick: fault code, running, reverse
    struct Tick {
        std::uint16_t fault;
        bool running, reverse;
    };
    const Tick ticks[] = {{2, false, false}, {2, false, false}, {0, false, false}, {0, true, false},
                          {0, true, false},  {4, false, false}, {4, false, true},  {12, false, true},
                          {40, true, true},  {0, true, false}};
    TrendRecord record(std::chrono::system_clock::time_point{});
    for (std::size_t i = 0; i < std::size(ticks); ++i) {
        StationMonitor entry = Poll(3000, 20);
        entry.faultCode = ticks[i].fault;
        entry.runStatus[kRunningFlag] = ticks[i].running;
        entry.runStatus[kReverseFlag] = ticks[i].reverse;
        record.Add(10 + 0.4 * static_cast<double>(i), entry);
    }
    using K = TrendMarkerKind;
    const std::vector<TrendMarker> expected = {
        {2, 10.8, K::Fault, "no fault"}, {3, 11.2, K::RunStop, "RUN"},        {5, 12.0, K::Fault, "OV"},
        {5, 12.0, K::RunStop, "STOP"},   {6, 12.4, K::Direction, "<< REV"},   {7, 12.8, K::Fault, "fault 12"},
        {8, 13.2, K::Fault, "fault 40"}, {8, 13.2, K::RunStop, "RUN"},        {9, 13.6, K::Fault, "no fault"},
        {9, 13.6, K::Direction, "FWD >>"}};
    ASSERT_EQ(record.Markers().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(record.Markers()[i].sample, expected[i].sample) << i;
        EXPECT_DOUBLE_EQ(record.Markers()[i].seconds, expected[i].seconds) << i;
        EXPECT_EQ(record.Markers()[i].kind, expected[i].kind) << i;
        EXPECT_EQ(record.Markers()[i].label, expected[i].label) << i;
    }
    EXPECT_EQ(record.MarkersWithin(12.0, 12.8), std::make_pair(std::size_t{2}, std::size_t{6}));
    EXPECT_EQ(record.MarkersWithin(14, 20), std::make_pair(std::size_t{10}, std::size_t{10}));
    EXPECT_EQ(record.Nearest(12.15), std::optional<std::size_t>{5});
    EXPECT_EQ(record.Nearest(12.25), std::optional<std::size_t>{6});
    EXPECT_EQ(record.Nearest(99), std::optional<std::size_t>{9});
}

}  // namespace
}  // namespace telvor
