#include "file_edit_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace telvor {
namespace {

constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

FileDescriptor OpenToLock(const std::string& path, MissingFile missing, bool& created) {
    created = false;
    FileDescriptor file(open(path.c_str(), kOpenFlags));
    if (file.valid() || errno != ENOENT || missing == MissingFile::HoldNothing) return file;
    // O_EXCL creates nothing where a link points; a file made meanwhile by another edit is opened.
    file = FileDescriptor(open(path.c_str(), kOpenFlags | O_CREAT | O_EXCL, 0666));
    if (file.valid()) {
        created = true;
        return file;
    }
    if (errno != EEXIST) return file;
    return FileDescriptor(open(path.c_str(), kOpenFlags));
}

}  // namespace

FileEditLock::FileEditLock(const std::string& path, MissingFile missing) : path_(path) {
    // Each further turn follows a save by another process that replaced the file.
    for (;;) {
        bool created = false;
        FileDescriptor file = OpenToLock(path, missing, created);
        struct stat locked {};
        if (!file.valid() || fstat(file.get(), &locked) != 0 || !S_ISREG(locked.st_mode)) return;
        while (flock(file.get(), LOCK_EX) != 0)
            if (errno != EINTR) return;
        struct stat current {};
        if (stat(path.c_str(), &current) == 0 && SameFile(current, locked)) {
            file_ = std::move(file);
            created_ = created;
            locked_ = locked;
            return;
        }
    }
}

FileEditLock::~FileEditLock() {
    // The empty file made only to be locked goes again when the edit saved nothing;
    // an edit waiting for it then finds the name gone and takes its lock anew.
    struct stat current {};
    if (created_ && stat(path_.c_str(), &current) == 0 && SameFile(current, locked_) && current.st_size == 0)
        unlink(path_.c_str());
}

}  // namespace telvor
