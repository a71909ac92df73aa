#include "document_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "parameter_catalogue.h"
#include "temp_folder.h"
#include "whole_file.h"

namespace telvor {
namespace {

using test::DataFile;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Le32(std::int32_t value) {
    std::string bytes;
    for (int k = 0; k < 4; ++k)
        bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * k)) & 0xFF);
    return bytes;
}

CSolvaneDoc SampleParameterDocument() {
    CSolvaneDoc doc = NewDocument(8, false, false);
    doc.sets[0][2] = 12345;
    doc.sets[0][110] = -7;
    doc.sets[0][299] = 0x7FFFFFFF;
    doc.stationTitles[0] = "Pump 1";
    doc.stationTitles[253] = "Last station";
    doc.titleBlock = {"Title", "Company", "Programer", "1.0", "2026-12-08", "r1", "r2", "r3"};
    return doc;
}

CSolvaneDoc SampleComparison(std::int32_t mode) {
    CSolvaneDoc doc = NewDocument(3, true, false);
    doc.compareMode = mode;
    doc.kind = kKindCompare;
    doc.presentFlags = {1, 1, 0};
    doc.setNames = {"a.vx3", "station 12", ""};
    doc.rowFlags.fill(0);
    doc.rowFlags[4] = 1;
    for (int slot = 0; slot < kSetSize; ++slot) {
        doc.sets[1][slot] = slot * 3;
        doc.sets[2][slot] = -slot;
    }
    doc.titleBlock[0] = "Compared";
    return doc;
}

void ExpectSameContent(const CSolvaneDoc& a, const CSolvaneDoc& b) {
    EXPECT_EQ(a.compareMode, b.compareMode);
    EXPECT_EQ(a.modelIndex, b.modelIndex);
    EXPECT_EQ(a.freq50HzFlag, b.freq50HzFlag);
    EXPECT_EQ(a.rowFlags, b.rowFlags);
    EXPECT_EQ(a.sets[0], b.sets[0]);
    EXPECT_EQ(a.titleBlock, b.titleBlock);
    if (IsComparison(a)) {
        EXPECT_EQ(a.presentFlags, b.presentFlags);
        EXPECT_EQ(a.setNames, b.setNames);
        EXPECT_EQ(a.sets[1], b.sets[1]);
        EXPECT_EQ(a.sets[2], b.sets[2]);
    } else {
        EXPECT_EQ(a.stationTitles, b.stationTitles);
    }
}

TEST(ParameterFileLayout, NewDocumentOfModel8At60HzIs1803BytesWithFieldsAtTheirOffsets) {
    const std::string bytes = DocumentFileBytes(NewDocument(8, false, false));
    ASSERT_EQ(bytes.size(), 1803u);
    struct Field {
        std::size_t offset;
        std::string bytes;
    };
    const Field fields[] = {
        {0, "Varnox Ver:1.1.140123\n"},
        {22, "Parameter\n"},
        {32, Le32(0)},
        {36, Le32(8)},
        {40, std::string(1, '\0')},
        {41, std::string(111, '\1') + std::string(189, '\0')},
        {341 + 4 * 2, Le32(6000)},  // A02 at 60 Hz: 60.00
        {341 + 4 * 8, Le32(4400)},  // A08 of model 8: 440.0
        {341 + 4 * 111, std::string(4 * 189, '\0')},
        {1541, std::string(254 + 8, '\n')},
    };
    for (const Field& field : fields)
        EXPECT_EQ(bytes.substr(field.offset, field.bytes.size()), field.bytes) << "offset " << field.offset;
}

TEST(ParameterFileLayout, SetOneHoldsTheDefaultsOfTheDocument) {
    const CSolvaneDoc doc = NewDocument(5, true, false);
    const std::string bytes = DocumentFileBytes(doc);
    for (int slot = 0; slot < kSetSize; ++slot)
        EXPECT_EQ(bytes.substr(341 + 4 * slot, 4), Le32(doc.sets[0][slot])) << "slot " << slot;
}

