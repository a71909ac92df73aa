// How long a whole telvorctl process takes for a verb that needs no drive
// (`telvorctl settings`), against a program of ours that does not link Qt
// (`telvor-sim --help`): scripts call telvorctl hundreds of times, and only
// `print` may pay for loading Qt. Median of the runs, each a fork and exec.

#include <fcntl.h>
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

// Milliseconds of one run, output to /dev/null; negative when it failed.
double RunOnce(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
}

double MedianMs(const std::vector<std::string>& words, int runs, bool& failed) {
    std::vector<double> times;
    for (int i = 0; i < runs + 2; ++i) {  // the first two fill the caches
        const double ms = RunOnce(words);
        failed = failed || ms < 0;
        if (i >= 2) times.push_back(ms);
    }
    return telvor::Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: telvor-start-bench TELVORCTL TELVOR_SIM PARAMETER_FILE [RUNS]\n");
        return 2;
    }
    const std::string telvorctl = argv[1];
    const int runs = argc > 4 ? std::atoi(argv[4]) : 20;
    char folder[] = "/tmp/telvor-start-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    setenv("TELVOR_HOME", folder, 1);
    const std::string pdf = std::string(folder) + "/pages.pdf";

    bool failed = false;
    const double settings = MedianMs({telvorctl, "settings"}, runs, failed);
    const double reference = MedianMs({argv[2], "--help"}, runs, failed);
    const double print = MedianMs({telvorctl, "print", argv[3], "-o", pdf, "--force"}, runs, failed);
    std::filesystem::remove_all(folder);

    std::printf("command-line start, whole process (median of %d runs)\n", runs);
    std::printf("  telvorctl settings             %7.1f ms  x %.2f of a program without Qt  (target <= x 1.50)\n",
                settings, settings / reference);
    std::printf("  telvor-sim --help (no Qt)      %7.1f ms\n", reference);
    std::printf("  telvorctl print (loads Qt)     %7.1f ms\n", print);
    if (failed) std::printf("some runs failed: the figures are not valid\n");
    return failed ? 1 : 0;
}
