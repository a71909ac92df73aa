#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace telvor {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int CreateTemporary(const std::string& path, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = FolderOf(path) + "/." + NameOf(path) + ".tmp-" + std::to_string(getpid()) + "-" +
                    std::to_string(counter++);
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

AtomicWriteResult Failure(int error) {
    return {false, std::strerror(error)};
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') return Failure(EISDIR);
    // Replacing by rename must not get round a file that could not be written in place.
    if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) return Failure(errno);
    std::string temporary;
    const int fd = CreateTemporary(path, temporary);
    if (fd < 0) return Failure(errno);

    struct stat existing {};
    bool ok = true;
    if (stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ok = fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, bytes) && fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        return Failure(error);
    }
    return {true, {}};
}

std::string SaveFailureMessage(const std::string& path, const std::string& reason) {
    return "Error: Save file failure!\n\n" + path + "\n" + reason + "\n";
}

}  // namespace telvor