TEST(CompareFileLayout, FieldsFollowTheSetNames) {
    const CSolvaneDoc doc = SampleComparison(CompareFileFile);
    const std::string bytes = DocumentFileBytes(doc);
    const std::size_t names = std::string("a.vx3\nstation 12\n\n").size();
    const std::size_t rowFlags = 42 + names;
    ASSERT_EQ(bytes.size(), 22u + 8 + 9 + 3 + names + 300 + 3600 + 8 + 8);
    EXPECT_EQ(bytes.substr(22, 8), "Compare\n");
    EXPECT_EQ(bytes.substr(30, 4), Le32(CompareFileFile));
    EXPECT_EQ(bytes.substr(34, 4), Le32(3));
    EXPECT_EQ(bytes[38], '\1');
    EXPECT_EQ(bytes.substr(39, 3), std::string("\1\1\0", 3));
    EXPECT_EQ(bytes.substr(42, names), "a.vx3\nstation 12\n\n");
    EXPECT_EQ(bytes[rowFlags + 4], '\1');
    EXPECT_EQ(bytes[rowFlags + 5], '\0');
    EXPECT_EQ(bytes.substr(rowFlags + 300 + 1200 + 4 * 7, 4), Le32(21));  // set 2, slot 7
    EXPECT_EQ(bytes.substr(rowFlags + 300 + 2400 + 4 * 7, 4), Le32(-7));  // set 3, slot 7
    EXPECT_EQ(bytes.substr(rowFlags + 300 + 3600), "Compared\n\n\n\n\n\n\n\n");
}

TEST(CompareFileLayout, AbsentSetsStillTake2400Bytes) {
    CSolvaneDoc doc = SampleComparison(CompareInverterDefault);
    doc.presentFlags = {1, 0, 0};
    doc.setNames = {"", "", ""};
    EXPECT_EQ(DocumentFileBytes(doc).size(), 22u + 8 + 9 + 3 + 3 + 300 + 3600 + 8 + 8);
}

TEST(DocumentFileRoundTrip, EveryKindReadsBackWhatWasWritten) {
    const CSolvaneDoc documents[] = {SampleParameterDocument(), SampleComparison(CompareInverterDefault),
                                     SampleComparison(CompareFileFile),
                                     SampleComparison(CompareFilesDefault)};
    TempFolder folder;
    for (const CSolvaneDoc& original : documents) {
        SCOPED_TRACE(original.compareMode);
        CSolvaneDoc doc = original;
        const std::string path = folder.File(IsComparison(doc) ? "c.mvx" : "p.vx3");
        ASSERT_TRUE(WriteDocumentFile(doc, path).ok);
        const std::string written = ReadBytes(path);
        const DocumentReadResult read = ReadDocumentFile(path);
        ASSERT_TRUE(read.ok) << read.message.text;
        ExpectSameContent(original, read.doc);
        EXPECT_EQ(read.doc.kind, IsComparison(original) ? kKindCompare : kKindParameter);
        EXPECT_EQ(DocumentFileBytes(read.doc), written);
    }
}

TEST(DocumentFileRead, OpenedDocumentIsTitledAfterTheFileAndNotModified) {
    TempFolder folder;
    const std::string path = folder.File("pump.vx3");
    WriteBytes(path, ReadBytes(DataFile("parameter_model8_60hz.vx3")));
    const DocumentReadResult read = ReadDocumentFile(path);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.doc.title, "pump.vx3");
    EXPECT_EQ(read.doc.path, path);
    EXPECT_FALSE(read.doc.modified);
    EXPECT_FALSE(read.doc.untitled);
    EXPECT_FALSE(read.doc.linked);
    EXPECT_EQ(read.doc.modelIndex, 8);
    EXPECT_FALSE(Is50Hz(read.doc));
}

struct SampleCase {
    const char* file;
    bool opens;
};

