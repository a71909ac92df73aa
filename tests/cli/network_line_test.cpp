// Drives behind a real serial device server: Debian's ser2net in front of the
// simulator's pty, reached by telvorctl in raw TCP and through RFC 2217.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "line_format_shim.h"
#include "ser2net_server.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A line of simulated drives and ser2net in front of it.
struct ServedLine {
    explicit ServedLine(std::vector<std::string> simOptions = {}) {
        std::vector<std::string> argv{TELVOR_SIM_PROGRAM, "--link", dir.File("line"), "--stations", "1-3",
                                      "--log", dir.File("sim.log")};
        argv.insert(argv.end(), simOptions.begin(), simOptions.end());
        ok = std::filesystem::exists(testing::kSer2net) && sim.Start(argv, dir.File("sim.out")) &&
             testing::WaitForPath(dir.File("line"), 5s) && server.Start(dir, dir.File("line"));
    }
    test::RunResult Telvorctl(std::vector<std::string> arguments) const {
        return test::RunTelvorctl(arguments, {{"TELVOR_HOME", dir.Path()}});
    }

    testing::TempDir dir;
    testing::ChildProcess sim;
    testing::Ser2netServer server;
    bool ok = false;
};

#define ASSERT_SERVED(line) \
    ASSERT_TRUE(line.ok) << "ser2net (Debian package ser2net) in front of telvor-sim: " << line.server.Output()

TEST(NetworkLine, ARawTcpReadByItsComNumberGivesTheFileOfADirectRead) {
    ServedLine line;
    ASSERT_SERVED(line);
    std::filesystem::create_directories(line.dir.File("ports"));
    std::ofstream(line.dir.File("ports/COM7")) << line.server.RawAddress() << "\n";

    const test::RunResult ports = line.Telvorctl({"ports"});
    EXPECT_EQ(ports.status, 0) << ports.err;
    EXPECT_EQ(ports.out, "COM7\traw TCP to 127.0.0.1:" + line.server.RawAddress().substr(16) +
                             "; the line format is the server's own\n");

    const test::RunResult direct =
        line.Telvorctl({"read", "--station", "2", "-o", line.dir.File("direct.vx3"), "--port", line.dir.File("line")});
    ASSERT_EQ(direct.status, 0) << direct.err;
    const test::RunResult served = line.Telvorctl({"read", "--station", "2", "-o", line.dir.File("served.vx3"),
                                                   "--port", "7", "--block-read"});
    ASSERT_EQ(served.status, 0) << served.err;
    EXPECT_EQ(FileBytes(line.dir.File("served.vx3")), FileBytes(line.dir.File("direct.vx3")));
}

TEST(NetworkLine, Rfc2217SetsTheDevicesLineFormat) {
    testing::LineFormatShim shim;  // ser2net and the simulator see the format set on the pty
    ServedLine line({"--line-format", "9600-7E1"});
    ASSERT_SERVED(line);
    struct Case {
        std::string address;
        std::vector<std::string> format;
        int status;
    };
    const Case cases[] = {
        {line.server.Rfc2217Address(), {"--baud", "9600", "--data-bits", "7", "--parity", "even"}, 0},
        {line.server.Rfc2217Address(), {"--baud", "9600", "--data-bits", "8", "--parity", "none"}, 1},
        // Raw TCP leaves the format to the server (38400 8N1 here): the drives do not hear.
        {line.server.RawAddress(), {"--baud", "9600", "--data-bits", "7", "--parity", "even"}, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"echo", "--station", "3", "--port", c.address};
        arguments.insert(arguments.end(), c.format.begin(), c.format.end());
        const test::RunResult result = line.Telvorctl(arguments);
        EXPECT_EQ(result.status, c.status) << c.address << " " << c.format[3] << ": " << result.out << result.err;
    }
}

TEST(NetworkLine, AnAddressThatDoesNotAnswerFailsWithinFiveSeconds) {
    ServedLine line;
    ASSERT_SERVED(line);
    struct Case {
        std::string address;
        std::string why;
    };
    const Case cases[] = {
        {"tcp://127.0.0.1:" + std::to_string(testing::FreeLocalPort()), "Connection refused"},
        {"rfc2217://" + line.server.RawAddress().substr(6), "does not answer for RFC 2217"},
    };
    for (const Case& c : cases) {
        const auto start = Clock::now();
        const test::RunResult result = line.Telvorctl({"echo", "--station", "1", "--port", c.address});
        EXPECT_LT(Clock::now() - start, 5s) << c.address;
        EXPECT_EQ(result.status, 1) << c.address;
        EXPECT_NE(result.err.find("Can not open COM port!\n" + c.address + ": "), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(c.why), std::string::npos) << result.err;
    }
}

TEST(NetworkLine, AServerThatDiesInTheMiddleOfAReadFailsItCleanly) {
    ServedLine line({"--baud", "9600"});  // long enough a read to die in
    ASSERT_SERVED(line);
    std::thread killer([&line] {
        const auto end = Clock::now() + 10s;
        while (Clock::now() < end && testing::ReadLines(line.dir.File("sim.log")).size() < 20)
            std::this_thread::sleep_for(5ms);
        line.server.Kill();
    });
    const test::RunResult result = line.Telvorctl(
        {"read", "--station", "1", "-o", line.dir.File("lost.vx3"), "--port", line.server.RawAddress()});
    killer.join();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Unable to read the data!"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Unable to reopen the port!"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(line.dir.File("lost.vx3")));
}

}  // namespace
}  // namespace telvor
