// A line of drives at one line format: telvor-sim --line-format hears only a client
// whose line is set to that format (the pty keeps the format through the preload).

#include <gtest/gtest.h>

#include "child_process.h"
#include "line_format_shim.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;

struct ClientFormat {
    const char* baud;
    const char* dataBits;
    const char* parity;
    const char* stopBits;
    bool answered;
};

TEST(SimLineFormat, StationsAnswerOnlyAtTheirOwnFormat) {
    testing::TempDir dir;
    testing::LineFormatShim shim;
    testing::ChildProcess sim;
    ASSERT_TRUE(sim.Start({TELVOR_SIM_PROGRAM, "--link", dir.File("line"), "--stations", "5", "--line-format",
                           "9600-7E1"},
                          dir.File("sim.out")));
    ASSERT_TRUE(testing::WaitForPath(dir.File("line"), 5s));
    const ClientFormat formats[] = {
        {"9600", "7", "even", "1", true},   {"9600", "8", "none", "1", false}, {"19200", "7", "even", "1", false},
        {"9600", "7", "odd", "1", false},   {"9600", "7", "even", "2", false}, {"9600", "8", "even", "1", false},
    };
    for (const ClientFormat& format : formats) {
        const test::RunResult result =
            test::RunTelvorctl({"echo", "--station", "5", "--port", dir.File("line"), "--baud", format.baud,
                                "--data-bits", format.dataBits, "--parity", format.parity, "--stop-bits",
                                format.stopBits},
                               {{"TELVOR_HOME", dir.Path()}});
        const std::string name = std::string(format.baud) + " " + format.dataBits + format.parity + format.stopBits;
        EXPECT_EQ(result.status, format.answered ? 0 : 1) << name << ": " << result.out << result.err;
    }
}

TEST(SimLineFormat, ABadFormatTextIsRefused) {
    std::string output;
    for (const char* text : {"9600-9E1", "9600-7X1", "9600-7E3", "-7E1", "9600", "9600-7E1x"})
        EXPECT_FALSE(testing::RunWithInput({TELVOR_SIM_PROGRAM, "--link", "/tmp/unused", "--line-format", text}, "",
                                           output))
            << text;
}

}  // namespace
}  // namespace telvor
