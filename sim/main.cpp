// telvor-sim: a line of simulated drives on a pty (see --help).

#include <csignal>
#include <cstdio>

#include "sim_options.h"
#include "telvor_version.h"

namespace {

telvor::sim::PtyServer* running = nullptr;

void StopOnSignal(int) {
    if (running) running->Stop();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace telvor::sim;
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(argc, argv, options, &error)) {
        std::fprintf(stderr, "telvor-sim: %s\n\n%s", error.c_str(), kSimUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kSimUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("telvor-sim %s\n", kTelvorVersion);
        return 0;
    }
    DriveLine line;
    if (!BuildLine(options, line, &error)) {
        std::fprintf(stderr, "telvor-sim: %s\n", error.c_str());
        return 2;
    }
    PtyServer server(std::move(line), options.server);
    if (!server.Open(&error)) {
        std::fprintf(stderr, "telvor-sim: %s\n", error.c_str());
        return 1;
    }
    running = &server;
    struct sigaction action {};
    action.sa_handler = StopOnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    server.Run();
    running = nullptr;
    return 0;
}
