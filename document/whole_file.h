#pragma once
// Reading a whole input file (a parameter file, the settings file) into memory.
// Only regular files are read, and only up to a size limit, so a device, a FIFO
// or a huge file can neither block the program nor exhaust its memory.

#include <cstddef>
#include <string>

namespace telvor {

// Far above any file of ours: a parameter file with every text at its editor
// limit stays under 20 KB.
inline constexpr std::size_t kInputFileLimit = 1024 * 1024;

enum class WholeFileStatus {
    Read,
    NotOpened,  // missing, not a regular file, not permitted, or a read error
    TooLarge,   // more than the limit
};

struct WholeFile {
    WholeFileStatus status = WholeFileStatus::NotOpened;
    std::string bytes;  // when Read
};

WholeFile ReadWholeFile(const std::string& path, std::size_t limit = kInputFileLimit);

}  // namespace telvor
