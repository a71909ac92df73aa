// telvorctl echo against telvor-sim: the trace, the failure report, and the line
// options taken from the settings file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "child_process.h"
#include "pty_pair.h"
#include "test_frames.h"
#include "program_settings.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;

class EchoVerbTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start({TELVOR_SIM_PROGRAM, "--link", dir.File("line"), "--stations", "1,4"},
                              dir.File("sim.out")));
        ASSERT_TRUE(testing::WaitForPath(dir.File("line"), 5s));
        std::filesystem::create_directories(dir.File("home"));
    }
    test::RunResult Run(const std::vector<std::string>& arguments) {
        return test::RunTelvorctl(arguments, {{"TELVOR_HOME", dir.File("home")}});
    }
    testing::TempDir dir;
    testing::ChildProcess sim;
};

TEST_F(EchoVerbTest, TraceShowsTheEchoGoingOutAndComingBack) {
    const test::RunResult result = Run({"--trace", "echo", "--port", dir.File("line"), "--station", "1"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Station 001: echo returned\n");
    const std::size_t out = result.err.find(" out :01080000A5371B\\r\\n\n");
    const std::size_t in = result.err.find(" in  :01080000A5371B\\r\\n\n");
    EXPECT_NE(out, std::string::npos) << result.err;
    EXPECT_NE(in, std::string::npos) << result.err;
    EXPECT_LT(out, in);
}

TEST_F(EchoVerbTest, AnAbsentStationIsATimeOutAfterThreeAttempts) {
    const test::RunResult result = Run({"--trace", "echo", "--station", "2", "--port", dir.File("line")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("TIME-OUT !!"), std::string::npos) << result.err;
    std::size_t sent = 0;
    for (std::size_t at = 0; (at = result.err.find(" out :02080000A5371A", at)) != std::string::npos; ++at) ++sent;
    EXPECT_EQ(sent, 3u);
}

TEST_F(EchoVerbTest, ThePortAndLineFormatComeFromTheSettingsFile) {
    std::filesystem::create_directories(dir.File("home/ports"));
    std::filesystem::create_symlink(dir.File("line"), dir.File("home/ports/COM3"));
    ProgramSettings settings;
    settings.comPort = 3;
    settings.baudRate = 19200;
    std::ofstream(dir.File("home/vx3inf.ini"), std::ios::binary) << SettingsFileText(settings);
    const test::RunResult result = Run({"echo", "--station", "4"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Station 004: echo returned\n");
}

TEST_F(EchoVerbTest, ALineFormatOfTheSettingsFileThatIsRefusedIsNamed) {
    const std::pair<int ProgramSettings::*, std::pair<int, std::string>> cases[] = {
        {&ProgramSettings::baudRate, {-9600, "baud rate -9600 is not supported"}},
        {&ProgramSettings::dataBits, {5, "data bits 5: 7 or 8"}},
        {&ProgramSettings::parity, {7, "parity 7: 0 none, 1 odd or 2 even"}},
        {&ProgramSettings::stopBits, {1, "stop bits 1: 0 for one or 2 for two"}},
    };
    for (const auto& [setting, refused] : cases) {
        ProgramSettings settings;
        settings.*setting = refused.first;
        const std::string& reason = refused.second;
        std::ofstream(dir.File("home/vx3inf.ini"), std::ios::binary) << SettingsFileText(settings);
        const test::RunResult result = Run({"echo", "--station", "1", "--port", dir.File("line")});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "Can not open COM port!\n" + dir.File("line") + ": the line format is refused (" + reason +
                                  ")\n");
    }
}

TEST_F(EchoVerbTest, APortThatCannotBeOpenedIsReportedWithTheReason) {
    const test::RunResult result = Run({"echo", "--port", dir.File("nothing"), "--station", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Can not open COM port!"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
}

// A drive that answers the echo with an exception: the message is printed as the
// other verbs print theirs, the text alone; a code without a text shows the code.
TEST(EchoVerbMessages, AnExceptionReplyPrintsItsTextAloneOrItsCode) {
    for (const auto& [code, shown] : {std::pair{"52", "Address Error !\n"}, std::pair{"01", "exception 01\n"}}) {
        testing::TempDir home;
        testing::PtyPair line;
        ASSERT_TRUE(line.Ok());
        const std::string reply = testing::WithLrc(std::string(":0188") + code);
        std::thread drive([&] {
            if (!line.Receive(3s).empty()) line.Send(reply);
        });
        const test::RunResult result = test::RunTelvorctl({"echo", "--port", line.SlavePath(), "--station", "1"},
                                                          {{"TELVOR_HOME", home.Path()}});
        drive.join();
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, shown);
    }
}

TEST_F(EchoVerbTest, WrongOptionsAreUsageErrors) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"echo"}, {"echo", "--station", "0"}, {"echo", "--station", "255"},
          {"echo", "--station", "1", "--parity", "mark"}, {"echo", "--station", "1", "--stop-bits", "3"},
          {"echo", "--station", "1", "--data-bits", "9"}, {"echo", "--station", "1", "--baud"}}) {
        const test::RunResult result = Run(arguments);
        EXPECT_EQ(result.status, 2) << arguments.back();
    }
}

}  // namespace
}  // namespace telvor
