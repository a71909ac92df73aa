#include "verb.h"

#include <cstdio>

namespace telvor {

int UsageError(const Verb& verb) {
    std::fprintf(stderr, "usage: telvorctl %s %s\n", verb.name, verb.arguments);
    return kExitUsage;
}

void ShowMessage(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
}

int RefuseExistingFile(const std::string& path) {
    std::fprintf(stderr, "telvorctl: %s exists (--force replaces it)\n", path.c_str());
    return kExitFailed;
}

}  // namespace telvor
