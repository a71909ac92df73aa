#pragma once
// One command of telvorctl. Each group of verbs lives in its own file and hands
// main its table; main only dispatches.

#include <span>
#include <string>

namespace telvor {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation failed; its message is on stderr
inline constexpr int kExitUsage = 2;   // the command line was wrong

struct Verb {
    const char* name;
    const char* arguments;  // "FILE --model N --hz 50|60"
    const char* summary;
    int (*run)(std::span<const std::string> arguments);  // the words after the verb
};

// Prints "usage: telvorctl <name> <arguments>" to stderr and gives kExitUsage.
int UsageError(const Verb& verb);

// Writes a message the system shows to stderr, ending it with a line feed if it has none.
void ShowMessage(const std::string& text);

// Prints "telvorctl: FILE exists (--force replaces it)" to stderr and gives kExitFailed.
int RefuseExistingFile(const std::string& path);

}  // namespace telvor
