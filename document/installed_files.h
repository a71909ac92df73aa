#pragma once
// What is installed with the programs lies beside them: relative to the folder of
// the running program (bin), share/doc/telvor holds the manual. The program folder
// keeps the settings file and the port links.

#include <string>

namespace telvor {

// The folder of the running program; empty when it cannot be found out.
std::string ExecutableFolder();

// The manual Help > Contents opens: the one installed with the program in
// `executableFolder` (share/doc/telvor beside its bin), else the one in the
// program folder.
std::string HelpFileToOpen(const std::string& programFolder, const std::string& executableFolder);

}  // namespace telvor
