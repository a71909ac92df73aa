#include "installed_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace telvor {
namespace {

using test::TempFolder;
using test::WriteBytes;

// An installed program finds the manual in share/doc/telvor beside its bin; run
// from the build, it opens the one in the program folder.
TEST(InstalledFiles, HelpOpensTheInstalledManualElseTheProgramFolders) {
    TempFolder root;
    const std::string bin = root.path() + "/usr/bin";
    const std::string manual = root.path() + "/usr/share/doc/telvor/TelvorPC.html";
    const std::string folder = root.path() + "/home/.config/telvor";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(root.path() + "/usr/share/doc/telvor");

    EXPECT_EQ(HelpFileToOpen(folder, bin), folder + "/TelvorPC.html") << "nothing installed";
    std::filesystem::create_directory(manual);
    EXPECT_EQ(HelpFileToOpen(folder, bin), folder + "/TelvorPC.html") << "a folder is no manual";
    std::filesystem::remove(manual);
    WriteBytes(manual, "<html></html>");
    EXPECT_EQ(std::filesystem::path(HelpFileToOpen(folder, bin)).lexically_normal(), manual);
}

}  // namespace
}  // namespace telvor
