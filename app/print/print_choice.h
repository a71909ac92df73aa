#pragma once
// What the user chose to print: the title block and the groups of a parameter
// list. Kept in the settings file between runs.

#include "parameter_groups.h"
#include "program_settings.h"

namespace telvor {

struct PrintChoice {
    bool title = true;
    ParameterGroups groups;
};

inline constexpr const char* kNoPrintGroupMessage = "No select to print parameters. (Axx or bxx)";
inline constexpr const char* kNoPrintGroupCaption = "No select parameter";

PrintChoice PrintChoiceOf(const ProgramSettings& settings);
void StorePrintChoice(const PrintChoice& choice, ProgramSettings& settings);
// At least one group must be printed.
bool HasPrintGroup(const PrintChoice& choice);

}  // namespace telvor
