// The quick scan, the line overview of scan --all and detect against telvor-sim.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "child_process.h"
#include "document_file.h"
#include "line_format_shim.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;

class LineSurveyTest : public ::testing::Test {
  protected:
    void StartLine(const std::vector<std::string>& options) {
        std::vector<std::string> argv{TELVOR_SIM_PROGRAM, "--link", dir.File("line")};
        argv.insert(argv.end(), options.begin(), options.end());
        ASSERT_TRUE(sim.Start(argv, dir.File("sim.out")));
        ASSERT_TRUE(testing::WaitForPath(dir.File("line"), 5s));
        std::filesystem::create_directories(dir.File("home"));
    }
    test::RunResult Run(std::vector<std::string> arguments,
                        const std::map<std::string, std::string>& env = {}) {
        arguments.insert(arguments.end(), {"--port", dir.File("line")});
        std::map<std::string, std::string> environment = env;
        environment["TELVOR_HOME"] = dir.File("home");
        return test::RunTelvorctl(arguments, environment);
    }
    testing::TempDir dir;
    testing::ChildProcess sim;
};

TEST_F(LineSurveyTest, TheQuickScanFindsExactlyTheDrivesEvenAGarbledOne) {
    StartLine(
        {"--stations", "3,77,254", "--baud", "38400", "--station-model", "77=5", "--fault", "77:bad-lrc=1"});
    const std::string overview = "station\tmodel\tversion\ttitle\n003\tKRV-020-11\t1.2\t\n077\t" +
                                 std::string("KRV-075-21") + "\t1.2\t\n254\tKRV-020-11\t1.2\t\n";
    for (const char* mode : {"--quick", "--all"}) {
        // The usual scan is slow on a long range: it gets the stations around the drives.
        const char* stations = mode == std::string("--quick") ? "1-254" : "2-4,76-78,253,254";
        const test::RunResult result = Run({"scan", "--stations", stations, "--all", mode});
        EXPECT_EQ(result.status, 0) << mode << result.err;
        EXPECT_EQ(result.out, overview) << mode;
    }
}

TEST_F(LineSurveyTest, TheQuickLinkScanLinksTheFirstDriveThatAnswers) {
    StartLine({"--stations", "6,9", "--fault", "6:bad-lrc=1"});
    const test::RunResult result = Run({"scan", "--stations", "1-9", "--quick"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Ver: 1.2\nLinking  006\nModel: KRV-020-11\n");
}

TEST_F(LineSurveyTest, TheQuickMonitorScanPollsExactlyTheDrives) {
    StartLine({"--stations", "4,7", "--fault", "4:bad-lrc=2"});
    const test::RunResult result = Run({"monitor", "--stations", "1-9", "--quick", "--count", "1"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::string> polled;
    for (std::size_t at = result.out.find('\n'); at != std::string::npos && at + 1 < result.out.size();
         at = result.out.find('\n', at + 1))
        polled.push_back(result.out.substr(at + 1, result.out.find('\t', at + 1) - at - 1));
    EXPECT_EQ(polled, (std::vector<std::string>{"4", "7"})) << result.out;
}

TEST_F(LineSurveyTest, TitlesComeFromTheNamedFileAndNothingFoundFails) {
    StartLine({"--stations", "2"});
    CSolvaneDoc doc = NewDocument(0, true, false);
    doc.stationTitles[1] = "Conveyor 2";
    ASSERT_TRUE(WriteDocumentFile(doc, dir.File("titles.vx3"), WriteMode::Replace).ok);
    test::RunResult result =
        Run({"scan", "--stations", "1-3", "--all", "--quick", "--titles", dir.File("titles.vx3")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "station\tmodel\tversion\ttitle\n002\tKRV-020-11\t1.2\tConveyor 2\n");
    result = Run({"scan", "--stations", "5-9", "--all", "--quick"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "station\tmodel\tversion\ttitle\n");
}

TEST_F(LineSurveyTest, DetectFindsTheFormatOfTheDrives) {
    testing::LineFormatShim shim;
    StartLine({"--stations", "5,7", "--line-format", "9600-7E1"});
    // From the fastest, 9600 7E1 comes after every format at 38400 and 19200 Bd.
    test::RunResult result = Run({"detect", "--stations", "1-8"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "baud=9600 data=7 parity=even stop=1\nstations: 005 007\n");
    // The settings' format is tried first: one quick echo and its echo test, then the
    // quick scan of the list and the echo test of what answered.
    result = Run(
        {"detect", "--stations", "5", "--baud", "9600", "--data-bits", "7", "--parity", "even", "--stats"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "baud=9600 data=7 parity=even stop=1\nstations: 005\n");
    EXPECT_NE(result.err.find("stats: sent=4 replies=4 timeouts=0"), std::string::npos) << result.err;
}

TEST_F(LineSurveyTest, DetectFailsWhenNothingAnswersAtAnyFormat) {
    StartLine({"--stations", "9"});
    const test::RunResult result = Run({"detect", "--stations", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "No station answered at any line format.\n");
}

}  // namespace
}  // namespace telvor
