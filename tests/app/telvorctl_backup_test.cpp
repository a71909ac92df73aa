// telvorctl backup and restore against a simulated line: files on disk, the lines
// printed, the exit status, and files left whole when a backup is interrupted.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "document_file.h"
#include "sim_line.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using telvor::test::RunResult;
using telvor::testing::SimLine;

struct BackupRig {
    explicit BackupRig(std::vector<std::string> simArguments) : sim(std::move(simArguments)) {}
    std::vector<std::string> WithPort(std::vector<std::string> arguments) const {
        arguments.insert(arguments.end(), {"--port", sim.LinkPath(), "--block-read"});
        return arguments;
    }
    RunResult Run(std::vector<std::string> arguments) {
        return telvor::test::RunTelvorctl(WithPort(std::move(arguments)), {{"TELVOR_HOME", sim.Folder()}});
    }
    std::string Dir(const std::string& name) const { return sim.Folder() + "/" + name; }
    SimLine sim;
};

std::string Bytes(const std::string& path) {
    std::string bytes;
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return bytes;
}

TEST(TelvorctlBackup, SavesEveryAnsweringStationReportsTheSilentOneAndRestoresWhatItRead) {
    BackupRig rig({"--stations", "1-5", "--model", "3", "--fault", "3:silent"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_TRUE(rig.sim.Control("register 2 8 4321"));
    ASSERT_TRUE(rig.sim.Control("register 5 111 3"));

    const RunResult backup = rig.Run({"backup", "--stations", "1-5", rig.Dir("one")});
    EXPECT_EQ(backup.status, 1);
    EXPECT_EQ(backup.out,
              "Station_001 OK\nStation_002 OK\nStation_003 FAILED\nStation_004 OK\nStation_005 OK\n"
              "4 stations backed up, 1 failed\n");
    for (const char* station : {"001", "002", "004", "005"})
        EXPECT_TRUE(ReadDocumentFile(rig.Dir("one/Station_") + station + ".vx3").ok) << station;
    EXPECT_FALSE(std::filesystem::exists(rig.Dir("one/Station_003.vx3")));

    // A title given to a saved file survives the next backup.
    DocumentReadResult two = ReadDocumentFile(rig.Dir("one/Station_002.vx3"));
    two.doc.stationTitles[1] = "Feed pump";
    ASSERT_TRUE(WriteDocumentFile(two.doc, rig.Dir("one/Station_002.vx3")).ok);
    ASSERT_EQ(rig.Run({"backup", "--stations", "2", rig.Dir("one")}).status, 0);
    EXPECT_EQ(ReadDocumentFile(rig.Dir("one/Station_002.vx3")).doc.stationTitles[1], "Feed pump");

    ASSERT_TRUE(rig.sim.Control("reset * 50"));
    const RunResult restore = rig.Run({"restore", "--stations", "1,2,4,5", "--verify", rig.Dir("one")});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_NE(restore.out.find("Station_002 OK 99 written, 99 verified\n"), std::string::npos) << restore.out;
    ASSERT_EQ(rig.Run({"backup", "--stations", "1,2,4,5", rig.Dir("two")}).status, 0);
    for (const char* station : {"001", "004", "005"})
        EXPECT_EQ(Bytes(rig.Dir("two/Station_") + station + ".vx3"), Bytes(rig.Dir("one/Station_") + station + ".vx3"))
            << station;
    EXPECT_EQ(ReadDocumentFile(rig.Dir("two/Station_002.vx3")).doc.sets[0][2], 4321);
}

std::vector<std::string> SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The frames sent, from the one stats line on stderr; -1 without exactly one.
int SentCount(const std::string& err) {
    const std::size_t at = err.find("stats: sent=");
    if (at == std::string::npos || err.find("stats: ", at + 1) != std::string::npos) return -1;
    return std::atoi(err.c_str() + at + std::strlen("stats: sent="));
}

// Two lines at once, each with its own stations: every station's line is printed (in
// the order the workers finish), each file comes from its own line, and the exit status
// counts every station.
TEST(TelvorctlBackup, SeveralLinesEachWithItsOwnStations) {
    SimLine a({"--stations", "1-2"});
    SimLine b({"--stations", "3-4"});
    ASSERT_TRUE(a.Started() && b.Started());
    ASSERT_TRUE(a.Control("register 2 8 1111"));
    ASSERT_TRUE(b.Control("register 3 8 3333"));
    const auto run = [&](std::vector<std::string> arguments) {
        return telvor::test::RunTelvorctl(arguments, {{"TELVOR_HOME", a.Folder()}});
    };
    const std::string dir = a.Folder() + "/lines";
    const RunResult backup = run({"backup", "--block-read", "--port", a.LinkPath(), "--stations", "1-2", dir,
                                  "--port", b.LinkPath(), "--stations", "3-5"});
    EXPECT_EQ(backup.status, 1);
    EXPECT_EQ(SortedLines(backup.out),
              (std::vector<std::string>{"4 stations backed up, 1 failed", "Station_001 OK", "Station_002 OK",
                                        "Station_003 OK", "Station_004 OK", "Station_005 FAILED"}))
        << backup.out;
    EXPECT_EQ(ReadDocumentFile(dir + "/Station_002.vx3").doc.sets[0][2], 1111);
    EXPECT_EQ(ReadDocumentFile(dir + "/Station_003.vx3").doc.sets[0][2], 3333) << "station 3 of the second line";

    // --stats counts each line on its own and prints their sum once: the two lines
    // restored together send what each sends alone.
    ASSERT_TRUE(b.Control("reset * 50"));
    const RunResult restore = run({"restore", "--stats", "--port", a.LinkPath(), "--stations", "2", "--port",
                                   b.LinkPath(), "--stations", "3", dir});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_EQ(SortedLines(restore.out).front(), "2 stations restored, 0 failed");
    const RunResult aloneA = run({"restore", "--stats", "--port", a.LinkPath(), "--stations", "2", dir});
    const RunResult aloneB = run({"restore", "--stats", "--port", b.LinkPath(), "--stations", "3", dir});
    ASSERT_EQ(aloneA.status + aloneB.status, 0);
    EXPECT_EQ(SentCount(restore.err), SentCount(aloneA.err) + SentCount(aloneB.err)) << restore.err;
    ASSERT_EQ(run({"backup", "--port", b.LinkPath(), "--stations", "3", a.Folder() + "/again"}).status, 0);
    EXPECT_EQ(Bytes(a.Folder() + "/again/Station_003.vx3"), Bytes(dir + "/Station_003.vx3"));

    // A station on two lines would have two files in one; a line without its stations is unclear.
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--port", a.LinkPath(), "--stations", "1-2", "--port", b.LinkPath(), "--stations", "2"},
          std::vector<std::string>{"--port", a.LinkPath(), "--stations", "1-2", "--port", b.LinkPath()}}) {
        std::vector<std::string> arguments{"backup", dir};
        arguments.insert(arguments.end(), wrong.begin(), wrong.end());
        EXPECT_EQ(run(arguments).status, 2);
    }
}

