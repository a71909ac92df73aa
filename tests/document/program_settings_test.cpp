#include "program_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace telvor {
namespace {

using test::DataFile;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const std::string kDefaultFile =
    "[VarnoxLink]\r\nVersion=v1.1.140123\r\n[System]\r\nComPort=1\r\nBaudRate=38400\r\nDataLengthBits=8\r\n"
    "ParityBit=0\r\nStopBits=0\r\nPrint Title=1\r\nPrint AxxFlag=1\r\nPrint bxxFlag=1\r\nOnLineEdit=0\r\n"
    "Freq50HzFlag=1\r\n[Definite Parameter]\r\n0\r\n";

// The default file with one line replaced (1-based), in LF form.
std::string WithLine(int number, const std::string& line) {
    std::string text;
    int n = 0;
    std::size_t start = 0;
    while (start < kDefaultFile.size()) {
        const std::size_t end = kDefaultFile.find("\r\n", start);
        text += (++n == number ? line : kDefaultFile.substr(start, end - start)) + "\n";
        start = end + 2;
    }
    return text;
}

bool SameSettings(const ProgramSettings& a, const ProgramSettings& b) {
    return SettingsFileText(a) == SettingsFileText(b);
}

TEST(SettingsFile, DefaultsAreWrittenInTheFixedOrderWithCrLf) {
    EXPECT_EQ(SettingsFileText(ProgramSettings{}), kDefaultFile);
}

TEST(SettingsFile, EverySettingAndTheListSurviveARoundTrip) {
    ProgramSettings settings;
    settings.comPort = 4;
    settings.baudRate = 9600;
    settings.dataBits = 7;
    settings.parity = 2;
    settings.stopBits = 2;
    settings.printTitle = false;
    settings.printAxx = false;
    settings.printBxx = false;
    settings.onlineEdit = true;
    settings.freq50Hz = false;
    settings.definite.count = 3;
    settings.definite.entries[0] = {1, 2};
    settings.definite.entries[1] = {2, 95};
    settings.definite.entries[2] = {0, 0};
    const std::string text = SettingsFileText(settings);
    EXPECT_NE(text.find("\r\n[Definite Parameter]\r\n3\r\n1\r\n02\r\n2\r\n95\r\n0\r\n00\r\n"),
              std::string::npos);
    EXPECT_TRUE(SameSettings(ParseSettingsText(text), settings));
}

struct LineCase {
    int line;
    const char* text;
    const char* expectLine;  // the line as the settings are written back
};

TEST(SettingsFile, EachLineIsReadByItsOwnRules) {
    const LineCase cases[] = {
        {4, "ComPort=9", "ComPort=1"},
        {4, "ComPort=0", "ComPort=1"},
        {4, "ComPort=3", "ComPort=3"},
        {4, "ComPort=-3", "ComPort=1"},
        {4, "ComPort=x", "ComPort=1"},
        {5, " BaudRate=9600", "BaudRate=0"},  // the value is read after len(key) characters
        {5, "BaudRate=9600", "BaudRate=9600"},
        {5, "BaudRate=  4800baud", "BaudRate=4800"},
        {5, "BaudRate=", "BaudRate=0"},
        {5, "Baud=9600", "BaudRate=38400"},  // wrong key: the default stays
        {6, "DataLengthBits=7", "DataLengthBits=7"},
        {7, "ParityBit=-2", "ParityBit=-2"},
        {8, "StopBits=+2", "StopBits=2"},
        {8, "StopBits=99999999999999", "StopBits=2147483647"},
        {12, "OnLineEdit=5", "OnLineEdit=1"},
        {12, "OnLineEdit=-1", "OnLineEdit=1"},
        {9, "Print Title=0", "Print Title=0"},
        {10, "Print AxxFlag=abc", "Print AxxFlag=0"},
        {11, "Print bxxFlag=0", "Print bxxFlag=0"},
        {13, "Freq50HzFlag=0", "Freq50HzFlag=0"},
        {13, "xxFreq50HzFlag=1",
         "Freq50HzFlag=0"},  // contains the key; the value is "=1" after 13 characters
    };
    for (const LineCase& c : cases) {
        const std::string written = SettingsFileText(ParseSettingsText(WithLine(c.line, c.text)));
        EXPECT_NE(written.find(std::string("\r\n") + c.expectLine + "\r\n"), std::string::npos)
            << c.text << "\n"
            << written;
    }
}

TEST(SettingsFile, AFirstLineOtherThanTheSectionKeepsAllDefaults) {
    for (const char* first : {"[VarnoxLink] ", " [VarnoxLink]", "[varnoxlink]", ""}) {
        std::string text = WithLine(1, first);
        text.replace(text.find("ComPort=1"), 9, "ComPort=5");
        EXPECT_EQ(ParseSettingsText(text).comPort, 1) << first;
    }
    std::string good = WithLine(4, "ComPort=5");
    EXPECT_EQ(ParseSettingsText(good).comPort, 5);
}

TEST(SettingsFile, AMisplacedLineIsNotSearchedForElsewhere) {
    // Without the version line every later key is one line early: [System] is missing
    // from line 3, so nothing is read.
    std::string text = kDefaultFile;
    text.erase(text.find("Version="), std::string("Version=v1.1.140123\r\n").size());
    text.replace(text.find("ComPort=1"), 9, "ComPort=5");
    EXPECT_EQ(ParseSettingsText(text).comPort, 1);

    // A missing BaudRate line: DataLengthBits is looked for on ParityBit's line and so on.
    std::string shifted = WithLine(6, "DataLengthBits=7");
    shifted.erase(shifted.find("BaudRate=38400\n"), std::string("BaudRate=38400\n").size());
    const ProgramSettings s = ParseSettingsText(shifted);
    EXPECT_EQ(s.baudRate, 38400);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_EQ(s.definite.count, 0);
}

TEST(SettingsFile, LfAndCrLfFilesReadAlike) {
    const ProgramSettings lf = ReadSettingsFile(DataFile("settings_lf_only.ini"));
    EXPECT_EQ(lf.comPort, 3);
    EXPECT_EQ(lf.baudRate, 9600);
    EXPECT_TRUE(SameSettings(ReadSettingsFile(DataFile("settings_default.ini")), ProgramSettings{}));
}

struct ListCase {
    const char* file;
    int count;
    int lastGroup;
    int lastNumber;
};

TEST(SettingsFile, DefiniteListNeverGrowsBeyondItsCapacityOrTheFile) {
    const ListCase cases[] = {
        {"settings_list.ini", 3, 0, 0},
        {"settings_count_huge.ini", 300, 2, 299 % 98},
        {"settings_count_beyond_end.ini", 2, 2, 95},  // the lone group line at the end makes no entry
        {"settings_count_negative.ini", 0, 0, 0},
        {"settings_count_overflow.ini", 1, 1, 4},
        {"settings_default.ini", 0, 0, 0},
    };
    for (const ListCase& c : cases) {
        const ProgramSettings s = ReadSettingsFile(DataFile(c.file));
        ASSERT_EQ(s.definite.count, c.count) << c.file;
        if (c.count > 0) {
            EXPECT_EQ(s.definite.entries[c.count - 1].group, c.lastGroup) << c.file;
            EXPECT_EQ(s.definite.entries[c.count - 1].number, c.lastNumber) << c.file;
        }
        const std::string written = SettingsFileText(s);
        EXPECT_NE(written.find("[Definite Parameter]\r\n" + std::to_string(c.count) + "\r\n"),
                  std::string::npos);
    }
    const ProgramSettings list = ReadSettingsFile(DataFile("settings_list.ini"));
    EXPECT_EQ(DefiniteEntryCode(list.definite.entries[0]), "A02");
    EXPECT_EQ(DefiniteEntryCode(list.definite.entries[1]), "b10");
    EXPECT_EQ(DefiniteEntryCode(list.definite.entries[2]), "");
}

TEST(SettingsFile, CountOutsideTheListIsClampedWhenWritten) {
    ProgramSettings s;
    s.definite.count = 5000;
    EXPECT_EQ(ParseSettingsText(SettingsFileText(s)).definite.count, 300);
    s.definite.count = -4;
    EXPECT_NE(SettingsFileText(s).find("[Definite Parameter]\r\n0\r\n"), std::string::npos);
}

TEST(SettingsFile, BrokenFilesKeepTheDefaults) {
    for (const char* file : {"settings_first_line_blank.ini", "settings_version_missing.ini",
                             "settings_binary_noise.ini", "no-such-file.ini"})
        EXPECT_TRUE(SameSettings(ReadSettingsFile(DataFile(file)), ProgramSettings{})) << file;
    const ProgramSettings garbage = ReadSettingsFile(DataFile("settings_garbage_values.ini"));
    EXPECT_EQ(garbage.comPort, 1);
    EXPECT_EQ(garbage.baudRate, 0);
    EXPECT_EQ(garbage.dataBits, 8);
    EXPECT_EQ(garbage.parity, -2);
    EXPECT_EQ(garbage.stopBits, 2);
    EXPECT_TRUE(garbage.printTitle);
}

TEST(SettingsFile, WhatTheFileDoesNotSetKeepsTheSettingsInMemory) {
    ProgramSettings current;
    current.comPort = 3;
    current.freq50Hz = false;
    current.onlineEdit = true;
    current.definite.count = 1;
    current.definite.entries[0] = {2, 10};
    const std::string upToPort = "[VarnoxLink]\nV\n[System]\nComPort=5\n";
    const struct {
        const char* name;
        std::string text;
        int comPort;
        bool freq50Hz;
        int definiteCount;
    } cases[] = {
        {"wrong first line", "[VarnoxLink] \n", 3, false, 1},
        {"ends after ComPort", upToPort, 5, false, 1},
        {"a wrong key line", upToPort + "x\nx\nx\nx\nx\nx\nx\nx\nFreq50Hz=1\n", 5, false, 1},
        {"the whole file", kDefaultFile, 1, true, 0},
    };
    for (const auto& c : cases) {
        const ProgramSettings read = ParseSettingsText(c.text, current);
        EXPECT_EQ(read.comPort, c.comPort) << c.name;
        EXPECT_EQ(read.freq50Hz, c.freq50Hz) << c.name;
        EXPECT_EQ(read.onlineEdit, c.definiteCount == 1) << c.name;
        EXPECT_EQ(read.definite.count, c.definiteCount) << c.name;
    }
    EXPECT_TRUE(SameSettings(ReadSettingsFile(DataFile("no-such-file.ini"), current), current));
}

TEST(SettingsFile, WrittenFileReplacesTheOldOneWhole) {
    TempFolder folder;
    const std::string path = folder.File("vx3inf.ini");
    WriteBytes(path, std::string(5000, 'x'));
    ProgramSettings s;
    s.comPort = 7;
    ASSERT_TRUE(WriteSettingsFile(s, path).ok);
    EXPECT_EQ(ReadBytes(path), SettingsFileText(s));
    EXPECT_EQ(ReadSettingsFile(path).comPort, 7);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(SettingsFile, FailedWriteNamesTheFileAndTheReason) {
    TempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    const std::string path = folder.File("plain/vx3inf.ini");
    const SettingsWriteResult result = WriteSettingsFile(ProgramSettings{}, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Error: Save file failure!\n\n" + path + "\nNot a directory\n");
}

TEST(SettingsFile, AtoiReadsLikeTheCLibrary) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"12", 12},
        {"  \t42x", 42},
        {"-17", -17},
        {"+5", 5},
        {"- 5", 0},
        {"=9600", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
        {"0012", 12},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(AtoiValue(text), value) << text;
}

}  // namespace
}  // namespace telvor
