// A full read (per parameter, both groups) from a station that misses every second or
// every third request, beside the same read on a clean line, with line timing at
// 38400 Bd. What keeps late replies out may cost no more than the time-outs themselves:
// the lossy read must take at most 1.25 x (lost attempts x attempt time-out + the clean
// read). Lost attempts are all attempts that went unanswered, the echoes that bring the
// line back in step included (shown apart).
//
// usage: telvor-lossy-bench SIM [CLEAN_RUNS] [LOSSY_RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "link_flow.h"
#include "modbus_ascii.h"
#include "read_flow.h"
#include "solvane_app.h"

namespace telvor {
namespace {

constexpr int kStation = 1;
constexpr int kFunctionEcho = 0x08;
// An unanswered attempt: the pause before the write and the whole read time-out.
constexpr double kAttemptTimeOut = 0.402;

// The line the read runs on, counting the attempts that went unanswered.
class CountingLine : public ModbusTransport {
public:
    explicit CountingLine(ModbusTransport& line) : line_(line) {}
    ExchangeResult Exchange(const char* request, std::size_t length, char* reply, std::size_t capacity,
                            int attempts, std::size_t* received) override {
        const ExchangeResult result = line_.Exchange(request, length, reply, capacity, attempts, received);
        if (result == ExchangeResult::ReplyTimeout) {
            ++lost;
            if (FunctionOfFrame({request, length}) == kFunctionEcho) ++lostEchoes;
        }
        return result;
    }
    void CloseLine() override { line_.CloseLine(); }
    bool ReopenAfterPortError() override { return line_.ReopenAfterPortError(); }

    int lost = 0;
    int lostEchoes = 0;

private:
    ModbusTransport& line_;
};

struct ReadFigures {
    double seconds = 0;
    int lost = 0;
    int lostEchoes = 0;
    bool ok = true;
};

// The median of full reads on a line of one station with these simulator faults.
ReadFigures MedianRead(const std::string& sim, const std::vector<std::string>& faults, int runs) {
    ReadFigures figures;
    char folder[] = "/tmp/telvor-lossy-XXXXXX";
    if (!mkdtemp(folder)) return {0, 0, 0, false};
    const std::string link = std::string(folder) + "/line";
    {
        std::vector<std::string> arguments = {
            "--stations", std::to_string(kStation), "--model", "8", "--baud", "38400"};
        arguments.insert(arguments.end(), faults.begin(), faults.end());
        Simulator simulator(sim, link, arguments);
        CSolvaneApp app;
        QuietUserInterface ui;
        app.linkPath = link;
        std::optional<LinkDialogData> data = BeginLinkCommand(app);
        data->stationText = std::to_string(kStation);
        figures.ok = simulator.Ready() && FinishLinkCommand(app, ui, LinkDialogAction::Link, *data);
        std::vector<ReadFigures> all;
        for (int i = 0; i < runs && figures.ok; ++i) {
            CountingLine line(app.Modbus(ui));
            app.UseLine(&line);
            const auto start = std::chrono::steady_clock::now();
            figures.ok = ReadAllParameters(app, ui, kStation, {}).ok && !ui.failed;
            all.push_back({std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                           line.lost, line.lostEchoes, figures.ok});
            app.UseLine(nullptr);
        }
        // The median run (the lower of the two middle ones for an even count).
        std::sort(all.begin(), all.end(),
                  [](const ReadFigures& a, const ReadFigures& b) { return a.seconds < b.seconds; });
        if (figures.ok) figures = all[(all.size() - 1) / 2];
    }
    std::filesystem::remove_all(folder);
    return figures;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: telvor-lossy-bench SIM [CLEAN_RUNS] [LOSSY_RUNS]\n");
        return 2;
    }
    const int cleanRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int lossyRuns = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    const ReadFigures clean = MedianRead(argv[1], {}, cleanRuns);
    bool ok = clean.ok;
    std::printf("full read, per parameter, station missing requests, 38400 baud\n");
    std::printf("  clean line (median of %d)           %8.3f s\n", cleanRuns, clean.seconds);
    for (const int every : {2, 3}) {
        const ReadFigures lossy = MedianRead(
            argv[1], {"--fault", std::to_string(kStation) + ":every=" + std::to_string(every)}, lossyRuns);
        const double bound = 1.25 * (lossy.lost * kAttemptTimeOut + clean.seconds);
        std::printf(
            "  answers every %d (median of %d)       %8.3f s  lost attempts %d (echoes %d)  bound %.3f s  x "
            "%.2f\n",
            every, lossyRuns, lossy.seconds, lossy.lost, lossy.lostEchoes, bound, lossy.seconds / bound);
        ok = ok && lossy.ok && lossy.seconds <= bound;
    }
    if (!ok) std::printf("a read failed or a lossy read took longer than its bound\n");
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace telvor

int main(int argc, char** argv) {
    return telvor::Run(argc, argv);
}
