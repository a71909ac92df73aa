#include "installed_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include "program_folder.h"

namespace telvor {

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.rfind('/'));
}

std::string HelpFileToOpen(const std::string& programFolder, const std::string& executableFolder) {
    const std::string installed = executableFolder + "/" TELVOR_DOC_FROM_BIN "/" + kHelpFileName;
    struct stat info {};
    if (stat(installed.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return installed;
    return HelpFilePath(programFolder);
}

}  // namespace telvor
