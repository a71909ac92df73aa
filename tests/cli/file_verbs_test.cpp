#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

#include "document_file.h"
#include "parameter_keys.h"
#include "program_settings.h"
#include "solvane_doc.h"
#include "telvorctl_runner.h"
#include "temp_folder.h"
#include "value_format.h"

namespace telvor {
namespace {

using test::DataFile;
using test::ReadBytes;
using test::RunTelvorctl;
using test::TempFolder;
using test::WriteBytes;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    return cells;
}

int FilesIn(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(TelvorctlNew, Model8At60HzIsShownWith440VoltsAnd60Hertz) {
    TempFolder folder;
    const std::string path = folder.File("x.vx3");
    const auto made = RunTelvorctl({"new", path, "--model", "8", "--hz", "60"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err, "");
    EXPECT_EQ(std::filesystem::file_size(path), 1803u);

    const auto shown = RunTelvorctl({"show", path});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto lines = Lines(shown.out);
    ASSERT_EQ(lines.size(), 111u);
    EXPECT_EQ(lines[2], "A02\tFrequency high limit (Hz)\t1.00~200.00\t50.00/60.00\t60.00");
    const auto a08 = Cells(lines[8]);
    ASSERT_EQ(a08.size(), 5u);
    EXPECT_EQ(a08[0], "A08");
    EXPECT_EQ(a08[3], "440.0");
    EXPECT_EQ(Cells(lines[13])[0], "b00");
    EXPECT_EQ(lines[110], "b97\tLast 3 fault records\t-----------\t\t");  // not linked: empty setting
}

TEST(TelvorctlNew, FiftyHertzFileHoldsTheFiftyHertzDefaults) {
    TempFolder folder;
    const std::string path = folder.File("y.vx3");
    ASSERT_EQ(RunTelvorctl({"new", "--hz", "50", path, "--model", "0"}).status, 0);
    const DocumentReadResult read = ReadDocumentFile(path);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.doc.modelIndex, 0);
    EXPECT_EQ(read.doc.sets[0], MakeDefaultSet(0, true));
    EXPECT_EQ(Cells(Lines(RunTelvorctl({"show", path}).out)[2])[4], "50.00");
}

TEST(TelvorctlNew, WrongCommandLinesAreUsageErrors) {
    TempFolder folder;
    const std::string path = folder.File("z.vx3");
    const std::vector<std::vector<std::string>> cases = {
        {"new"},
        {"new", path},
        {"new", path, "--model", "8"},
        {"new", path, "--hz", "60"},
        {"new", path, "--model", "11", "--hz", "60"},
        {"new", path, "--model", "-1", "--hz", "60"},
        {"new", path, "--model", "8x", "--hz", "60"},
        {"new", path, "--model", "8", "--hz", "55"},
        {"new", path, "--model", "8", "--hz"},
        {"new", path, "other.vx3", "--model", "8", "--hz", "60"},
        {"new", path, "--model", "8", "--hz", "60", "--fast"},
    };
    for (const auto& arguments : cases) {
        const auto run = RunTelvorctl(arguments);
        EXPECT_EQ(run.status, 2) << arguments.size();
        EXPECT_EQ(run.err, "usage: telvorctl new FILE --model N --hz 50|60 [--force]\n");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TelvorctlNew, AnExistingFileIsReplacedOnlyWithForce) {
    TempFolder folder;
    const std::string path = folder.File("x.vx3");
    WriteBytes(path, "someone's file");
    const auto run = RunTelvorctl({"new", path, "--model", "1", "--hz", "50"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "telvorctl: " + path + " exists (--force replaces it)\n");
    EXPECT_EQ(ReadBytes(path), "someone's file");
    EXPECT_EQ(RunTelvorctl({"new", path, "--model", "1", "--hz", "50", "--force"}).status, 0);
    EXPECT_EQ(std::filesystem::file_size(path), 1803u);
}

TEST(TelvorctlNew, UnwritablePlaceIsReportedWithTheReason) {
    TempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    const std::string path = folder.File("plain/x.vx3");
    const auto run = RunTelvorctl({"new", path, "--model", "1", "--hz", "50"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: Save file failure!\n\n" + path + "\nNot a directory\n");
}

TEST(TelvorctlShow, CompareFileListsTheSettingsOfEachPresentSet) {
    const auto run = RunTelvorctl({"show", DataFile("compare_file_file.mvx")});
    ASSERT_EQ(run.status, 0) << run.err;
    const DocumentReadResult read = ReadDocumentFile(DataFile("compare_file_file.mvx"));
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 20u);  // the rows flagged as differing
    const auto a04 = Cells(lines[4]);
    ASSERT_EQ(a04.size(), 4u);  // code, description, sets 1 and 2; set 3 is absent
    EXPECT_EQ(a04[0], "A04");
    EXPECT_EQ(a04[2], FormatRawValue(2, read.doc.sets[0][4]));
    EXPECT_EQ(a04[3], FormatRawValue(2, read.doc.sets[1][4]));
}

TEST(TelvorctlShow, ChangedListsOnlyTheSettingsThatDifferFromTheDefaults) {
    TempFolder folder;
    const std::string path = folder.File("set.vx3");
    CSolvaneDoc doc = NewDocument(8, false, true);
    doc.sets[0][SlotOfCodeIndex(4)] = 85;     // A04 8.5
    doc.sets[0][SlotOfCodeIndex(2)] = 5000;   // A02 50.00, the 50 Hz default, in a 60 Hz set
    doc.sets[0][SlotOfCodeIndex(177)] = 12;   // b77, the station's address: a line parameter
    doc.sets[0][SlotOfCodeIndex(196)] = 105;  // b96, the software version
    ASSERT_TRUE(WriteDocumentFile(doc, path).ok);
    for (const std::vector<std::string>& words : {std::vector<std::string>{"show", path, "--changed"},
                                                  {"show", "--changed", path}}) {
        const auto run = RunTelvorctl(words);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto lines = Lines(run.out);
        ASSERT_EQ(lines.size(), 2u) << run.out;
        EXPECT_EQ(Cells(lines[0]), (std::vector<std::string>{"A02", "Frequency high limit (Hz)", "1.00~200.00",
                                                             "50.00/60.00", "50.00"}));
        EXPECT_EQ(Cells(lines[1])[0], "A04");
        EXPECT_EQ(Cells(lines[1])[4], "8.5");
    }
    const auto csv = RunTelvorctl({"show", path, "--csv", "--changed"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out, "Code,Description,Range,Default,Setting\r\n"
                       "A02,Frequency high limit (Hz),1.00~200.00,50.00/60.00,50.00\r\n"
                       "A04,Acceleration time 1 (s),0.1~999.0,5.0,8.5\r\n");

    const auto compare = RunTelvorctl({"show", DataFile("compare_file_file.mvx"), "--changed"});
    EXPECT_EQ(compare.status, 1);
    EXPECT_EQ(compare.err, "A compare file lists only its differing rows already; --changed is for parameter files.\n");
    EXPECT_EQ(compare.out, "");
    for (const std::vector<std::string>& words : {std::vector<std::string>{"show", path, "--changed", "--changed"},
                                                  {"show", "--changed"}, {"show", path, "--changes"}})
        EXPECT_EQ(RunTelvorctl(words).status, 2) << words.back();
}

TEST(TelvorctlFileInput, ShowSetAndWriteRefuseWhatIsNoParameterFileWithoutHanging) {
    TempFolder folder;
    const std::string fifo = folder.File("fifo.vx3"), huge = folder.File("huge.vx3");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    WriteBytes(huge, ReadBytes(DataFile("parameter_model8_60hz.vx3")));
    ASSERT_EQ(truncate(huge.c_str(), off_t{3} << 30), 0);  // sparse
    const std::string cannotOpen = "File could not be opened!\n";
    const std::string format = "Error: Open file failure!\n\nThe file format is not correctly!\n";
    const std::pair<std::string, std::string> cases[] = {
        {DataFile("missing.vx3"), cannotOpen},
        {"/dev/zero", cannotOpen},
        {fifo, cannotOpen},
        {huge, format},
        {DataFile("broken_truncated_titles.vx3"), format},
        {DataFile("broken_kind_parameter_mode2.vx3"), format},
    };
    for (const auto& [path, err] : cases) {
        for (const std::vector<std::string>& words : {std::vector<std::string>{"show", path},
                                                      {"set", path, "A04", "5"},
                                                      {"write", "--stations", "1", path}}) {
            const auto run = RunTelvorctl(words, {{"TELVOR_HOME", folder.File("home")}});
            EXPECT_EQ(run.status, 1) << words[0] << " " << path;
            EXPECT_EQ(run.err, err) << words[0] << " " << path;
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_EQ(std::filesystem::file_size(huge), std::uintmax_t{3} << 30);
    EXPECT_EQ(RunTelvorctl({"show"}).status, 2);
}

struct SetCase {
    const char* code;
    const char* text;
    int status;
    const char* err;
};

TEST(TelvorctlSet, RefusedEditsLeaveTheFileByteForByte) {
    const SetCase cases[] = {
        {"A04", "0", 1, "Over Range !!\n\nCode: A04\nRange Value: 0.1~999.0\n"},
        {"A02", "0.50", 1, "Over Range !!\n\nCode: A02\nRange Value: 1.00~200.00\n"},
        {"A04", "1000", 1, "The Setting cell of A04 does not take \"1000\".\n"},
        {"A04", "-1", 1, "The Setting cell of A04 does not take \"-1\".\n"},
        {"b89", "3", 1, "b89 is read-only.\n"},
        {"b80", "1", 1, "b80 is read-only.\n"},
        {"b96", "1.0", 1, "b96 is read-only.\n"},
        {"b95", "10", 1, "b95 can be set only online, with a station linked.\n"},
        {"Q01", "1", 2, "telvorctl: no parameter 'Q01'\n"},
        {"A13", "1", 2, "telvorctl: no parameter 'A13'\n"},
    };
    TempFolder folder;
    const std::string path = folder.File("edit.vx3");
    ASSERT_EQ(RunTelvorctl({"new", path, "--model", "8", "--hz", "60"}).status, 0);
    const std::string before = ReadBytes(path);
    for (const SetCase& c : cases) {
        const auto run = RunTelvorctl({"set", path, c.code, c.text});
        EXPECT_EQ(run.status, c.status) << c.code << " " << c.text;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(ReadBytes(path), before) << c.code << " " << c.text;
    }
    EXPECT_EQ(FilesIn(folder.path()), 1);
}

TEST(TelvorctlSet, AcceptedValueIsStoredInItsSlotAndSaved) {
    TempFolder folder;
    const std::string path = folder.File("edit.vx3");
    ASSERT_EQ(RunTelvorctl({"new", path, "--model", "8", "--hz", "60"}).status, 0);
    const std::string before = ReadBytes(path);
    const auto run = RunTelvorctl({"set", path, "A04", "12.5"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string after = ReadBytes(path);
    ASSERT_EQ(after.size(), 1803u);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i >= 341 + 16 && i < 341 + 20) continue;
        ASSERT_EQ(after[i], before[i]) << "offset " << i;
    }
    EXPECT_EQ(after.substr(341 + 16, 4), std::string("\x7d\0\0\0", 4));  // 125
    EXPECT_EQ(Cells(Lines(RunTelvorctl({"show", path}).out)[4])[4], "12.5");

    ASSERT_EQ(RunTelvorctl({"set", path, "A04", "5"}).status, 0);
    EXPECT_EQ(Cells(Lines(RunTelvorctl({"show", path}).out)[4])[4], "5.0");
    EXPECT_EQ(FilesIn(folder.path()), 1);
}

TEST(TelvorctlSet, ConcurrentEditsOfOneFileAllLand) {
    TempFolder folder;
    const std::string path = folder.File("shared.vx3");
    ASSERT_EQ(RunTelvorctl({"new", path, "--model", "8", "--hz", "60"}).status, 0);
    // Parameters of one decimal place whose defaults all differ from 7.7.
    const std::vector<std::string> codes = {"A04", "A05", "b00", "b01", "b02", "b04",
                                            "b06", "b08", "b11", "b13", "b17", "b26"};
    std::vector<test::RunResult> runs(codes.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < codes.size(); ++i)
        threads.emplace_back([&, i] { runs[i] = RunTelvorctl({"set", path, codes[i], "7.7"}); });
    for (std::thread& thread : threads) thread.join();

    const DocumentReadResult read = ReadDocumentFile(path);
    ASSERT_TRUE(read.ok);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(runs[i].status, 0) << codes[i] << ": " << runs[i].err;
        EXPECT_EQ(read.doc.sets[0][SlotOfCodeIndex(CodeIndexOfText(codes[i]))], 77)
            << codes[i] << " was lost";
    }
    EXPECT_EQ(FilesIn(folder.path()), 1);
}

TEST(TelvorctlSet, CompareFilesAreNotEdited) {
    TempFolder folder;
    const std::string path = folder.File("c.mvx");
    WriteBytes(path, ReadBytes(DataFile("compare_file_file.mvx")));
    const auto run = RunTelvorctl({"set", path, "A04", "5"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "A compare file cannot be edited.\n");
    EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("compare_file_file.mvx")));
}

TEST(TelvorctlSettings, PrintsWhatTheProgramReadsAndResetWritesTheDefaults) {
    TempFolder folder;
    const std::string home = folder.File("home");
    const std::map<std::string, std::string> env{{"TELVOR_HOME", home}};
    const std::string defaults =
        "ComPort=1\nBaudRate=38400\nDataLengthBits=8\nParityBit=0\nStopBits=0\nPrint Title=1\nPrint "
        "AxxFlag=1\n"
        "Print bxxFlag=1\nOnLineEdit=0\nFreq50HzFlag=1\nDefinite Parameter=\n";

    const auto fresh = RunTelvorctl({"settings"}, env);
    EXPECT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_EQ(fresh.out, defaults);
    EXPECT_TRUE(std::filesystem::is_directory(home));

    WriteBytes(home + "/vx3inf.ini", ReadBytes(DataFile("settings_list.ini")));
    const auto listed = RunTelvorctl({"settings"}, env);
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("\nDefinite Parameter=A02 b10 --\n"), std::string::npos) << listed.out;

    ASSERT_EQ(RunTelvorctl({"settings", "--reset"}, env).status, 0);
    EXPECT_EQ(ReadBytes(home + "/vx3inf.ini"), SettingsFileText(ProgramSettings{}));
    EXPECT_EQ(RunTelvorctl({"settings"}, env).out, defaults);
    EXPECT_EQ(RunTelvorctl({"settings", "--wipe"}, env).status, 2);
}

TEST(TelvorctlSettings, ASettingsFileThatIsNoRegularFileOrTooLargeGivesTheDefaults) {
    TempFolder folder;
    const std::string path = folder.File("vx3inf.ini");
    const std::string defaults = RunTelvorctl({"settings"}, {{"TELVOR_HOME", folder.path()}}).out;
    const std::function<int()> makers[] = {
        [&] { return mkdir(path.c_str(), 0700); },
        [&] { return mkfifo(path.c_str(), 0600); },
        [&] {  // a valid file made larger than any settings file
            WriteBytes(path, "[VarnoxLink]\nVersion=v1.1.140123\n[System]\nComPort=3\n");
            return truncate(path.c_str(), off_t{2} << 20);
        },
    };
    for (const auto& make : makers) {
        std::filesystem::remove(path);
        ASSERT_EQ(make(), 0);
        const auto run = RunTelvorctl({"settings"}, {{"TELVOR_HOME", folder.path()}});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, defaults);
    }
}

TEST(TelvorctlSettings, MissingProgramFolderEndsWithTheSystemDataMessage) {
    TempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    for (const char* verb : {"settings", "--reset"}) {
        std::vector<std::string> arguments{"settings"};
        if (std::string(verb) == "--reset") arguments.push_back(verb);
        const auto run = RunTelvorctl(arguments, {{"TELVOR_HOME", folder.File("plain/telvor")}});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Error: Not find system data!!\n\nPlease reinstall VarnoxLink Software.\n");
    }
}

TEST(TelvorctlHelp, ListsEveryVerbAndBadVerbsAreUsageErrors) {
    const auto help = RunTelvorctl({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* verb :
         {"\n  new FILE", "\n  show FILE", "\n  set FILE CODE TEXT", "\n  settings [--reset]"})
        EXPECT_NE(help.out.find(verb), std::string::npos) << verb;
    EXPECT_EQ(RunTelvorctl({}).status, 2);
    const auto unknown = RunTelvorctl({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos);
}

}  // namespace
}  // namespace telvor
