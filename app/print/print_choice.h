#pragma once
// What the user chose to print: the title block, the groups of a parameter list
// and whether it lists only the changed parameters. The first two are kept in the
// settings file between runs.

#include "parameter_groups.h"
#include "program_settings.h"

namespace telvor {

struct PrintChoice {
    bool title = true;
    ParameterGroups groups;
    // A parameter list prints only the parameters that count as changed; the
    // heading says so. Not kept in the settings file.
    bool changedOnly = false;
};

inline constexpr const char* kNoPrintGroupMessage = "No select to print parameters. (Axx or bxx)";
inline constexpr const char* kNoPrintGroupCaption = "No select parameter";

// The choice of the settings file; changedOnly as given.
PrintChoice PrintChoiceOf(const ProgramSettings& settings, bool changedOnly = false);
void StorePrintChoice(const PrintChoice& choice, ProgramSettings& settings);
// At least one group must be printed.
bool HasPrintGroup(const PrintChoice& choice);

}  // namespace telvor
