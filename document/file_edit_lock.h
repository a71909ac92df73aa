#pragma once
// An advisory lock (flock) held on a file from load to save, so that two edits of one
// file follow each other instead of the second overwriting the first's change.
//
// A save replaces the file by rename, so the locked file may be gone from the path by
// the time the lock is granted; the lock is then taken again on the file now there.

#include <sys/stat.h>

#include <string>

#include "file_descriptor.h"

namespace telvor {

// What the lock does when there is no file to lock yet.
enum class MissingFile {
    HoldNothing,  // reading the file then fails with its own message
    CreateEmpty,  // for a file whose absence and emptiness mean the same (the settings file)
};

class FileEditLock {
  public:
    // Waits for the lock on the regular file at `path`, following links. Holds nothing
    // when the file system has no locks, or when there is no such file and `missing`
    // says so; an empty file is never created through a symbolic link.
    explicit FileEditLock(const std::string& path, MissingFile missing = MissingFile::HoldNothing);
    ~FileEditLock();
    FileEditLock(const FileEditLock&) = delete;
    FileEditLock& operator=(const FileEditLock&) = delete;

  private:
    std::string path_;
    FileDescriptor file_;  // closing it (after the destructor's body) releases the lock
    bool created_ = false;  // the lock made the file, empty
    struct stat locked_ {};
};

}  // namespace telvor
