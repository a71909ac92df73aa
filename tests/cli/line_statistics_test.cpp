// --stats: the line's statistics printed on stderr when a link verb ends, counted
// on the simulator's line with a garbled reply and a silent station.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "child_process.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;

// The counts of the stats line; the reply times only need to be there.
std::string Counts(const std::string& err) {
    std::smatch match;
    static const std::regex line(
        "stats: (sent=.* retries=[0-9]+) mean_reply_ms=[0-9]+\\.[0-9] max_reply_ms=[0-9]+\\.[0-9]\n$");
    return std::regex_search(err, match, line) ? match[1].str() : "no stats line in: " + err;
}

TEST(LineStatisticsVerb, EveryAttemptIsCountedByHowItEnded) {
    testing::TempDir dir;
    testing::ChildProcess sim;
    ASSERT_TRUE(sim.Start(
        {TELVOR_SIM_PROGRAM, "--link", dir.File("line"), "--stations", "1,4", "--fault", "4:bad-lrc=1"},
        dir.File("sim.out")));
    ASSERT_TRUE(testing::WaitForPath(dir.File("line"), 5s));
    std::filesystem::create_directories(dir.File("home"));
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* counts;
    };
    const Case cases[] = {
        // The garbled first reply is a checksum error and the echo is sent again.
        {{"echo", "--station", "4", "--stats"},
         0,
         "sent=2 replies=1 timeouts=0 checksum=1 exceptions=0 late=0 retries=1"},
        // A silent station: three time-outs.
        {{"echo", "--stats", "--station", "2"},
         1,
         "sent=3 replies=0 timeouts=3 checksum=0 exceptions=0 late=0 retries=2"},
        // The scan's echoes, then the version and capacity reads of station 1.
        {{"scan", "--stations", "1", "--stats"},
         0,
         "sent=3 replies=3 timeouts=0 checksum=0 exceptions=0 late=0 retries=0"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"--port", dir.File("line")});
        const test::RunResult result = test::RunTelvorctl(arguments, {{"TELVOR_HOME", dir.File("home")}});
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(Counts(result.err), c.counts) << c.arguments[0];
    }
}

TEST(LineStatisticsVerb, WithoutTheOptionNothingIsPrinted) {
    testing::TempDir dir;
    testing::ChildProcess sim;
    ASSERT_TRUE(sim.Start({TELVOR_SIM_PROGRAM, "--link", dir.File("line")}, dir.File("sim.out")));
    ASSERT_TRUE(testing::WaitForPath(dir.File("line"), 5s));
    const test::RunResult result = test::RunTelvorctl({"echo", "--station", "1", "--port", dir.File("line")},
                                                      {{"TELVOR_HOME", dir.Path()}});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace telvor
