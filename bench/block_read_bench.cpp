// Block reads, Write with verify and backup against telvor-sim with line timing at
// 38400 Bd: medians of several runs beside the line limit of each design.
//
// usage: telvor-block-bench SIM TELVORCTL [RUNS]

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
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
#include "line_limit.h"
#include "link_flow.h"
#include "parameter_block_reader.h"
#include "read_flow.h"
#include "scripted_user_interface.h"
#include "solvane_app.h"
#include "write_flow.h"

namespace telvor {
namespace {

constexpr int kBaud = kLimitBaud;
constexpr int kStations = 10;

double MedianOf(std::vector<double> runs) {
    const auto middle = runs.begin() + static_cast<long>(runs.size() / 2);
    std::nth_element(runs.begin(), middle, runs.end());
    return runs.empty() ? 0 : *middle;
}

double Median(int runs, const std::function<bool()>& work, bool& ok) {
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        ok = work() && ok;
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return MedianOf(seconds);
}

int Run(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() < 2) {
        std::fprintf(stderr, "usage: telvor-block-bench SIM TELVORCTL [RUNS]\n");
        return 2;
    }
    const int runs = std::max(1, words.size() > 2 ? std::atoi(words[2].c_str()) : 5);
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("telvor-block-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(folder);
    const std::string link = folder + "/line";
    setenv("TELVOR_HOME", folder.c_str(), 1);
    const pid_t sim = Spawn({words[0], "--link", link, "--stations", "1-" + std::to_string(kStations), "--model",
                             "8", "--baud", std::to_string(kBaud)});
    for (int i = 0; i < 500 && !std::filesystem::exists(link); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    CSolvaneApp app;
    ScriptedUserInterface ui;
    app.linkPath = link;
    std::optional<LinkDialogData> data = BeginLinkCommand(app);
    data->stationText = "1";
    bool ok = FinishLinkCommand(app, ui, LinkDialogAction::Link, *data);
    const auto read = [&](bool blocks) {
        app.readOptions.blockRead = blocks;
        return Median(runs, [&] { return ReadAllParameters(app, ui, 1, {}).ok; }, ok);
    };
    const double perParameter = read(false);
    const double blocks = read(true);
    app.Link().currentModel = 8;
    app.NewDocument();
    const auto write = [&](bool verify) {
        WriteDialogData choice;
        choice.stationText = "1";
        choice.verify = verify;
        return Median(runs, [&] { return FinishWriteCommand(app, ui, choice).Complete(); }, ok);
    };
    const double plainWrite = write(false);
    const double verifiedWrite = write(true);
    app.Modbus().Close();
    const double backup = Median(
        runs,
        [&] {
            const std::string into = folder + "/backup";
            return ExitStatusOf(Spawn({words[1], "backup", "--stations", "1-" + std::to_string(kStations),
                                       "--block-read", "--port", link, into})) == 0;
        },
        ok);
    kill(sim, SIGTERM);
    ExitStatusOf(sim);
    std::filesystem::remove_all(folder);

    const double perParameterLimit = ReadLimit(1);
    const double blockLimit = ReadLimit(kDefaultParameterBlock);
    std::printf("block reads at %d baud (median of %d runs)\n", kBaud, runs);
    std::printf("  full read, per parameter       %8.3f s  limit %.3f s  x %.2f\n", perParameter, perParameterLimit,
                perParameter / perParameterLimit);
    std::printf("  full read, block reads         %8.3f s  limit %.3f s  x %.2f  (target <= 0.35 s, x 1.30)\n",
                blocks, blockLimit, blocks / blockLimit);
    std::printf("  write, both groups             %8.3f s\n", plainWrite);
    std::printf("  write with verify (blocks)     %8.3f s  verify adds %.3f s  (target <= 0.40 s)\n", verifiedWrite,
                verifiedWrite - plainWrite);
    std::printf("  telvorctl backup of %d stations %7.3f s  (target <= 5 s)\n", kStations, backup);
    const bool failed = !ok || !ui.ShownStartingWith("message ").empty() || !ui.ShownStartingWith("dialog ").empty();
    if (failed) std::printf("some runs failed: the figures are not valid\n");
    return failed ? 1 : 0;
}

}  // namespace
}  // namespace telvor

int main(int argc, char** argv) { return telvor::Run(argc, argv); }
