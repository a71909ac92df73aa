#pragma once
// Owns one POSIX file descriptor and closes it when it goes.

#include <unistd.h>

#include <utility>

namespace telvor {

class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false (errno set) when close reports an error, as a delayed write error.
    bool Close() { return close(std::exchange(fd_, -1)) == 0; }
    void Reset() {
        if (fd_ >= 0) close(std::exchange(fd_, -1));
    }

  private:
    int fd_ = -1;
};

}  // namespace telvor
