// telvorctl print: the PDF is read back with poppler's pdfinfo and pdftotext.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "parameter_catalogue.h"
#include "parameter_keys.h"
#include "telvorctl_runner.h"
#include "temp_folder.h"

namespace telvor {
namespace {

using test::DataFile;
using test::RunTelvorctl;
using test::TempFolder;

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

int PageCount(const std::string& pdf) {
    std::smatch match;
    const std::string info = Output("pdfinfo '" + pdf + "'");
    return std::regex_search(info, match, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(match[1]) : -1;
}

bool HasWord(const std::string& text, const std::string& word) {
    return std::regex_search(text, std::regex("(^|\\s)" + word + "(\\s|$)"));
}

std::vector<std::string> Codes(int firstSlot, int endSlot) {
    std::vector<std::string> codes;
    for (int slot = firstSlot; slot < endSlot; ++slot) codes.push_back(CodeText(CodeIndexOfSlot(slot)));
    return codes;
}

struct PrintCase {
    const char* name;
    std::string file;
    std::vector<std::string> options;
    int pages;
    std::vector<std::string> texts;        // each stands on the pages
    std::vector<std::string> printedCodes;
    std::vector<std::string> absentCodes;
};

TEST(TelvorctlPrint, PagesHoldHeadingPageNumbersAndEveryPrintedCode) {
    const std::vector<PrintCase> cases = {
        {"parameter list with the title block", DataFile("parameter_model8_60hz.vx3"), {}, 3,
         {"Varnox -- Parameters List", "Programer", "Remark", "1/3", "2/3", "3/3", "50.00/60.00"},
         Codes(0, kParameterCount), {}},
        {"advanced group in landscape without the title block", DataFile("parameter_model8_60hz.vx3"),
         {"--no-title", "--advanced", "--landscape"}, 3,
         {"Varnox -- Parameters List", "Page:1/3", "Page:2/3", "Page:3/3"}, Codes(kBasicCount, kParameterCount),
         Codes(0, kBasicCount)},
        {"comparison of two files", DataFile("compare_file_file.mvx"), {"--basic"}, 1,
         {"Compare File with File", "set1.vx3", "set2.vx3", "1/1"}, Codes(0, 20), Codes(20, kParameterCount)},
        {"comparison of files with the defaults", DataFile("compare_files_default.mvx"), {"--no-title"}, 1,
         {"Compare Files with Default", "Page:1/1"}, Codes(0, 20), Codes(20, kParameterCount)},
    };
    for (const PrintCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string pdf = folder.File("out.pdf");
        std::vector<std::string> words = {"print", c.file, "-o", pdf};
        words.insert(words.end(), c.options.begin(), c.options.end());
        const auto run = RunTelvorctl(words, {{"TELVOR_HOME", folder.File("home")}});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(PageCount(pdf), c.pages);
        const std::string text = Output("pdftotext -layout '" + pdf + "' -");
        for (const std::string& expected : c.texts) EXPECT_NE(text.find(expected), std::string::npos) << expected;
        for (const std::string& code : c.printedCodes) EXPECT_TRUE(HasWord(text, code)) << code;
        for (const std::string& code : c.absentCodes) EXPECT_FALSE(HasWord(text, code)) << code;
    }
}

TEST(TelvorctlPrint, SettingsChoiceRefusalsAndExistingFiles) {
    TempFolder folder;
    const std::string home = folder.File("home");
    const std::string pdf = folder.File("out.pdf");
    const std::string file = DataFile("parameter_model8_60hz.vx3");
    std::filesystem::create_directories(home);
    test::WriteBytes(home + "/vx3inf.ini",
                     "[VarnoxLink]\r\nVersion=v1.1.140123\r\n[System]\r\nComPort=1\r\nBaudRate=38400\r\n"
                     "DataLengthBits=8\r\nParityBit=0\r\nStopBits=0\r\nPrint Title=0\r\nPrint AxxFlag=0\r\n"
                     "Print bxxFlag=0\r\nOnLineEdit=0\r\nFreq50HzFlag=1\r\n[Definite Parameter]\r\n0\r\n");
    const std::map<std::string, std::string> env{{"TELVOR_HOME", home}};

    const auto none = RunTelvorctl({"print", file, "-o", pdf}, env);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "No select to print parameters. (Axx or bxx)\n");
    EXPECT_FALSE(std::filesystem::exists(pdf));

    ASSERT_EQ(RunTelvorctl({"print", file, "-o", pdf, "--basic"}, env).status, 0);
    EXPECT_EQ(PageCount(pdf), 1);  // the settings' "Print Title=0": 13 rows on one page
    EXPECT_NE(Output("pdftotext '" + pdf + "' -").find("Page:1/1"), std::string::npos);

    const std::string before = test::ReadBytes(pdf);
    const auto refused = RunTelvorctl({"print", file, "-o", pdf, "--advanced"}, env);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--force"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(pdf), before);

    ASSERT_EQ(RunTelvorctl({"print", file, "-o", pdf, "--advanced", "--force"}, env).status, 0);
    EXPECT_EQ(PageCount(pdf), 2);

    EXPECT_EQ(RunTelvorctl({"print", file}, env).status, 2);
    EXPECT_EQ(RunTelvorctl({"print", DataFile("broken_no_varnox.vx3"), "-o", folder.File("b.pdf")}, env).status, 1);
}

}  // namespace
}  // namespace telvor
