#pragma once
// Replacing a file without ever leaving a half-written one: the bytes go to a new
// file in the same folder, which is then renamed over the target.

#include <string>
#include <string_view>

namespace telvor {

struct AtomicWriteResult {
    bool ok = false;
    std::string reason;  // the system's reason (strerror) when not ok
};

// A new file gets the usual mode under the umask; a replaced one keeps its mode and
// must be writable.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// "Error: Save file failure!\n\n" + path + "\n" + reason + "\n"
std::string SaveFailureMessage(const std::string& path, const std::string& reason);

}  // namespace telvor
