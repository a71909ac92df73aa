// The time of one exchange on a simulated line: the mean of ReadParameter
// transactions against telvor-sim with line timing, with the read ending at the
// reply's LF and, for comparison, on the 50 ms gap.
//   exchange_bench SIM_PROGRAM [BAUD] [COUNT]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "transactions.h"

namespace {

using Clock = std::chrono::steady_clock;

double MeanMilliseconds(telvor::CModbusAscii& port, int count, bool frameEnd) {
    port.SetFrameEndDetection(frameEnd);
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        if (!telvor::ReadParameter(port, 1, 2).Ok()) {
            std::fprintf(stderr, "exchange_bench: ReadParameter %d failed\n", i);
            std::exit(1);
        }
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: exchange_bench SIM_PROGRAM [BAUD] [COUNT]\n");
        return 2;
    }
    const std::string baud = argc > 2 ? argv[2] : "38400";
    const int count = argc > 3 ? std::atoi(argv[3]) : 100;
    char folder[] = "/tmp/telvor-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    const std::string link = std::string(folder) + "/line";
    const pid_t sim = fork();
    if (sim == 0) {
        execl(argv[1], argv[1], "--link", link.c_str(), "--baud", baud.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    while (access(link.c_str(), F_OK) != 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));

    telvor::CModbusAscii port;
    if (port.Open(link, telvor::kLinkQueueSize, telvor::kLinkQueueSize) != 0) return 1;
    const int chars = 17 + 15;
    const double line = chars * 10 * 1000.0 / std::stoi(baud);
    MeanMilliseconds(port, 5, true);  // warm-up
    const double atLf = MeanMilliseconds(port, count, true);
    const double onGap = MeanMilliseconds(port, count, false);
    std::printf("ReadParameter at %s Bd, %d transactions each (line time of request and reply %.2f ms, "
                "turnaround 2 ms, pause before write 2 ms):\n",
                baud.c_str(), count, line);
    std::printf("  read ends at the reply's LF: %7.2f ms per exchange\n", atLf);
    std::printf("  read ends on the 50 ms gap:  %7.2f ms per exchange\n", onGap);
    port.Close();
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    rmdir(folder);
    return 0;
}
