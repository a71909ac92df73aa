// Network lines and many lines at once, against telvor-sim with line timing at 38400 Bd:
// the full read through ser2net's raw TCP beside the direct read of the same line (and
// the block read through it against its line limit), and telvorctl backup of four lines
// of ten stations at once beside one line alone. Medians of several runs.
//
// usage: telvor-network-bench SIM TELVORCTL SER2NET [RUNS]

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "line_limit.h"
#include "link_flow.h"
#include "read_flow.h"
#include "solvane_app.h"

namespace telvor {
namespace {

constexpr int kLines = 4;
constexpr int kStationsPerLine = 10;

int FreeLocalPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

double Seconds(const std::function<bool()>& work, bool& ok) {
    const auto start = std::chrono::steady_clock::now();
    ok = work() && ok;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Full reads of station 1 through the port name, per parameter and in blocks.
struct ReadTimes {
    double perParameter = 0;
    double blocks = 0;
};

ReadTimes TimeReads(const std::string& port, int runs, bool& ok) {
    CSolvaneApp app;
    QuietUserInterface ui;
    app.linkPath = port;
    std::optional<LinkDialogData> data = BeginLinkCommand(app);
    data->stationText = "1";
    ok = FinishLinkCommand(app, ui, LinkDialogAction::Link, *data) && ok;
    ReadTimes times;
    for (const bool blocks : {false, true}) {
        app.readOptions.blockRead = blocks;
        std::vector<double> seconds;
        for (int i = 0; i < runs; ++i)
            seconds.push_back(Seconds([&] { return ReadAllParameters(app, ui, 1, {}).ok; }, ok));
        (blocks ? times.blocks : times.perParameter) = Median(seconds);
    }
    app.Modbus().Close();
    ok = !ui.failed && ok;
    return times;
}

int Run(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() < 3) {
        std::fprintf(stderr, "usage: telvor-network-bench SIM TELVORCTL SER2NET [RUNS]\n");
        return 2;
    }
    const int runs = std::max(1, words.size() > 3 ? std::atoi(words[3].c_str()) : 5);
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("telvor-network-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(folder);
    setenv("TELVOR_HOME", folder.c_str(), 1);
    bool ok = true;
    ReadTimes direct, served;
    std::vector<double> oneLine, fourLines;
    {
        std::vector<std::unique_ptr<Simulator>> sims;
        for (int line = 0; line < kLines; ++line) {
            const int first = line * kStationsPerLine + 1;
            sims.push_back(std::make_unique<Simulator>(
                words[0], folder + "/line" + std::to_string(line),
                std::vector<std::string>{"--stations", std::to_string(first) + "-" +
                                                           std::to_string(first + kStationsPerLine - 1),
                                         "--model", "8", "--baud", std::to_string(kLimitBaud)}));
            ok = sims.back()->Ready() && ok;
        }
        const int port = FreeLocalPort();
        std::ofstream(folder + "/ser2net.yaml")
            << "%YAML 1.1\n---\nconnection: &raw\n  accepter: tcp,127.0.0.1," << port
            << "\n  connector: serialdev," << folder << "/line0,38400n81,local\n  options:\n    chardelay: false\n";
        const pid_t server =
            Spawn({words[2], "-n", "-u", "-c", folder + "/ser2net.yaml", "-P", folder + "/ser2net.pid"}, ChildErrors::Hidden);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        direct = TimeReads(folder + "/line0", runs, ok);
        served = TimeReads("tcp://127.0.0.1:" + std::to_string(port), runs, ok);
        kill(server, SIGTERM);
        ExitStatusOf(server);

        const auto backup = [&](int lines) {
            std::vector<std::string> command{words[1], "backup", "--block-read", folder + "/backup"};
            for (int line = 0; line < lines; ++line) {
                const int first = line * kStationsPerLine + 1;
                command.insert(command.end(), {"--port", folder + "/line" + std::to_string(line), "--stations",
                                               std::to_string(first) + "-" +
                                                   std::to_string(first + kStationsPerLine - 1)});
            }
            return Seconds([&] { return ExitStatusOf(Spawn(command, ChildErrors::Hidden)) == 0; }, ok);
        };
        for (int i = 0; i < runs; ++i) {
            oneLine.push_back(backup(1));
            fourLines.push_back(backup(kLines));
        }
    }
    std::filesystem::remove_all(folder);

    const double blockLimit = ReadLimit(kDefaultParameterBlock);
    std::printf("network lines at %d baud (median of %d runs)\n", kLimitBaud, runs);
    std::printf("  full read, direct               %8.3f s\n", direct.perParameter);
    std::printf("  full read, ser2net raw TCP      %8.3f s  x %.2f of direct  (target <= 1.15)\n",
                served.perParameter, served.perParameter / direct.perParameter);
    std::printf("  block read, direct              %8.3f s  limit %.3f s  x %.2f\n", direct.blocks, blockLimit,
                direct.blocks / blockLimit);
    std::printf("  block read, ser2net raw TCP     %8.3f s  limit %.3f s  x %.2f  (target <= 1.30)\n",
                served.blocks, blockLimit, served.blocks / blockLimit);
    const double one = Median(oneLine), four = Median(fourLines);
    std::printf("  telvorctl backup, 1 line of %d  %8.3f s\n", kStationsPerLine, one);
    std::printf("  telvorctl backup, %d lines of %d %8.3f s  x %.2f of one line  (target <= 1.20)\n", kLines,
                kStationsPerLine, four, four / one);
    if (!ok) std::printf("some runs failed: the figures are not valid\n");
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace telvor

int main(int argc, char** argv) { return telvor::Run(argc, argv); }
