// telvorctl compare and show --csv end to end: real files, and a simulated
// drive for compare drive.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document_file.h"
#include "modbus_ascii.h"
#include "parameter_catalogue.h"
#include "sim_line.h"
#include "telvorctl_runner.h"
#include "value_format.h"

namespace telvor {
namespace {

using telvor::test::RunResult;
using telvor::test::RunTelvorctl;
using telvor::testing::SimLine;

constexpr int kSlotA04 = 4;
constexpr int kSlotB10 = kBasicCount + 10;
constexpr const char* kFormatMessage = "Error: Open file failure!\n\nThe file format is not correctly!\n";

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Folder {
    Folder() : path(testing::MakeTempFolder()) {}
    ~Folder() { testing::RemoveFolder(path); }
    std::string Parameters(const std::string& name, std::initializer_list<std::pair<int, int>> changes = {}) {
        CSolvaneDoc doc = NewDocument(8, true, false);
        for (auto [slot, value] : changes) doc.sets[0][slot] = value;
        EXPECT_TRUE(WriteDocumentFile(doc, path + "/" + name).ok);
        return path + "/" + name;
    }
    std::string path;
};

TEST(TelvorctlCompare, FilesListExactlyTheDifferingRowsAndKeepAnExistingOutput) {
    Folder folder;
    const std::string a = folder.Parameters("a.vx3");
    const std::string b = folder.Parameters("b.vx3", {{kSlotA04, 75}, {kSlotB10, 2500}});
    const std::string out = folder.path + "/out.mvx";
    RunResult run = RunTelvorctl({"compare", "files", a, b, "-o", out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "A04\tAcceleration time 1 (s)\t5.0\t7.5\nb10\t" + DescriptionText(110) + "\t" +
                           FormatRawValue(ValueFormatOf(110), MakeDefaultSet(8, true)[kSlotB10]) + "\t250.0\n");
    const DocumentReadResult written = ReadDocumentFile(out);
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.doc.compareMode, CompareFileFile);
    EXPECT_EQ(written.doc.setNames[1], "b.vx3");

    const std::string before = Bytes(out);
    RunResult again = RunTelvorctl({"compare", "files", b, b, "-o", out});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "telvorctl: " + out + " exists (--force replaces it)\n");
    EXPECT_EQ(Bytes(out), before);
    RunResult forced = RunTelvorctl({"compare", "files", b, b, "-o", out, "--force"});
    EXPECT_EQ(forced.status, 0);
    EXPECT_EQ(forced.out, "");  // identical files: no row differs
}

TEST(TelvorctlCompare, RefusesACompareFileOrABrokenFileAsInputWithTheReadersMessage) {
    Folder folder;
    const std::string a = folder.Parameters("a.vx3");
    const std::string shortFile = folder.path + "/short.vx3";
    std::ofstream(shortFile, std::ios::binary) << Bytes(a).substr(0, 1000);
    const std::string data = TELVOR_TEST_DATA;
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"files", a, data + "/compare_file_file.mvx"},
             {"files", shortFile, a},
             {"defaults", "--model", "8", "--hz", "50", "--file3", data + "/compare_files_default.mvx"}}) {
        std::vector<std::string> line{"compare"};
        line.insert(line.end(), arguments.begin(), arguments.end());
        line.insert(line.end(), {"-o", folder.path + "/never.mvx"});
        RunResult run = RunTelvorctl(line);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, kFormatMessage);
        EXPECT_FALSE(std::filesystem::exists(folder.path + "/never.mvx"));
    }
    EXPECT_EQ(RunTelvorctl({"compare", "defaults", "--model", "8", "--hz", "50", "-o", folder.path + "/x.mvx"}).status,
              2);
}

TEST(TelvorctlShowCsv, WritesTheGridsColumnsWithQuotingWhereNeeded) {
    Folder folder;
    const std::string odd = folder.Parameters("pump \"A\", line 2.vx3", {{kSlotA04, 75}});
    const std::string out = folder.path + "/d.mvx";
    ASSERT_EQ(RunTelvorctl({"compare", "defaults", "--model", "8", "--hz", "50", "--file2", odd, "-o", out}).status, 0);
    RunResult csv = RunTelvorctl({"show", out, "--csv"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out,
              "Code,Description,Default,------,\"pump \"\"A\"\", line 2.vx3\",------\r\n"
              "A04,Acceleration time 1 (s),5.0,,7.5,\r\n");
    RunResult parameters = RunTelvorctl({"show", odd, "--csv"});
    EXPECT_EQ(parameters.out.substr(0, parameters.out.find("A01")),
              "Code,Description,Range,Default,Setting\r\nA00,Operation control,0~2,0,0\r\n");
    EXPECT_EQ(std::count(parameters.out.begin(), parameters.out.end(), '\n'), 1 + kParameterCount);
}

TEST(TelvorctlCompare, DriveReadsTheStationAndWritesTheModeOneFile) {
    SimLine sim({"--stations", "7", "--model", "8"});
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(sim.Control("register 7 " + std::to_string(RegisterOfParameter(4)) + " 123"));
    const std::string out = sim.Folder() + "/drive.mvx";
    RunResult run = RunTelvorctl({"compare", "drive", "--station", "7", "--hz", "60", "-o", out, "--port",
                                  sim.LinkPath()},
                                 {{"TELVOR_HOME", sim.Folder() + "/home"}});
    ASSERT_EQ(run.status, 0) << run.err;
    // Compared with the 60 Hz defaults, the drive's 50 Hz high limit differs too.
    EXPECT_EQ(run.out.substr(0, run.out.find("A07")),
              "A02\tFrequency high limit (Hz)\t50.00\nA04\tAcceleration time 1 (s)\t12.3\n");

    std::vector<std::string> frames{testing::EchoFrame(7), testing::VersionFrame(7), testing::CapacityFrame(7),
                                    testing::VersionFrame(7), testing::CapacityFrame(7)};
    for (int slot = 0; slot < kParameterCount; ++slot) frames.push_back(testing::ReadFrame(7, CodeIndexOfSlot(slot)));
    EXPECT_EQ(sim.Frames(), frames);

    const std::string bytes = Bytes(out);
    EXPECT_EQ(bytes.substr(0, 30), std::string("Varnox Ver:1.1.140123\nCompare\n"));
    EXPECT_EQ(bytes.substr(30, 12), std::string("\x01\0\0\0\x08\0\0\0\0\x01\0\0", 12));
    EXPECT_EQ(bytes.substr(42, 14), "Station_007\n\n\n");
    const DocumentReadResult read = ReadDocumentFile(out);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.doc.sets[0][kSlotA04], 123);
    EXPECT_EQ(read.doc.rowFlags[kSlotA04], 1);
    EXPECT_EQ(bytes.size(), 56u + 300 + 3 * 1200 + 8);
}

}  // namespace
}  // namespace telvor