// Every named station's file is opened and checked before the first frame: one bad
// file and nothing is written anywhere.
TEST(TelvorctlRestore, OneBadFileWritesNothing) {
    BackupRig rig({"--stations", "1-3"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_EQ(rig.Run({"backup", "--stations", "1-3", rig.Dir("b")}).status, 0);
    const std::string two = rig.Dir("b/Station_002.vx3");
    const std::string saved = Bytes(two);
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    };
    DocumentReadResult hot = ReadDocumentFile(two);
    ASSERT_TRUE(hot.ok);
    hot.doc.sets[0][2] = 30000;
    ASSERT_TRUE(WriteDocumentFile(hot.doc, rig.Dir("hot.vx3")).ok);
    for (const Case& c :
         {Case{"corrupt", saved.substr(0, saved.size() / 2), std::string(kFormatMessage)},
          Case{"out of range", Bytes(rig.Dir("hot.vx3")),
               "Over Range !!\n\nCode: A02\nValue: 300.00\nRange Value: 1.00~200.00\n"}}) {
        std::ofstream(two, std::ios::binary | std::ios::trunc) << c.bytes;
        const std::size_t before = rig.sim.Frames().size();
        const RunResult restore = rig.Run({"restore", "--stations", "1-3", rig.Dir("b")});
        EXPECT_EQ(restore.status, 1) << c.name;
        EXPECT_EQ(restore.out, "") << c.name;
        EXPECT_EQ(restore.err, two + ":\n" + c.message) << c.name;
        EXPECT_EQ(rig.sim.Frames().size(), before) << c.name << ": not one frame";
    }
    std::filesystem::remove(two);
    const RunResult missing = rig.Run({"restore", "--stations", "3,1-2", rig.Dir("b")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, two + ":\n" + kCannotOpenMessage);
}

TEST(TelvorctlBackup, AnInterruptedBackupLeavesEveryEarlierFileWhole) {
    BackupRig rig({"--stations", "1-3", "--baud", "9600"});
    ASSERT_TRUE(rig.sim.Started());
    ASSERT_EQ(rig.Run({"backup", "--stations", "1-3", rig.Dir("b")}).status, 0);
    const std::string before = Bytes(rig.Dir("b/Station_002.vx3"));
    ASSERT_TRUE(rig.sim.Control("register 2 8 4321"));
    ASSERT_TRUE(rig.sim.Control("fault 2 delay 100"));

    telvor::testing::ChildProcess backup;
    std::vector<std::string> argv = rig.WithPort({TELVORCTL, "backup", "--stations", "1-3", rig.Dir("b")});
    setenv("TELVOR_HOME", rig.sim.Folder().c_str(), 1);
    ASSERT_TRUE(backup.Start(argv, rig.Dir("out.txt")));
    // Killed while station 2 is being read, after station 1 was saved.
    for (int wait = 0; wait < 200 && Bytes(rig.Dir("out.txt")).find("Station_001 OK") == std::string::npos; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(backup.Pid(), SIGKILL);
    backup.Stop();

    ASSERT_NE(Bytes(rig.Dir("out.txt")).find("Station_001 OK"), std::string::npos);
    EXPECT_EQ(Bytes(rig.Dir("out.txt")).find("Station_002"), std::string::npos) << "killed too late";
    EXPECT_EQ(Bytes(rig.Dir("b/Station_002.vx3")), before);
    for (const char* station : {"001", "003"})
        EXPECT_TRUE(ReadDocumentFile(rig.Dir("b/Station_") + station + ".vx3").ok) << station;
}

// One Ctrl+C ends the work of every line, not only of the worker that notices it first.
TEST(TelvorctlBackup, CtrlCCancelsEveryLine) {
    SimLine a({"--stations", "99"});
    SimLine b({"--stations", "99"});
    ASSERT_TRUE(a.Started() && b.Started());
    telvor::testing::ChildProcess backup;
    setenv("TELVOR_HOME", a.Folder().c_str(), 1);
    ASSERT_TRUE(backup.Start({TELVORCTL, "backup", "--port", a.LinkPath(), "--stations", "1-40", "--port",
                              b.LinkPath(), "--stations", "41-80", a.Folder() + "/b"},
                             a.Folder() + "/out.txt"));
    std::this_thread::sleep_for(std::chrono::seconds(1));  // both lines are searching for a station
    kill(backup.Pid(), SIGINT);
    // Searching 40 silent stations takes half a minute; cancelled, a line ends at once.
    for (int wait = 0; wait < 150 && backup.Running(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(backup.Running()) << "a line went on after Ctrl+C";
    const int status = backup.Stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(Bytes(a.Folder() + "/out.txt").find("0 stations backed up, 80 failed"), std::string::npos)
        << Bytes(a.Folder() + "/out.txt");
}

}  // namespace
}  // namespace telvor