class SampleFiles : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleFiles, OpenOrAreRejectedWithTheFormatMessage) {
    const DocumentReadResult read = ReadDocumentFile(DataFile(GetParam().file));
    EXPECT_EQ(read.ok, GetParam().opens);
    if (!GetParam().opens) {
        EXPECT_EQ(read.message.caption, "Open\n");
        EXPECT_EQ(read.message.text, "Error: Open file failure!\n\nThe file format is not correctly!\n");
        EXPECT_EQ(read.message.icon, FileMessageIcon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, SampleFiles,
    testing::Values(
        SampleCase{"parameter_model8_60hz.vx3", true}, SampleCase{"parameter_titles_utf8.vx3", true},
        SampleCase{"parameter_trailing_bytes.vx3", true}, SampleCase{"handheld_latin1.vx3", true},
        SampleCase{"compare_file_file.mvx", true}, SampleCase{"compare_files_default.mvx", true},
        SampleCase{"broken_empty.vx3", false}, SampleCase{"broken_no_varnox.vx3", false},
        SampleCase{"broken_header_only.vx3", false}, SampleCase{"broken_kind_unknown.vx3", false},
        SampleCase{"broken_kind_parameter_mode2.vx3", false},
        SampleCase{"broken_kind_compare_mode0.mvx", false}, SampleCase{"broken_compare_mode7.mvx", false},
        SampleCase{"broken_compare_mode_negative.mvx", false},
        SampleCase{"broken_truncated_values.vx3", false}, SampleCase{"broken_truncated_titles.vx3", false},
        SampleCase{"broken_last_line_open.vx3", false}, SampleCase{"broken_truncated_compare.mvx", false},
        SampleCase{"broken_binary_noise.vx3", false}));

TEST(DocumentFileRead, MissingFileOrFolderCannotBeOpened) {
    TempFolder folder;
    for (const std::string& path : {folder.File("missing.vx3"), folder.path()}) {
        const DocumentReadResult read = ReadDocumentFile(path);
        EXPECT_FALSE(read.ok) << path;
        EXPECT_EQ(read.message.caption, "Open\n");
        EXPECT_EQ(read.message.text, "File could not be opened!\n");
        EXPECT_EQ(read.message.icon, FileMessageIcon::Error);
    }
}

TEST(DocumentFileRead, AFileBeyondTheInputLimitGetsTheFormatMessage) {
    TempFolder folder;
    const std::string path = folder.File("padded.vx3");
    // Zeros after the title block are ignored, up to the limit.
    for (const off_t size : {off_t{kInputFileLimit}, off_t{kInputFileLimit + 1}}) {
        WriteBytes(path, DocumentFileBytes(SampleParameterDocument()));
        ASSERT_EQ(truncate(path.c_str(), size), 0);
        EXPECT_EQ(ReadDocumentFile(path).message.text, size > off_t{kInputFileLimit} ? kFormatMessage : "");
    }
}

TEST(DocumentFileRead, EveryTruncationIsRejected) {
    const std::string files[] = {DocumentFileBytes(SampleParameterDocument()),
                                 DocumentFileBytes(SampleComparison(CompareFilesDefault))};
    for (const std::string& bytes : files) {
        ASSERT_TRUE(ParseDocumentBytes(bytes).ok);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const DocumentReadResult read = ParseDocumentBytes(std::string_view(bytes).substr(0, length));
            ASSERT_FALSE(read.ok) << "length " << length;
            ASSERT_EQ(read.message.text, kFormatMessage) << "length " << length;
        }
    }
}

TEST(DocumentFileRead, TruncatedFilesOnDiskAreRejected) {
    const std::string bytes = DocumentFileBytes(SampleParameterDocument());
    TempFolder folder;
    for (std::size_t length : {0, 1, 21, 22, 31, 32, 40, 41, 340, 341, 1540, 1541, 1600, 1800, 1802}) {
        const std::string path = folder.File("cut.vx3");
        WriteBytes(path, bytes.substr(0, length));
        EXPECT_FALSE(ReadDocumentFile(path).ok) << "length " << length;
    }
}

TEST(DocumentFileRead, TrailingBytesAfterTheTitleBlockAreIgnored) {
    const DocumentReadResult read = ReadDocumentFile(DataFile("parameter_trailing_bytes.vx3"));
    ASSERT_TRUE(read.ok);
    const DocumentReadResult plain = ReadDocumentFile(DataFile("parameter_model8_60hz.vx3"));
    ExpectSameContent(plain.doc, read.doc);
}

TEST(DocumentFileRead, OnlyTheWordVarnoxIsLookedForInTheHeader) {
    std::string bytes = DocumentFileBytes(SampleParameterDocument());
    const std::string headers[] = {"Varnox Ver:1.0.060502", "Varnox", "xx Varnox yy", "Varnox Ver:9.9"};
    for (const std::string& header : headers) {
        const std::string file = header + bytes.substr(21);
        const DocumentReadResult read = ParseDocumentBytes(file);
        ASSERT_TRUE(read.ok) << header;
        EXPECT_EQ(read.doc.headerText, header);
        EXPECT_EQ(read.doc.sets[0][2], 12345);
    }
    EXPECT_FALSE(ParseDocumentBytes("varnox" + bytes.substr(6)).ok);
}

TEST(DocumentFileRead, CrLfLineEndsAreRead) {
    std::string bytes = DocumentFileBytes(SampleParameterDocument());
    bytes.replace(0, 22, "Varnox Ver:1.1.140123\r\n");
    bytes.replace(23, 10, "Parameter\r\n");
    EXPECT_TRUE(ParseDocumentBytes(bytes).ok);
}

TEST(DocumentFileRead, HandheldFileReadsItsTextsAsLatin1) {
    const DocumentReadResult read = ReadDocumentFile(DataFile("handheld_latin1.vx3"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.doc.headerText, "Varnox Ver:1.0.060502");
    EXPECT_EQ(read.doc.stationTitles[0], "Pumpe Nr.\u00e9 1");
    EXPECT_EQ(read.doc.stationTitles[1], "L\u00fcfter");
    EXPECT_EQ(read.doc.titleBlock[0], "Caf\u00e9");
    EXPECT_EQ(read.doc.titleBlock[1], "M\u00fcller GmbH");
}

TEST(DocumentFileRead, Utf8TextsStayUtf8) {
    const DocumentReadResult read = ReadDocumentFile(DataFile("parameter_titles_utf8.vx3"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.doc.stationTitles[0], "Station \u03b1");
    EXPECT_EQ(read.doc.titleBlock[0], "Caf\u00e9");
    EXPECT_EQ(read.doc.titleBlock[5], "Gr\u00fc\u00dfe");
}

TEST(DocumentFileWrite, HandheldFileIsSavedWithOurHeaderAndUtf8Texts) {
    DocumentReadResult read = ReadDocumentFile(DataFile("handheld_latin1.vx3"));
    ASSERT_TRUE(read.ok);
    TempFolder folder;
    ASSERT_TRUE(WriteDocumentFile(read.doc, folder.File("saved.vx3")).ok);
    const std::string bytes = ReadBytes(folder.File("saved.vx3"));
    EXPECT_EQ(bytes.substr(0, 22), "Varnox Ver:1.1.140123\n");
    EXPECT_EQ(bytes.substr(1541, 14), "Pumpe Nr.\xc3\xa9 1\n");
    EXPECT_EQ(read.doc.headerText, kDocumentHeader);
}

TEST(DocumentFileWrite, HandheldWritesOneBytePerCharacterAndCountsWhatItCouldNotHold) {
    const DocumentReadResult original = ReadDocumentFile(DataFile("handheld_latin1.vx3"));
    ASSERT_TRUE(original.ok);
    CSolvaneDoc doc = original.doc;
    doc.stationTitles[1] = "Pump \u00e4\u6cf5";
    doc.titleBlock[0] = "Caf\u00e9 \u03b1\u03b2";
    TempFolder folder;
    const DocumentWriteResult written =
        WriteDocumentFile(doc, folder.File("pda.vx3"), WriteMode::Replace, FileFlavour::Handheld);
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.replacedCharacters, 3u);
    EXPECT_EQ(doc.headerText, kHandheldDocumentHeader);

    const std::string bytes = ReadBytes(folder.File("pda.vx3"));
    const std::string original_bytes = ReadBytes(DataFile("handheld_latin1.vx3"));
    EXPECT_EQ(bytes.substr(0, 1541), original_bytes.substr(0, 1541)) << "header and binary fields unchanged";
    EXPECT_EQ(bytes.substr(1541, 21), "Pumpe Nr.\xe9 1\nPump \xe4?\n");
    EXPECT_NE(bytes.find("\nCaf\xe9 ??\n"), std::string::npos);

    const DocumentReadResult reopened = ReadDocumentFile(folder.File("pda.vx3"));
    ASSERT_TRUE(reopened.ok) << "a handheld file opens on the desktop";
    EXPECT_EQ(reopened.doc.stationTitles[0], original.doc.stationTitles[0]);
    EXPECT_EQ(reopened.doc.stationTitles[1], "Pump \u00e4?");
}

TEST(DocumentFileWrite, LineBreaksInsideTextsBecomeSpaces) {
    CSolvaneDoc parameter = SampleParameterDocument();
    parameter.stationTitles[0] = "two\r\nlines";
    parameter.titleBlock[5] = "a\nb\rc";
    CSolvaneDoc comparison = SampleComparison(CompareFileFile);
    comparison.setNames[1] = "name\nwith break";
    comparison.titleBlock[7] = "\n";

    const std::string parameterBytes = DocumentFileBytes(parameter);
    EXPECT_EQ(parameterBytes.size(), DocumentFileBytes(SampleParameterDocument()).size() + 4 + 3);
    const DocumentReadResult p = ParseDocumentBytes(parameterBytes);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.doc.stationTitles[0], "two  lines");
    EXPECT_EQ(p.doc.stationTitles[1], "");
    EXPECT_EQ(p.doc.titleBlock[5], "a b c");
    EXPECT_EQ(p.doc.titleBlock[6], "r2");

    const DocumentReadResult c = ParseDocumentBytes(DocumentFileBytes(comparison));
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.doc.setNames[1], "name with break");
    EXPECT_EQ(c.doc.setNames[2], "");
    EXPECT_EQ(c.doc.sets[2], comparison.sets[2]);
    EXPECT_EQ(c.doc.titleBlock[7], " ");
}

