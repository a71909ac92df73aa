#pragma once
// The program folder holds the settings file, the port links and a help file of
// the user's (installed_files.h finds the manual installed with the program):
// $TELVOR_HOME when set, else $XDG_CONFIG_HOME/telvor, else ~/.config/telvor.
// It is created on first use.

#include <string>

namespace telvor {

// Shown with a stop icon when the folder cannot be found or created; the program then ends.
inline constexpr const char* kNoSystemDataMessage =
    "Error: Not find system data!!\n\nPlease reinstall VarnoxLink Software.";
// The user manual, one HTML file that Help opens with the desktop's handler.
inline constexpr const char* kHelpFileName = "TelvorPC.html";

struct ProgramFolderResult {
    bool ok = false;
    std::string folder;   // without a trailing slash
    std::string message;  // kNoSystemDataMessage when not ok
};

// Looks the folder up in the environment and creates it when it is missing.
ProgramFolderResult FindProgramFolder();

std::string SettingsFilePath(const std::string& folder);
std::string HelpFilePath(const std::string& folder);

}  // namespace telvor
