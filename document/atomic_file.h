#pragma once
// Saving a file without ever leaving a half-written one: the bytes go to a new file
// in the same folder, which then takes the target's name in one rename. A power cut
// leaves the old file or the new one, never neither.

#include <string>
#include <string_view>

namespace telvor {

enum class WriteMode {
    Replace,     // an existing file is replaced
    CreateOnly,  // an existing file is left alone and the write fails with EEXIST
};

struct AtomicWriteResult {
    bool ok = false;
    int error = 0;       // errno when not ok
    std::string reason;  // the system's reason (strerror) when not ok
};

// The file that writing `path` lands in: the path itself, or the final target of the
// symbolic link it names. A link whose final target does not exist is refused (ENOENT):
// writing through it would create a file wherever the link points. Every writer of
// files goes through this rule.
AtomicWriteResult ResolveWriteTarget(const std::string& path, std::string& target);

// A symbolic link is followed to its final target (ResolveWriteTarget), which gets the
// new bytes; the link stays. A replaced file must be writable and keeps its mode (and, for root, its owner
// and group); a new file gets the usual mode under the umask. Only a regular file is
// replaced. Temporaries left by killed saves of the same file are removed. Create-only
// decides in the final rename, so a file that appears meanwhile is not replaced either.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      WriteMode mode = WriteMode::Replace);

// "Error: Save file failure!\n\n" + path + "\n" + reason + "\n"
std::string SaveFailureMessage(const std::string& path, const std::string& reason);

}  // namespace telvor
