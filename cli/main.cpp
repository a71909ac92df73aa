// telvorctl: the command-line front end of Telvor.

#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <vector>

#include "compare_verbs.h"
#include "definite_verb.h"
#include "echo_verb.h"
#include "file_verbs.h"
#include "line_backup_verbs.h"
#include "line_survey_verbs.h"
#include "link_options.h"
#include "link_verbs.h"
#if TELVOR_PRINT_VERB
#include "print_verb.h"
#endif
#include "monitor_verbs.h"
#include "ports_verb.h"
#include "telvor_version.h"
#include "verb.h"

namespace telvor {
namespace {

// Every group of verbs, in the order --help lists them.
std::vector<Verb> AllVerbs() {
    std::vector<Verb> verbs;
    for (auto group : {FileVerbs(), LinkVerbs(), PortsVerbs(), LineVerbs(), LineSurveyVerbs(), LineBackupVerbs(),
                       MonitorVerbs(), CompareVerbs(), DefiniteVerbs()})
        verbs.insert(verbs.end(), group.begin(), group.end());
#if TELVOR_PRINT_VERB
    for (const Verb& verb : PrintVerbs()) verbs.push_back(verb);
#endif
    return verbs;
}

void PrintHelp(const std::vector<Verb>& verbs) {
    std::printf("usage: telvorctl VERB [ARGUMENTS]\n\nverbs:\n");
    for (const Verb& verb : verbs)
        std::printf("  %s %s\n      %s\n", verb.name, verb.arguments, verb.summary);
    std::printf(
        "  --trace VERB ...\n      print every frame sent and received on stderr\n"
        "  --help\n      list the verbs\n"
        "  --version\n      print the version\n\nexit status: 0 done, 1 failed with a message, 2 usage error\n");
}

int Run(int argc, char** argv) {
    const std::vector<Verb> verbs = AllVerbs();
    const int globals = TakeGlobalLinkOptions(argc, argv);
    argc -= globals;
    argv += globals;
    if (argc < 2) {
        std::fprintf(stderr, "usage: telvorctl VERB [ARGUMENTS]  (telvorctl --help lists the verbs)\n");
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(verbs);
        return kExitOk;
    }
    if (name == "--version") {
        std::printf("telvorctl %s\n", kTelvorVersion);
        return kExitOk;
    }
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    for (const Verb& verb : verbs) {
        if (name != verb.name) continue;
        const int status = verb.run(arguments);
        PrintRequestedStatistics();
        return status;
    }
    std::fprintf(stderr, "telvorctl: unknown verb '%s' (telvorctl --help lists the verbs)\n", name.c_str());
    return kExitUsage;
}

}  // namespace
}  // namespace telvor

// Nothing of ours throws; whatever the libraries throw still ends the verb with a
// message rather than an abort.
int main(int argc, char** argv) {
    try {
        return telvor::Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "telvorctl: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "telvorctl: unexpected failure\n");
    }
    return telvor::kExitFailed;
}
