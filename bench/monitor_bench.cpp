// Line-speed figures of the monitor against telvor-sim with line timing at
// 38400 baud: one tick of the single-station monitor and one page poll of five
// running stations, each against the line limit of the same exchanges.
//
// usage: telvor-monitor-bench SIM [RUNS]

#include <cstdlib>

#include "bench_support.h"
#include "link_flow.h"
#include "modbus_ascii.h"
#include "monitor_session.h"
#include "solvane_app.h"

namespace telvor {
namespace {

constexpr int kBaud = 38400;
constexpr double kTurnaroundSeconds = 0.002;  // telvor-sim's default
constexpr double kPauseSeconds = 0.002;       // before each request
constexpr int kRequestCharacters = 4 * 17;
// Replies to ReadFrequencyLimits (2 values), ReadMonitorValues (9), ReadStatusWords (3), ReadParameter (1).
constexpr int kReplyCharacters = (11 + 8) + (11 + 36) + (11 + 12) + (11 + 4);

// The time the line needs for the four exchanges of `stations` stations.
double LineLimit(int stations) {
    double characters = stations * (kRequestCharacters + kReplyCharacters) * 10.0 / kBaud;
    return characters + stations * 4 * (kTurnaroundSeconds + kPauseSeconds);
}

double TimedTicks(MonitorSession& session, int runs, std::vector<double>& times) {
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        session.TimerTick();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(times);
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: telvor-monitor-bench SIM [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    char folder[] = "/tmp/telvor-monitor-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    const std::string link = (std::filesystem::path(folder) / "line").string();
    int status = 1;
    {
        Simulator sim(argv[1], link,
                      {"--stations", "1-5", "--baud", "38400", "--running", "1=50", "--running", "2=40", "--running",
                       "3=30", "--running", "4=20", "--running", "5=10"});
        if (!sim.Ready()) {
            std::fprintf(stderr, "telvor-monitor-bench: the simulator did not start\n");
        } else {
            CSolvaneApp app;
            QuietUserInterface ui;
            app.linkPath = link;
            std::optional<LinkDialogData> data = BeginLinkCommand(app);
            data->stationText = std::to_string(1);
            bool ok = FinishLinkCommand(app, ui, LinkDialogAction::Link, *data);

            std::vector<double> single, page;
            MonitorSession singleSession(app, ui);
            ok = ok && singleSession.StartSingle(1);
            const double tick = ok ? TimedTicks(singleSession, runs, single) : 0;
            singleSession.CloseWindow();
            MonitorSession allSession(app, ui);
            ok = ok && allSession.StartAll({1, 2, 3, 4, 5});
            const double pagePoll = ok ? TimedTicks(allSession, runs, page) : 0;

            std::printf("monitor at %d baud (median of %d ticks)\n", kBaud, runs);
            std::printf("  one station, 4 exchanges     %8.3f s   line limit %8.3f s   ratio %5.2f\n", tick,
                        LineLimit(1), tick / LineLimit(1));
            std::printf("  page of 5, 20 exchanges      %8.3f s   line limit %8.3f s   ratio %5.2f  (target <= 1.15)\n",
                        pagePoll, LineLimit(5), pagePoll / LineLimit(5));
            if (!ok || ui.failed) std::printf("some runs failed: the figures are not valid\n");
            status = ok && !ui.failed ? 0 : 1;
            app.Modbus().Close();
        }
    }
    std::filesystem::remove_all(folder);
    return status;
}

}  // namespace
}  // namespace telvor

int main(int argc, char** argv) { return telvor::Run(argc, argv); }