TEST(DocumentFileWrite, SavingTitlesTheDocumentAndClearsItsFlags) {
    TempFolder folder;
    CSolvaneDoc doc = SampleParameterDocument();
    doc.modified = true;
    ASSERT_TRUE(doc.untitled);
    const DocumentWriteResult written = WriteDocumentFile(doc, folder.File("line 3.vx3"));
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(doc.title, "line 3.vx3");
    EXPECT_EQ(doc.path, folder.File("line 3.vx3"));
    EXPECT_FALSE(doc.modified);
    EXPECT_FALSE(doc.untitled);
}

TEST(DocumentFileWrite, FailedWriteNamesTheFileAndTheReasonAndKeepsTheDocumentAsItWas) {
    TempFolder folder;
    WriteBytes(folder.File("plain"), "a regular file");
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {
        {folder.File("plain/x.vx3"), "Not a directory"},
        {folder.File("missing/x.vx3"), "No such file or directory"},
        {"/proc/telvor-test.vx3", ""},
        {folder.path() + "/", "Is a directory"},
    };
    for (const Case& c : cases) {
        CSolvaneDoc doc = SampleParameterDocument();
        doc.modified = true;
        doc.title = "old.vx3";
        doc.path = "/old/old.vx3";
        doc.untitled = false;
        const DocumentWriteResult written = WriteDocumentFile(doc, c.path);
        EXPECT_FALSE(written.ok) << c.path;
        EXPECT_EQ(written.message.caption, "Save\n");
        EXPECT_NE(written.message.text.find(c.path), std::string::npos) << written.message.text;
        EXPECT_NE(written.message.text.find(c.reason), std::string::npos) << written.message.text;
        EXPECT_TRUE(doc.modified);
        EXPECT_EQ(doc.title, "old.vx3");
        EXPECT_EQ(doc.path, "/old/old.vx3");
    }
    EXPECT_EQ(ReadBytes(folder.File("plain")), "a regular file");
}

