#include "program_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "program_settings.h"

namespace telvor {
namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return {};
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// mkdir -p: every missing folder on the way is made; true when the folder is there.
bool MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = slash == std::string::npos ? folder : folder.substr(0, slash);
        if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FolderFromEnvironment() {
    if (std::string home = EnvironmentValue("TELVOR_HOME"); !home.empty()) return home;
    if (std::string config = EnvironmentValue("XDG_CONFIG_HOME"); !config.empty()) return config + "/telvor";
    const std::string home = HomeFolder();
    return home.empty() ? std::string{} : home + "/.config/telvor";
}

}  // namespace

ProgramFolderResult FindProgramFolder() {
    const std::string folder = WithoutTrailingSlashes(FolderFromEnvironment());
    if (folder.empty() || !MakeFolders(folder)) return {false, {}, kNoSystemDataMessage};
    return {true, folder, {}};
}

std::string SettingsFilePath(const std::string& folder) {
    return folder + "/" + kSettingsFileName;
}

std::string HelpFilePath(const std::string& folder) {
    return folder + "/" + kHelpFileName;
}

}  // namespace telvor
