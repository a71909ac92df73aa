#include "whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "file_descriptor.h"

namespace telvor {

WholeFile ReadWholeFile(const std::string& path, std::size_t limit) {
    // O_NONBLOCK: opening a FIFO without a writer must not wait; it is refused below.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    if (static_cast<unsigned long long>(info.st_size) > limit) return {WholeFileStatus::TooLarge, {}};

    // The size is a first guess: the file may change while it is read, and one byte
    // more than the limit tells that it is too large.
    std::string bytes(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), limit) + 1, '\0');
    std::size_t length = 0;
    for (;;) {
        if (length == bytes.size()) {
            if (length > limit) break;
            bytes.resize(std::min(2 * length, limit + 1));
        }
        const ssize_t got = read(file.get(), bytes.data() + length, bytes.size() - length);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        length += static_cast<std::size_t>(got);
    }
    if (length > limit) return {WholeFileStatus::TooLarge, {}};
    bytes.resize(length);
    return {WholeFileStatus::Read, std::move(bytes)};
}

}  // namespace telvor