TEST(DocumentFileWrite, FailedRenameLeavesTheTargetAndNoTemporaryFile) {
    TempFolder folder;
    const std::string target = folder.File("target.vx3");
    ASSERT_TRUE(std::filesystem::create_directory(target));
    WriteBytes(target + "/inside", "kept");
    CSolvaneDoc doc = SampleParameterDocument();
    EXPECT_FALSE(WriteDocumentFile(doc, target).ok);
    EXPECT_EQ(ReadBytes(target + "/inside"), "kept");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(DocumentFileWrite, ReplacingAFileKeepsItsModeAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("kept.vx3");
    WriteBytes(path, "old contents");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    CSolvaneDoc doc = SampleParameterDocument();
    ASSERT_TRUE(WriteDocumentFile(doc, path).ok);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadBytes(path), DocumentFileBytes(doc));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(DocumentFileWrite, AFileThatMayNotBeWrittenIsNotReplaced) {
    TempFolder folder;
    ASSERT_EQ(chmod(folder.path().c_str(), 0777), 0);
    const std::string path = folder.File("locked.vx3");
    WriteBytes(path, "locked contents");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    // Root may write anything: the save runs as an ordinary user in a child process.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && setuid(65534) != 0) _exit(3);
        CSolvaneDoc doc = SampleParameterDocument();
        const DocumentWriteResult written = WriteDocumentFile(doc, path);
        _exit(written.ok ? 1 : written.message.text.find("Permission denied") == std::string::npos ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(path), "locked contents");
}

TEST(DocumentExtension, OnlyVx3AndMvxInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"a.vx3", true},         {"a.VX3", true},  {"b.Mvx", true},
        {"dir.vx3/a.mvx", true}, {"a.vx", false},  {"a.vx3.bak", false},
        {"vx3", false},          {"a.txt", false}, {"", false},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(HasDocumentExtension(path), expected) << path;
}

}  // namespace
}  // namespace telvor
