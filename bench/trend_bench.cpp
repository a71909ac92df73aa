// The single-station window's trend with a day of polls: the redraw after a zoom
// or a pan with all six channels shown, and the monitor tick (the poll of one
// station against telvor-sim at 38400 baud plus the trend's new sample) with an
// empty record and with a day in it. Runs on Qt's offscreen platform.
//
// usage: telvor-trend-bench SIM [TICKS]

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <cmath>
#include <cstdlib>

#include "bench_support.h"
#include "link_flow.h"
#include "mon_single_dialog.h"
#include "monitor_session.h"
#include "solvane_app.h"
#include "trend_chart.h"
#include "trend_panel.h"

namespace telvor {
namespace {

constexpr std::size_t kDay = 216'000;  // 24 h at the 400 ms tick
constexpr int kBaud = 38400;

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A day of a drive that runs up and down over the hours, with some noise.
void LoadDay(TrendPanel& trend) {
    trend.Chart()->TogglePause();
    StationMonitor entry;
    unsigned noise = 1;
    for (std::size_t i = 0; i < kDay; ++i) {
        noise = noise * 1103515245u + 12345u;
        const double load = 0.5 + 0.5 * std::sin(static_cast<double>(i) / 3000.0);
        const auto jitter = static_cast<int>(noise >> 16 & 31);
        entry.values[SetFrequency] = static_cast<std::uint16_t>(load > 0.2 ? 5000 : 0);
        entry.values[OutputFrequency] = static_cast<std::uint16_t>(5000 * load + jitter);
        entry.values[OutputVoltage] = static_cast<std::uint16_t>(3800 * load + jitter);
        entry.values[OutputCurrent] = static_cast<std::uint16_t>(40 + 60 * load + jitter % 7);
        entry.values[BusVoltage] = static_cast<std::uint16_t>(5350 + jitter);
        entry.runStatus[kRunningFlag] = load > 0.2;
        entry.faultCode = i % 20'000 == 19'000 ? 2 : 0;
        trend.AddSample(0.4 * static_cast<double>(i), entry);
    }
    trend.Chart()->Follow();
}

// Redraws after zooms and pans between a day and three hours wide, each timed up
// to the end of its paint.
std::vector<double> RedrawMilliseconds(TrendChart& chart) {
    PaintCounter counter;
    chart.viewport()->installEventFilter(&counter);
    std::vector<double> times;
    auto timed = [&](const std::function<void()>& move) {
        QCoreApplication::processEvents();
        const int paints = counter.paints;
        const auto start = std::chrono::steady_clock::now();
        move();
        QCoreApplication::processEvents();
        if (counter.paints == paints) chart.viewport()->repaint();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    };
    for (int round = 0; round < 10; ++round) {
        const double anchor = chart.Shown().from + chart.Shown().Span() * (0.2 + 0.06 * round);
        for (int k = 0; k < 3; ++k) timed([&] { chart.ZoomBy(0.5, anchor); });
        timed([&] { chart.PanBy(-chart.Shown().Span() / 10); });
        timed([&] { chart.PanBy(-chart.Shown().Span()); });
        timed([&] { chart.PanBy(chart.Shown().Span() / 2); });
        for (int k = 0; k < 3; ++k) timed([&] { chart.ZoomBy(2, anchor); });
    }
    chart.viewport()->removeEventFilter(&counter);
    return times;
}

struct TickFigures {
    double tick = 0;   // ms: the poll and the trend's new sample
    double trend = 0;  // ms: the trend's new sample alone
    double drawn = 0;  // ms: the redraw and paint that follow the tick
};

// What the main window's tick does for the single-station window: the poll, then
// the trend's new sample; then what the event loop does before the next tick.
TickFigures Ticks(MonitorSession& session, TrendPanel& trend, int runs) {
    PaintCounter counter;
    QWidget& viewport = *trend.Chart()->viewport();
    viewport.installEventFilter(&counter);
    std::vector<double> ticks, shares, drawn;
    using Clock = std::chrono::steady_clock;
    auto milliseconds = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        session.TimerTick();
        const auto polled = Clock::now();
        trend.AddPoll(session.Station(1));
        const auto ticked = Clock::now();
        const int paints = counter.paints;
        QCoreApplication::processEvents();
        if (counter.paints == paints) viewport.repaint();
        const auto painted = Clock::now();
        ticks.push_back(milliseconds(start, ticked));
        shares.push_back(milliseconds(polled, ticked));
        drawn.push_back(milliseconds(ticked, painted));
    }
    viewport.removeEventFilter(&counter);
    return {Median(ticks), Median(shares), Median(drawn)};
}

void ChooseSpan(TrendPanel& trend, int index) {
    trend.findChild<QComboBox*>("span")->setCurrentIndex(index);
    trend.Chart()->SetSpan(TrendPanel::kSpans[static_cast<std::size_t>(index)]);
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: telvor-trend-bench SIM [TICKS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    char folder[] = "/tmp/telvor-trend-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    const std::string link = (std::filesystem::path(folder) / "line").string();
    int status = 1;
    {
        Simulator sim(argv[1], link, {"--stations", "1", "--baud", "38400", "--running", "1=50"});
        CSolvaneApp app;
        QuietUserInterface ui;
        app.linkPath = link;
        std::optional<LinkDialogData> data = BeginLinkCommand(app);
        data->stationText = std::to_string(1);
        MonitorSession session(app, ui);
        bool ok = sim.Ready() && FinishLinkCommand(app, ui, LinkDialogAction::Link, *data) && session.StartSingle(1);

        // The window as the desktop shows it, every channel chosen.
        CMonSingleDialog empty(session, ui, 1, nullptr);
        empty.resize(1180, 560);
        empty.show();
        for (QCheckBox* box : empty.Trend()->findChildren<QCheckBox*>()) box->setChecked(true);
        ChooseSpan(*empty.Trend(), 1);
        const TickFigures fresh = ok ? Ticks(session, *empty.Trend(), runs) : TickFigures{};
        empty.hide();

        CMonSingleDialog window(session, ui, 1, nullptr);
        window.resize(1180, 560);
        window.show();
        TrendPanel& trend = *window.Trend();
        for (QCheckBox* box : trend.findChildren<QCheckBox*>()) box->setChecked(true);
        LoadDay(trend);
        ChooseSpan(trend, 3);
        QCoreApplication::processEvents();
        const std::vector<double> redraws = RedrawMilliseconds(*trend.Chart());
        trend.Chart()->Follow();
        ChooseSpan(trend, 3);
        const TickFigures dayAll = ok ? Ticks(session, trend, runs) : TickFigures{};
        ChooseSpan(trend, 1);
        const TickFigures dayTen = ok ? Ticks(session, trend, runs) : TickFigures{};

        std::printf("trend of the single-station window, 1180x560, six channels\n");
        std::printf("  redraw after zoom or pan, a day (%zu polls) %8.2f ms  median of %zu  (target <= 20 ms)\n", kDay,
                    Median(redraws), redraws.size());
        std::printf("  monitor tick at %d baud (median of %d)   tick   the trend's share   drawn after the tick\n", kBaud,
                    runs);
        for (const auto& [name, figures] : {std::pair{"empty record, 10 min", fresh}, std::pair{"a day, window All", dayAll},
                                            std::pair{"a day, window 10 min", dayTen}})
            std::printf("    %-22s %10.2f ms %12.3f ms %14.2f ms\n", name, figures.tick, figures.trend, figures.drawn);
        if (!ok || ui.failed) std::printf("the monitor did not poll: the tick figures are not valid\n");
        status = ok && !ui.failed ? 0 : 1;
        app.Modbus().Close();
    }
    std::filesystem::remove_all(folder);
    return status;
}

}  // namespace
}  // namespace telvor

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return telvor::Run(argc, argv);
}
