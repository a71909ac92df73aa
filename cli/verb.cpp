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

}  // namespace telvor
