#include "print_verb.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "installed_files.h"

namespace telvor {
namespace {

int RunPrint(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {{"print", kPrintArguments, kPrintSummary, RunPrint}};

// The page renderer lies where the build and the install rules put it, relative
// to telvorctl's own folder.
int RunPrint(std::span<const std::string> arguments) {
    const std::string renderer = ExecutableFolder() + "/" TELVOR_PAGE_RENDERER;
    std::vector<char*> argv{const_cast<char*>(renderer.c_str())};
    for (const std::string& word : arguments) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    execv(renderer.c_str(), argv.data());
    std::fprintf(stderr, "telvorctl: the page renderer %s cannot be started: %s\n", renderer.c_str(),
                 std::strerror(errno));
    return kExitFailed;
}

}  // namespace

std::span<const Verb> PrintVerbs() { return kVerbs; }

}  // namespace telvor
