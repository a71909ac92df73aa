#include "temporary_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>
#include <vector>

namespace telvor {
namespace {

std::string TemporaryPrefix(const std::string& target) {
    return "." + target + ".tmp-";
}

// The process of a temporary's name, or 0 when the name is not one of ours.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) return 0;
    name.remove_prefix(prefix.size());
    pid_t pid = 0;
    unsigned number = 0;
    const char* end = name.data() + name.size();
    const auto [dash, pidError] = std::from_chars(name.data(), end, pid);
    if (pidError != std::errc{} || dash == end || *dash != '-') return 0;
    const auto [last, numberError] = std::from_chars(dash + 1, end, number);
    if (numberError != std::errc{} || last != end || pid <= 0) return 0;
    return pid;
}

bool ProcessRuns(pid_t pid) {
    return kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

std::string TemporaryName(const std::string& target, pid_t pid, unsigned number) {
    return TemporaryPrefix(target) + std::to_string(pid) + "-" + std::to_string(number);
}

void RemoveStaleTemporaries(int folder, const std::string& target) {
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return;
    DIR* entries = fdopendir(listing);
    if (!entries) {
        close(listing);
        return;
    }
    const std::string prefix = TemporaryPrefix(target);
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(entries)) {
        const pid_t writer = WriterOf(entry->d_name, prefix);
        if (writer != 0 && !ProcessRuns(writer)) stale.emplace_back(entry->d_name);
    }
    closedir(entries);
    for (const std::string& name : stale) {
        struct stat info {};
        if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            unlinkat(folder, name.c_str(), 0);
    }
}

}  // namespace telvor
