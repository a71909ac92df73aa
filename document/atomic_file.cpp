#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "file_descriptor.h"
#include "temporary_files.h"

namespace telvor {
namespace {

constexpr int kLinkHopLimit = 40;  // as the kernel's own limit on following links

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

// The file that a save lands in: the path itself, or the final target of the
// symbolic link it names (which may not exist yet). False after too many links.
bool FinalTarget(const std::string& path, std::string& target, bool& throughLink) {
    std::filesystem::path current = path;
    throughLink = false;
    for (int hop = 0; hop < kLinkHopLimit; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) {
            target = current.string();
            return true;
        }
        const std::filesystem::path link = std::filesystem::read_symlink(current, error);
        if (error) {
            target = current.string();
            return true;
        }
        throughLink = true;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return false;
}

AtomicWriteResult Failure(int error) {
    return {false, error, std::strerror(error)};
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

// Gives a fresh temporary name to `make` until it succeeds or fails for another
// reason than the name being taken; errno tells why it failed.
template <typename Make>
bool WithFreshName(const std::string& target, std::string& temporary, Make make) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryName(target, getpid(), counter++);
        if (make(temporary.c_str())) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

// The old file's owner, group and mode for the new one; only root may give a file away.
bool TakeOver(int fd, const struct stat* old) {
    if (!old) return true;
    if (geteuid() == 0 && fchown(fd, old->st_uid, old->st_gid) != 0) return false;
    return fchmod(fd, old->st_mode & 07777) == 0;
}

enum class TemporaryKind { Anonymous, Named };

// Writes the bytes, complete and on disk, to a new file in the folder that carries a
// temporary name when this returns true (errno set otherwise). An anonymous file
// (O_TMPFILE) gets its name only once it is whole, so a save killed while writing
// leaves nothing behind.
bool WriteTemporary(int folder, const std::string& target, std::string_view bytes, const struct stat* old,
                    TemporaryKind kind, std::string& temporary) {
    FileDescriptor file;
    temporary.clear();
    if (kind == TemporaryKind::Anonymous) {
        file = FileDescriptor(openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    } else {
        WithFreshName(target, temporary, [&](const char* name) {
            file = FileDescriptor(openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            return file.valid();
        });
    }
    if (!file.valid()) return false;
    int error = 0;
    if (!TakeOver(file.get(), old) || !WriteAll(file.get(), bytes) || fsync(file.get()) != 0) error = errno;
    if (error == 0 && kind == TemporaryKind::Anonymous) {
        const std::string self = "/proc/self/fd/" + std::to_string(file.get());
        if (!WithFreshName(target, temporary, [&](const char* name) {
                return linkat(AT_FDCWD, self.c_str(), folder, name, AT_SYMLINK_FOLLOW) == 0;
            })) {
            error = errno;
            temporary.clear();
        }
    }
    if (!file.Close() && error == 0) error = errno;
    if (error != 0 && !temporary.empty()) unlinkat(folder, temporary.c_str(), 0);
    errno = error;
    return error == 0;
}

// Gives the temporary the target's name. Create-only falls back to link and unlink
// where the file system cannot rename without replacing.
bool Publish(int folder, const std::string& temporary, const std::string& target, WriteMode mode) {
    if (mode == WriteMode::Replace) return renameat(folder, temporary.c_str(), folder, target.c_str()) == 0;
    if (renameat2(folder, temporary.c_str(), folder, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (linkat(folder, temporary.c_str(), folder, target.c_str(), 0) != 0) return false;
    unlinkat(folder, temporary.c_str(), 0);
    return true;
}

}  // namespace

AtomicWriteResult ResolveWriteTarget(const std::string& path, std::string& target) {
    if (path.empty() || path.back() == '/') return Failure(EISDIR);
    bool throughLink = false;
    if (!FinalTarget(path, target, throughLink)) return Failure(ELOOP);
    struct stat existing {};
    if (throughLink && lstat(target.c_str(), &existing) != 0 && errno == ENOENT)
        return {false, ENOENT, "it is a symbolic link to " + target + ", which does not exist"};
    return {true, 0, {}};
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes, WriteMode mode) {
    std::string resolved;
    if (AtomicWriteResult refused = ResolveWriteTarget(path, resolved); !refused.ok) return refused;
    const std::string target = NameOf(resolved);
    const FileDescriptor folder(open(FolderOf(resolved).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) return Failure(errno);

    struct stat old {};
    const bool replacing =
        mode == WriteMode::Replace && fstatat(folder.get(), target.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    // A folder, a device or a FIFO is never replaced by a file.
    if (replacing && !S_ISREG(old.st_mode)) return Failure(S_ISDIR(old.st_mode) ? EISDIR : ENOTSUP);
    // Replacing by rename must not get round a file that could not be written in place.
    if (replacing && faccessat(folder.get(), target.c_str(), W_OK, 0) != 0) return Failure(errno);

    RemoveStaleTemporaries(folder.get(), target);
    std::string temporary;
    const struct stat* takeOver = replacing ? &old : nullptr;
    // Where the file system has no anonymous files (or /proc is missing), a named one.
    if (!WriteTemporary(folder.get(), target, bytes, takeOver, TemporaryKind::Anonymous, temporary) &&
        !WriteTemporary(folder.get(), target, bytes, takeOver, TemporaryKind::Named, temporary))
        return Failure(errno);
    if (!Publish(folder.get(), temporary, target, mode)) {
        const int error = errno;
        unlinkat(folder.get(), temporary.c_str(), 0);
        return Failure(error);
    }
    // The new name itself must survive a power cut too.
    if (fsync(folder.get()) != 0 && errno != EINVAL) return Failure(errno);
    return {true, 0, {}};
}

std::string SaveFailureMessage(const std::string& path, const std::string& reason) {
    return "Error: Save file failure!\n\n" + path + "\n" + reason + "\n";
}

}  // namespace telvor
