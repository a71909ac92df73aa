#include "trend_time_window.h"

#include <gtest/gtest.h>

#include <functional>

namespace telvor {
namespace {

// One step on a record that holds [0, latest]: what is done, then what is shown.
struct Step {
    const char* what;
    double latest;
    std::function<void(TrendTimeWindow&, double latest)> act;
    double from, to;
    bool following;
};

TEST(TrendTimeWindow, FollowsPausesZoomsAndPans) {
    using W = TrendTimeWindow;
    const Step steps[] = {
        {"a short record fills from the left", 30, [](W&, double) {}, 0, 600, true},
        {"following the last ten minutes", 3600, [](W&, double) {}, 3000, 3600, true},
        {"one minute", 3600, [](W& w, double) { w.SetSpan(60); }, 3540, 3600, true},
        {"zoom in while following keeps the right edge", 3600, [](W& w, double l) { w.Zoom(0.5, {}, 0, l); },
         3570, 3600, true},
        {"pause holds while the record grows", 3700, [](W& w, double) { w.Pause(0, 3600); }, 3570, 3600, false},
        {"zoom out around the anchor", 3700, [](W& w, double l) { w.Zoom(2, 3580, 0, l); }, 3560, 3620, false},
        {"zoom in at the shortest span", 3700, [](W& w, double l) { w.Zoom(0.01, 3560, 0, l); }, 3560, 3564, false},
        {"zoom out around the middle", 3700, [](W& w, double l) { w.Zoom(2, {}, 0, l); }, 3558, 3566, false},
        {"pan back", 3700, [](W& w, double l) { w.Pan(-1000, 0, l); }, 2558, 2566, false},
        {"pan back stops at the start", 3700, [](W& w, double l) { w.Pan(-1e6, 0, l); }, 0, 8, false},
        {"pan on stops at the newest sample", 3700, [](W& w, double l) { w.Pan(1e6, 0, l); }, 3692, 3700, false},
        {"the whole record", 3800, [](W& w, double) { w.SetSpan(W::kWholeRecord); }, 0, 3700, false},
        {"resume", 3800, [](W& w, double) { w.Resume(); }, 0, 3800, true},
        {"zoom in from all", 3800, [](W& w, double l) { w.Zoom(0.5, {}, 0, l); }, 1900, 3800, true},
        {"home", 3800, [](W& w, double l) { w.ToStart(0, l); }, 0, 1900, false},
        {"zoom out to all shows everything", 3900, [](W& w, double l) { w.Zoom(4, {}, 0, l); }, 0, 3900, false},
        {"resume", 3900, [](W& w, double) { w.Resume(); }, 0, 3900, true},
        {"zoom at the mouse holds the window", 3900, [](W& w, double l) { w.Zoom(0.25, 1950, 0, l); }, 1462.5,
         2437.5, false},
    };
    TrendTimeWindow window;
    for (const Step& step : steps) {
        step.act(window, step.latest);
        const TrendRange shown = window.Shown(0, step.latest);
        EXPECT_DOUBLE_EQ(shown.from, step.from) << step.what;
        EXPECT_DOUBLE_EQ(shown.to, step.to) << step.what;
        EXPECT_EQ(window.Following(), step.following) << step.what;
    }
}

}  // namespace
}  // namespace telvor
