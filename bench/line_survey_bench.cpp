// Whole-process times of the line survey verbs of telvorctl against telvor-sim: the
// quick scan of stations 1..254 at 38400 Bd with three drives (3, 77, 254), and detect
// of a drive at 9600 7E1 among stations 1-8 (the simulator and telvorctl run with the
// line-format preload, so that the pty keeps the format telvorctl sets). Medians.
//
// usage: telvor-survey-bench TELVORCTL TELVOR_SIM LINE_FORMAT_PRELOAD [RUNS]

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {

// Milliseconds of one run and its standard output; negative when it failed.
double RunOnce(std::vector<std::string> words, std::string& output) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    output.clear();
    char buffer[512];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
}

// The median in seconds; `failed` when a run failed or printed something else.
double MedianSeconds(const std::vector<std::string>& words, const std::string& expected, int runs,
                     bool& failed) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        std::string output;
        const double ms = RunOnce(words, output);
        if (ms < 0 || output != expected) {
            std::fprintf(stderr, "telvor-survey-bench: unexpected output:\n%s", output.c_str());
            failed = true;
        }
        times.push_back(ms / 1000.0);
    }
    return telvor::Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: telvor-survey-bench TELVORCTL TELVOR_SIM LINE_FORMAT_PRELOAD [RUNS]\n");
        return 2;
    }
    const std::string telvorctl = argv[1];
    const std::string sim = argv[2];
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    char folder[] = "/tmp/telvor-survey-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    const std::string home = std::string(folder) + "/home";
    std::filesystem::create_directories(home);
    setenv("TELVOR_HOME", home.c_str(), 1);
    bool failed = false;
    double scan = 0;
    double detect = 0;
    {
        const std::string link = std::string(folder) + "/line";
        telvor::Simulator drives(sim, link, {"--stations", "3,77,254", "--baud", "38400"});
        scan =
            MedianSeconds({telvorctl, "scan", "--stations", "1-254", "--all", "--quick", "--port", link,
                           "--baud", "38400", "--data-bits", "8", "--parity", "none", "--stop-bits", "1"},
                          "station\tmodel\tversion\ttitle\n003\tKRV-020-11\t1.2\t\n077\tKRV-020-11\t1.2\t\n"
                          "254\tKRV-020-11\t1.2\t\n",
                          runs, failed);
    }
    {
        const std::string records = std::string(folder) + "/formats";
        std::filesystem::create_directories(records);
        setenv("LD_PRELOAD", argv[3], 1);
        setenv("TELVOR_LINE_FORMAT_DIR", records.c_str(), 1);
        const std::string link = std::string(folder) + "/formatted";
        telvor::Simulator drive(sim, link,
                                {"--stations", "5", "--baud", "9600", "--line-format", "9600-7E1"});
        detect = MedianSeconds({telvorctl, "detect", "--stations", "1-8", "--port", link, "--baud", "38400",
                                "--data-bits", "8", "--parity", "none", "--stop-bits", "1"},
                               "baud=9600 data=7 parity=even stop=1\nstations: 005\n", runs, failed);
        unsetenv("LD_PRELOAD");
    }
    std::filesystem::remove_all(folder);
    if (failed) return 1;
    std::printf("Line survey (telvorctl, whole process, median of %d):\n", runs);
    std::printf("  scan 1-254 --all --quick at 38400 Bd, 3 drives  %6.2f s  (target <= 10 s)\n", scan);
    std::printf("  detect 9600 7E1 among stations 1-8            %6.2f s  (target <= 60 s)\n", detect);
    return 0;
}
