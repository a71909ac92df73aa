#include "definite_verb.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "add_remove_state.h"
#include "definite_rules.h"
#include "parameter_keys.h"
#include "program_folder.h"

namespace telvor {
namespace {

int RunDefinite(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"definite", "[--clear] [--remove CODE...] [--add CODE...]",
     "print the definite parameters of the settings file; --clear, --remove and --add change the list (in this "
     "order; an added code goes to the end) and save it",
     RunDefinite},
};

struct DefiniteChanges {
    bool clear = false;
    std::vector<int> remove;
    std::vector<int> add;
};

// False after a message for a code that names no parameter or cannot be chosen.
bool ParseChanges(std::span<const std::string> arguments, DefiniteChanges& changes, bool& usage) {
    std::vector<int>* list = nullptr;
    for (const std::string& word : arguments) {
        if (word == "--clear") {
            changes.clear = true;
            list = nullptr;
        } else if (word == "--add" || word == "--remove") {
            list = word == "--add" ? &changes.add : &changes.remove;
        } else if (!list) {
            usage = true;
            return false;
        } else {
            const int code = CodeIndexOfText(word);
            if (code == kNoParameter || !IsChoosable(code)) {
                std::fprintf(stderr, "telvorctl: %s cannot be a definite parameter\n", word.c_str());
                return false;
            }
            list->push_back(code);
        }
    }
    return true;
}

int IndexOf(const std::vector<int>& codes, int code) {
    const auto found = std::find(codes.begin(), codes.end(), code);
    return found == codes.end() ? -1 : static_cast<int>(found - codes.begin());
}

// Runs the changes as the dialog's buttons would; false after a message.
bool Apply(AddRemoveState& state, const DefiniteChanges& changes) {
    if (changes.clear) state.RemoveAll();
    for (int code : changes.remove) {
        const int index = IndexOf(state.Definite(), code);
        if (index < 0) {
            std::fprintf(stderr, "telvorctl: %s is not in the definite list\n", CodeText(code).c_str());
            return false;
        }
        state.SelectInDefinite(index);
        state.Remove();
    }
    for (int code : changes.add) {
        const int index = IndexOf(state.AllParameters(), code);
        if (index < 0) {
            std::fprintf(stderr, "telvorctl: %s is in the definite list already\n", CodeText(code).c_str());
            return false;
        }
        state.SelectInDefinite(-1);
        state.SelectInAll(index);
        state.Add();
    }
    return true;
}

int RunDefinite(std::span<const std::string> arguments) {
    DefiniteChanges changes;
    bool usage = false;
    if (!ParseChanges(arguments, changes, usage)) return usage ? UsageError(kVerbs[0]) : kExitUsage;
    const ProgramFolderResult folder = FindProgramFolder();
    if (!folder.ok) {
        ShowMessage(folder.message);
        return kExitFailed;
    }
    std::vector<int> definite;
    bool applied = false;
    const SettingsWriteResult written =
        EditSettingsFile(SettingsFilePath(folder.folder), [&](ProgramSettings& settings) {
            AddRemoveState state(settings.definite);
            applied = Apply(state, changes);
            definite = state.Definite();
            if (applied) settings.definite = state.Result();
            return applied && !arguments.empty();
        });
    if (!applied) return kExitFailed;
    if (!written.ok) {
        ShowMessage(written.message);
        return kExitFailed;
    }
    std::string out;
    for (int code : definite) out += DefiniteEntryText(code) + "\n";
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

}  // namespace

std::span<const Verb> DefiniteVerbs() { return kVerbs; }

}  // namespace telvor
