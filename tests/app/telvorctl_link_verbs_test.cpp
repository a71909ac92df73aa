#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "document_file.h"
#include "parameter_catalogue.h"
#include "pty_pair.h"
#include "ctl_rig.h"
#include "sim_line.h"
#include "station_range.h"
#include "value_format.h"

namespace telvor {
namespace {

using telvor::test::RunResult;
using telvor::testing::CapacityFrame;
using telvor::testing::CtlRig;
using telvor::testing::EchoFrame;
using telvor::testing::SimLine;
using telvor::testing::VersionFrame;
using telvor::testing::WriteFrame;
using Frames = std::vector<std::string>;

TEST(TelvorctlScan, PrintsTheStatusPanesOfTheLinkedStation) {
    CtlRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    RunResult run = rig.Run({"scan", "--stations", "1-3"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Ver: 1.2\nLinking  003\nModel: KRV-075-43\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(rig.NewFrames(), (Frames{EchoFrame(1), EchoFrame(1), EchoFrame(2), EchoFrame(2), EchoFrame(3),
                                       VersionFrame(3), CapacityFrame(3)}));
}

TEST(TelvorctlScan, FailuresExitWithOneAndTheirMessage) {
    CtlRig rig({"--stations", "5"});
    ASSERT_TRUE(rig.sim.Started());
    RunResult none = rig.Run({"scan", "--stations", "1-2"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "");
    RunResult silent = rig.Run({"scan", "--stations", "7"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.err, "TIME-OUT !!\n");
    RunResult usage = rig.Run({"scan"});
    EXPECT_EQ(usage.status, 2);
}

TEST(TelvorctlScan, ASettingsFileThatIsAFolderGivesTheDefaults) {
    CtlRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_TRUE(std::filesystem::create_directories(rig.File("home/vx3inf.ini")));
    RunResult run = rig.Run({"scan", "--stations", "3"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Ver: 1.2\nLinking  003\nModel: KRV-075-43\n");
}

TEST(TelvorctlReadWrite, ReadOneDriveAndWriteItIntoAnotherGivesTheSameSettings) {
    CtlRig rig({"--stations", "3,4", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_TRUE(rig.sim.Control("register 3 8 4500"));   // A02
    ASSERT_TRUE(rig.sim.Control("register 3 111 2"));    // b00
    ASSERT_TRUE(rig.sim.Control("register 3 13 1"));     // b02

    RunResult read = rig.Run({"read", "--station", "3", "-o", rig.File("three.vx3")});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.err, "");
    DocumentReadResult three = ReadDocumentFile(rig.File("three.vx3"));
    ASSERT_TRUE(three.ok);
    EXPECT_EQ(three.doc.sets[0][2], 4500);
    EXPECT_EQ(three.doc.modelIndex, 8);

    RunResult again = rig.Run({"read", "--station", "3", "-o", rig.File("three.vx3")});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("exists"), std::string::npos);
    EXPECT_EQ(rig.Run({"read", "--station", "3", "-o", rig.File("three.vx3"), "--force"}).status, 0);

    rig.NewFrames();
    RunResult write = rig.Run({"write", "--stations", "4", rig.File("three.vx3")});
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.err, "");
    Frames frames = rig.NewFrames();
    EXPECT_TRUE(rig.Contains(frames, WriteFrame(4, 2, 4500)));
    EXPECT_FALSE(rig.Contains(frames, WriteFrame(4, kCodeB95, 0)));

    RunResult readBack = rig.Run({"read", "--station", "4", "-o", rig.File("four.vx3")});
    EXPECT_EQ(readBack.status, 0);
    DocumentReadResult four = ReadDocumentFile(rig.File("four.vx3"));
    ASSERT_TRUE(four.ok);
    EXPECT_EQ(four.doc.sets[0], three.doc.sets[0]);
}

TEST(TelvorctlReadWrite, ReadOntoALinkToNothingIsRefusedAndCreatesNothing) {
    CtlRig rig({"--stations", "3"});
    ASSERT_TRUE(rig.sim.Started());
    const std::string link = rig.File("link.vx3"), target = rig.File("elsewhere.vx3");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    for (const bool force : {false, true}) {
        std::vector<std::string> words{"read", "--station", "3", "--basic", "-o", link};
        if (force) words.push_back("--force");
        const RunResult run = rig.Run(words);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Error: Save file failure!\n\n" + link + "\nit is a symbolic link to " + target +
                               ", which does not exist\n");
        EXPECT_FALSE(std::filesystem::exists(target));
        EXPECT_TRUE(std::filesystem::is_symlink(link));
    }
}

TEST(TelvorctlReadWrite, OnATerminalTheProgressLineIsRewrittenInPlaceAndClearedAtTheEnd) {
    CtlRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    testing::PtyPair terminal;
    ASSERT_TRUE(terminal.Ok());
    std::string shown;
    std::atomic<bool> done = false;
    std::thread reader([&] {
        while (!done) shown += terminal.Receive(std::chrono::milliseconds(100));
        shown += terminal.Receive(std::chrono::milliseconds(100));
    });
    const RunResult read = telvor::test::RunTelvorctl(
        {"read", "--station", "3", "--basic", "-o", rig.File("a.vx3"), "--port", rig.sim.LinkPath()},
        {{"TELVOR_HOME", rig.sim.Folder() + "/home"}}, terminal.SlavePath());
    done = true;
    reader.join();
    EXPECT_EQ(read.status, 0);
    std::string expected;
    for (int i = 0; i < kBasicCount; ++i)
        expected += "\rRead Inverter Function Parameter..." + CodeText(i) + " " + std::to_string(i + 1) + "/13\x1b[K";
    EXPECT_EQ(shown, expected + "\r\x1b[K");
}

TEST(TelvorctlReadWrite, ReadOfOneGroupKeepsDefaultsForTheOther) {
    CtlRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_TRUE(rig.sim.Control("register 3 8 4500"));
    ASSERT_TRUE(rig.sim.Control("register 3 111 2"));
    RunResult read = rig.Run({"read", "--station", "3", "--advanced", "-o", rig.File("b.vx3")});
    EXPECT_EQ(read.status, 0) << read.err;
    DocumentReadResult doc = ReadDocumentFile(rig.File("b.vx3"));
    ASSERT_TRUE(doc.ok);
    EXPECT_EQ(doc.doc.sets[0][2], DefaultRaw(2, 8, true));
    EXPECT_EQ(doc.doc.sets[0][kBasicCount], 2);
}

struct WriteErrorCase {
    const char* name;
    std::vector<std::string> extra;
    bool fifthWritten;
};

class TelvorctlWriteError : public ::testing::TestWithParam<WriteErrorCase> {};

TEST_P(TelvorctlWriteError, SilentStationInTheMiddleFollowsOnError) {
    const WriteErrorCase& c = GetParam();
    CtlRig rig({"--stations", "3,5", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_EQ(rig.Run({"read", "--station", "3", "--basic", "-o", rig.File("set.vx3")}).status, 0);
    rig.NewFrames();
    std::vector<std::string> words{"write", "--stations", "3-5", "--basic", rig.File("set.vx3")};
    words.insert(words.end(), c.extra.begin(), c.extra.end());
    RunResult run = rig.Run(words);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, std::string("Communication Error !!\nContinue to Next Station ?\nWrite Summary:\n") +
                           "Station_003 OK 13 written\nStation_004 FAILED 0 written\nStation_005 " +
                           (c.fifthWritten ? "OK 13 written\n" : "not written\n"));
    Frames frames = rig.NewFrames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), VersionFrame(4)), 3);
    EXPECT_EQ(rig.Contains(frames, CapacityFrame(5)), c.fifthWritten);
    EXPECT_EQ(rig.Contains(frames, WriteFrame(5, 0, DefaultRaw(0, 8, true))), c.fifthWritten);
}

INSTANTIATE_TEST_SUITE_P(Cases, TelvorctlWriteError,
                         ::testing::Values(WriteErrorCase{"AbortByDefault", {}, false},
                                           WriteErrorCase{"Abort", {"--on-error", "abort"}, false},
                                           WriteErrorCase{"Continue", {"--on-error", "continue"}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PutCase {
    const char* name;
    std::vector<std::string> words;
    int status;
    std::string err;
    Frames writes;  // the write frames that went out
};

class TelvorctlPut : public ::testing::TestWithParam<PutCase> {};

TEST_P(TelvorctlPut, WritesAsTheOnlineEditWould) {
    const PutCase& c = GetParam();
    CtlRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    std::vector<std::string> words{"put", "--station", "3"};
    words.insert(words.end(), c.words.begin(), c.words.end());
    RunResult run = rig.Run(words);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    Frames writes;
    for (const auto& frame : rig.NewFrames())
        if (frame.compare(3, 2, "10") == 0) writes.push_back(frame);
    EXPECT_EQ(writes, c.writes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TelvorctlPut,
    ::testing::Values(
        PutCase{"Frequency", {"A02", "45"}, 0, "Write Parameter Successfully !!\n", {WriteFrame(3, 2, 4500)}},
        PutCase{"ResetWithoutYes", {"b95", "20"}, 1, "Code: b95\nReset to factory default (60 Hz)?\n", {}},
        PutCase{"ResetWithYes",
                {"b95", "10", "--yes"},
                0,
                "Code: b95\nReset to factory default (50 Hz)?\nWrite Parameter Successfully !!\n",
                {WriteFrame(3, kCodeB95, 10)}},
        PutCase{"ResetZeroIsNotSent", {"b95", "0"}, 0, "", {}},
        PutCase{"Protected", {"b96", "20"}, 2, "b96 is read-only.\n", {}},
        PutCase{"StationAddress", {"b77", "5"}, 2, "b77 is read-only.\n", {}},
        PutCase{"OutOfRange", {"b95", "5"}, 2, RangeMessage(kCodeB95) + "\n", {}},
        PutCase{"NotAccepted", {"A02", "4x"}, 2, RangeMessage(2) + "\n", {}},
        PutCase{"Empty", {"A02", ""}, 2, RangeMessage(2) + "\n", {}},
        PutCase{"Signed", {"A04", "-1"}, 2, RangeMessage(4) + "\n", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A station text that names no station strictly ends every verb with exit 2 and a
// message naming the text, before the line is opened.
TEST(TelvorctlStations, ATextThatNamesNoStationSendsNothing) {
    CtlRig rig({"--stations", "1,2,12,254", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    const std::string file = rig.File("set.vx3");
    CSolvaneDoc defaults = NewDocument(8, true, false);
    ASSERT_TRUE(WriteDocumentFile(defaults, file).ok);
    const std::string verbs[][4] = {{"write", "--stations", "", file},  {"restore", "--stations", "", rig.File("")},
                                    {"backup", "--stations", "", rig.File("b")}, {"scan", "--stations", "", ""},
                                    {"put", "--station", "", "A04"},    {"control", "--station", "", "run"},
                                    {"read", "--station", "", "-o"},    {"monitor", "--station", "", "--csv"}};
    for (const char* text : {"255", "abc", "x", "0", "-1", "", "1 2", "2O", "1,", "3-", "1-255", ",2"}) {
        for (const auto& verb : verbs) {
            std::vector<std::string> words{verb[0], verb[1], text};
            if (!verb[3].empty()) words.push_back(verb[3]);
            if (verb[0] == "put") words.push_back("5");
            if (verb[0] == "read") words.push_back(rig.File("r.vx3"));
            const RunResult run = rig.Run(words);
            EXPECT_EQ(run.status, 2) << verb[0] << " '" << text << "'";
            EXPECT_NE(run.err.find(StationTextMessage(text)), std::string::npos) << verb[0] << ": " << run.err;
        }
    }
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_FALSE(std::filesystem::exists(rig.File("r.vx3")));

    // Blanks around a separator, and ranges either way round, are station texts.
    EXPECT_EQ(rig.Run({"write", "--stations", " 12 - 12 , 2", "--basic", file}).status, 0);
    const Frames frames = rig.NewFrames();
    EXPECT_TRUE(rig.Contains(frames, WriteFrame(2, 0, DefaultRaw(0, 8, true))));
    EXPECT_TRUE(rig.Contains(frames, WriteFrame(12, 0, DefaultRaw(0, 8, true))));
    EXPECT_FALSE(rig.Contains(frames, WriteFrame(1, 0, DefaultRaw(0, 8, true))));
}

// A file with A02 = 300.00 Hz (16 bits, beyond 1.00~200.00): nothing at all goes to
// the station, and the message names the code and the value.
TEST(TelvorctlReadWrite, AValueOutOfRangeInTheFileWritesNothing) {
    CtlRig rig({"--stations", "3", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started());
    CSolvaneDoc doc = NewDocument(8, true, false);
    doc.sets[0][2] = 30000;
    ASSERT_TRUE(WriteDocumentFile(doc, rig.File("hot.vx3")).ok);
    const RunResult run = rig.Run({"write", "--stations", "3", rig.File("hot.vx3")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Over Range !!\n\nCode: A02\nValue: 300.00\nRange Value: 1.00~200.00\n");
    EXPECT_EQ(rig.NewFrames(), (Frames{EchoFrame(3), VersionFrame(3), CapacityFrame(3)}))
        << "the link's frames only";
}

TEST(TelvorctlPut, StationOutsideTheLineIsAUsageError) {
    CtlRig rig({"--stations", "3"});
    ASSERT_TRUE(rig.sim.Started());
    EXPECT_EQ(rig.Run({"put", "--station", "255", "A02", "45"}).status, 2);
    EXPECT_EQ(rig.Run({"read", "--station", "0", "-o", rig.File("x.vx3")}).status, 2);
    EXPECT_TRUE(rig.NewFrames().empty());
}

}  // namespace
}  // namespace telvor
