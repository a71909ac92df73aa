// telvorctl against a drive on a real pty whose reply to one request comes after the
// attempt's time-out and the reply to its repeat later still: every verb either ends
// with the drive's own values or reports a failure; it never saves, confirms or writes
// the answer to another request.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "delaying_drive.h"
#include "document_file.h"
#include "parameter_block_reader.h"
#include "parameter_catalogue.h"
#include "sim_line.h"
#include "solvane_doc.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using telvor::test::RunResult;
using testing::DelayingDrive;
using Delays = std::pair<std::chrono::milliseconds, std::chrono::milliseconds>;

constexpr int kCodeB92 = 192;
constexpr int kCodeB93 = 193;

std::string ReadRequest(int codeIndex) {
    char frame[kRequestBufferSize] = {};
    return {frame, CModbusAscii::ReadParameter(frame, 1, codeIndex)};
}

class TelvorctlLateReplies : public ::testing::TestWithParam<Delays> {
protected:
    void SetUp() override { ASSERT_FALSE(folder.empty()); }
    void TearDown() override { testing::RemoveFolder(folder); }

    RunResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--port", drive.Path()});
        return telvor::test::RunTelvorctl(arguments, {{"TELVOR_HOME", folder}});
    }
    void DelayTwice(const std::string& request) {
        drive.Delay(request, {GetParam().first, GetParam().second});
    }
    // Success with every value the drive's own, or a failure that says so.
    void ExpectOwnValuesOrTimeOut(const RunResult& run, const std::string& file) {
        if (run.status != 0) {
            EXPECT_EQ(run.status, 1) << run.err;
            EXPECT_EQ(run.err, "TIME-OUT !!\n");
            return;
        }
        const DocumentReadResult read = ReadDocumentFile(file);
        ASSERT_TRUE(read.ok);
        for (const ParameterInfo& info : ParameterCatalogue()) {
            const std::size_t slot = static_cast<std::size_t>(SlotOfCodeIndex(info.codeIndex));
            EXPECT_EQ(read.doc.sets[0][slot], drive.Register(RegisterOfParameter(info.codeIndex)))
                << CodeText(info.codeIndex);
        }
    }
    // Whether the first of these delays gives a drive that catches up within the echo's attempts.
    bool Recoverable() const { return GetParam().first == 450ms; }

    std::string folder = testing::MakeTempFolder();
    DelayingDrive drive;
};

TEST_P(TelvorctlLateReplies, ReadSavesEveryParameterWithItsOwnValue) {
    DelayTwice(ReadRequest(0));
    const RunResult run = Run({"read", "--station", "1", "-o", folder + "/read.vx3"});
    if (Recoverable()) {
        EXPECT_EQ(run.status, 0) << run.err;
    }
    ExpectOwnValuesOrTimeOut(run, folder + "/read.vx3");
}

TEST_P(TelvorctlLateReplies, BlockReadSavesEveryParameterWithItsOwnValue) {
    std::vector<int> codes;
    for (const ParameterInfo& info : ParameterCatalogue()) codes.push_back(info.codeIndex);
    const RegisterRun first = RegisterRuns(codes).front();
    char frame[kRequestBufferSize] = {};
    const int count = std::min(static_cast<int>(first.codes.size()), kDefaultParameterBlock);
    DelayTwice({frame, CModbusAscii::ReadRegisters(frame, 1, first.firstRegister, count)});
    const RunResult run = Run({"read", "--block-read", "--station", "1", "-o", folder + "/blocks.vx3"});
    if (Recoverable()) {
        EXPECT_EQ(run.status, 0) << run.err;
    }
    ExpectOwnValuesOrTimeOut(run, folder + "/blocks.vx3");
}

// The drive refuses b93 while the echo of the b92 write is still on its way.
TEST_P(TelvorctlLateReplies, WriteReportsTheRefusalThatTheEchoOfAnotherWriteWouldHaveHidden) {
    CSolvaneDoc doc = NewDocument(8, true, false);
    const std::string file = folder + "/set.vx3";
    ASSERT_TRUE(WriteDocumentFile(doc, file).ok);
    const std::int32_t b92 = doc.sets[0][static_cast<std::size_t>(SlotOfCodeIndex(kCodeB92))];
    drive.Refuse(RegisterOfParameter(kCodeB93), 0x54);
    char frame[kRequestBufferSize] = {};
    DelayTwice({frame, CModbusAscii::WriteParameter(frame, 1, kCodeB92, b92)});
    const RunResult run = Run({"write", "--stations", "1", "--advanced", file});
    EXPECT_EQ(run.status, 1);
    if (Recoverable()) {
        EXPECT_NE(run.err.find("Data Over Range !"), std::string::npos) << run.err;
    }
    EXPECT_EQ(drive.Register(RegisterOfParameter(kCodeB92)), b92);
}

// A running drive is stopped: the control word written keeps its direction (forward),
// never A00's value 2 (reverse) taken from a late reply.
TEST_P(TelvorctlLateReplies, ControlStopWritesTheDrivesOwnControlWordBack) {
    drive.SetRegister(RegisterOfParameter(0), 2);
    drive.SetRegister(kRegisterControlWord, 1);
    DelayTwice(ReadRequest(0));
    const RunResult run = Run({"control", "--station", "1", "stop"});
    const std::uint16_t written = drive.Register(kRegisterControlWord);
    if (run.status == 0) {
        EXPECT_EQ(written, 0) << "stopped, forward";
    } else {
        EXPECT_EQ(written, 1) << "a failed read writes nothing";
    }
    if (Recoverable()) {
        EXPECT_EQ(run.status, 0) << run.err;
    }
    char reverse[kRequestBufferSize] = {};
    const std::string stopAndReverse(reverse,
                                     CModbusAscii::WriteRegister(reverse, 1, kRegisterControlWord, 2));
    for (const std::string& request : drive.Requests()) EXPECT_NE(request, stopAndReverse);
}

INSTANTIATE_TEST_SUITE_P(FirstThenLater, TelvorctlLateReplies,
                         ::testing::Values(Delays{450ms, 1050ms}, Delays{600ms, 1400ms},
                                           Delays{1000ms, 2200ms}),
                         [](const auto& info) {
                             return std::to_string(info.param.first.count()) + "_" +
                                    std::to_string(info.param.second.count());
                         });

}  // namespace
}  // namespace telvor
