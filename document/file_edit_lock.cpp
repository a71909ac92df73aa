#include "file_edit_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

namespace telvor {
namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

FileEditLock::FileEditLock(const std::string& path) {
    // Each further turn follows a save by another process that replaced the file.
    for (;;) {
        FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat locked {};
        if (!file.valid() || fstat(file.get(), &locked) != 0 || !S_ISREG(locked.st_mode)) return;
        while (flock(file.get(), LOCK_EX) != 0)
            if (errno != EINTR) return;
        struct stat current {};
        if (stat(path.c_str(), &current) == 0 && SameFile(current, locked)) {
            file_ = std::move(file);
            return;
        }
    }
}

}  // namespace telvor
