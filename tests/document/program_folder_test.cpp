#include "program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "temp_folder.h"

namespace telvor {
namespace {

using test::TempFolder;
using test::WriteBytes;

// Sets the three variables for one case and puts the old values back afterwards.
class Environment {
  public:
    Environment(const char* telvorHome, const char* xdgConfig, const char* home) {
        Set("TELVOR_HOME", telvorHome);
        Set("XDG_CONFIG_HOME", xdgConfig);
        Set("HOME", home);
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }

  private:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST(ProgramFolder, FoundInTheEnvironmentAndCreated) {
    TempFolder folder;
    const std::string root = folder.path();
    struct Case {
        std::string telvorHome, xdg, home, expected;
    };
    const Case cases[] = {
        {root + "/own/deep", root + "/xdg", root + "/home", root + "/own/deep"},
        {root + "/slash//", "", root + "/home", root + "/slash"},
        {"", root + "/xdg", root + "/home", root + "/xdg/telvor"},
        {"", "", root + "/home", root + "/home/.config/telvor"},
    };
    for (const Case& c : cases) {
        Environment env(c.telvorHome.empty() ? nullptr : c.telvorHome.c_str(),
                        c.xdg.empty() ? nullptr : c.xdg.c_str(), c.home.c_str());
        const ProgramFolderResult result = FindProgramFolder();
        ASSERT_TRUE(result.ok) << c.expected;
        EXPECT_EQ(result.folder, c.expected);
        EXPECT_TRUE(std::filesystem::is_directory(c.expected));
        EXPECT_EQ(SettingsFilePath(result.folder), c.expected + "/vx3inf.ini");
        EXPECT_EQ(HelpFilePath(result.folder), c.expected + "/TelvorPC.html");
    }
}

TEST(ProgramFolder, AFolderThatCannotBeMadeGivesTheSystemDataMessage) {
    TempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    const std::string below = folder.File("plain/telvor");
    Environment env(below.c_str(), nullptr, nullptr);
    const ProgramFolderResult result = FindProgramFolder();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Error: Not find system data!!\n\nPlease reinstall VarnoxLink Software.");
}

}  // namespace
}  // namespace telvor
