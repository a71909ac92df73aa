// Line-speed figures of the link flows against telvor-sim with line timing:
// a full read through ReadAllParameters, the same reads by pymodbus, the read
// with frame-end detection off, the line limit, a full write and a scan.
//
// usage: telvor-bench SIM PYMODBUS_SCRIPT [RUNS]

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "link_flow.h"
#include "modbus_ascii.h"
#include "parameter_keys.h"
#include "read_flow.h"
#include "solvane_app.h"
#include "user_interface.h"
#include "write_flow.h"

namespace telvor {
namespace {

constexpr int kBaud = 38400;
constexpr int kStation = 10;
constexpr double kTurnaroundSeconds = 0.002;  // telvor-sim's default
constexpr int kReads = 2 + kParameterCount;

double Seconds(const std::function<bool()>& work, bool& ok) {
    auto start = std::chrono::steady_clock::now();
    ok = work() && ok;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<double> PymodbusRuns(const std::string& script, const std::string& link, int runs) {
    std::string command = "/usr/bin/python3 " + script + " " + link + " " + std::to_string(kStation) + " " +
                          std::to_string(runs) + " " + std::to_string(kRegisterSoftwareVersion) + " " +
                          std::to_string(kRegisterCapacityCode);
    for (int slot = 0; slot < kParameterCount; ++slot) {
        command += ' ';
        command += std::to_string(RegisterOfParameter(CodeIndexOfSlot(slot)));
    }
    std::vector<double> times;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return times;
    double value = 0;
    while (std::fscanf(pipe, "%lf", &value) == 1) times.push_back(value);
    if (pclose(pipe) != 0) times.clear();
    return times;
}

int Run(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: telvor-bench SIM PYMODBUS_SCRIPT [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    char folder[] = "/tmp/telvor-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    const std::string link = std::string(folder) + "/line";
    int status = 1;
    {
        Simulator sim(argv[1], link, {"--stations", "10", "--model", "8", "--baud", "38400"});
        if (!sim.Ready()) {
            std::fprintf(stderr, "telvor-bench: the simulator did not start\n");
        } else {
            CSolvaneApp app;
            QuietUserInterface ui;
            app.linkPath = link;
            std::optional<LinkDialogData> data = BeginLinkCommand(app);
            data->stationText = std::to_string(kStation);
            bool ok = FinishLinkCommand(app, ui, LinkDialogAction::Link, *data);

            std::vector<double> ours, gapEnded, writes, scans;
            for (int i = 0; i < runs; ++i)
                ours.push_back(Seconds([&] { return ReadAllParameters(app, ui, kStation, {}).ok; }, ok));
            app.Modbus().SetFrameEndDetection(false);
            for (int i = 0; i < std::min(runs, 3); ++i)
                gapEnded.push_back(Seconds([&] { return ReadAllParameters(app, ui, kStation, {}).ok; }, ok));
            app.Modbus().SetFrameEndDetection(true);

            app.Link().currentModel = 8;
            app.NewDocument();
            for (int i = 0; i < runs; ++i)
                writes.push_back(Seconds([&] { return FinishWriteCommand(app, ui, {"10", false, {}}).Complete(); }, ok));
            app.Modbus().Close();
            for (int i = 0; i < std::min(runs, 3); ++i) {
                scans.push_back(Seconds(
                    [&] {
                        std::optional<LinkDialogData> scan = BeginLinkCommand(app);
                        scan->stationText = "1-10";
                        bool linked = FinishLinkCommand(app, ui, LinkDialogAction::Link, *scan);
                        if (linked) app.Modbus().Close();
                        app.Link().linked = false;
                        return linked;
                    },
                    ok));
            }
            std::vector<double> peer = PymodbusRuns(argv[2], link, runs);

            const double limit =
                kReads * ((kRequestLength + 15) * 10.0 / kBaud + kTurnaroundSeconds);
            const double read = Median(ours), gap = Median(gapEnded), py = Median(peer);
            std::printf("full read, both groups, %d transactions at %d baud (median of %d runs)\n", kReads, kBaud,
                        runs);
            std::printf("  (a) ReadAllParameters          %8.3f s\n", read);
            if (py > 0) {
                std::printf("  (b) pymodbus 3.0 ASCII client  %8.3f s\n", py);
            } else {
                std::printf("  (b) pymodbus 3.0 ASCII client  not measured\n");
            }
            std::printf("  (c) frame-end detection off    %8.3f s\n", gap);
            std::printf("  (d) line limit                 %8.3f s\n", limit);
            std::printf("  ours / limit                   %8.3f  (target <= 1.30)\n", read / limit);
            if (py > 0) std::printf("  ours / pymodbus                %8.3f  (target <= 1.25)\n", read / py);
            std::printf("  gap-ended / ours               %8.3f  (target >= 4)\n", gap / read);
            std::printf("full write, both groups           %8.3f s\n", Median(writes));
            std::printf("scan 1-10, only 10 answers        %8.3f s\n", Median(scans));
            if (!ok || ui.failed) std::printf("some runs failed: the figures are not valid\n");
            status = ok && !ui.failed && py > 0 ? 0 : 1;
        }
    }
    std::filesystem::remove_all(folder);
    return status;
}

}  // namespace
}  // namespace telvor

int main(int argc, char** argv) { return telvor::Run(argc, argv); }
