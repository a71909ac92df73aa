#pragma once
// An advisory lock (flock) held on a file from load to save, so that two edits of one
// file follow each other instead of the second overwriting the first's change.
//
// A save replaces the file by rename, so the locked file may be gone from the path by
// the time the lock is granted; the lock is then taken again on the file now there.

#include <string>

#include "file_descriptor.h"

namespace telvor {

class FileEditLock {
  public:
    // Waits for the lock on the regular file at `path`, following links. Holds nothing
    // when there is no such file (reading it then fails with its own message) or when
    // the file system has no locks.
    explicit FileEditLock(const std::string& path);

  private:
    FileDescriptor file_;  // closing it releases the lock
};

}  // namespace telvor
