#pragma once
// The Print Title dialog's data: the document's eight title-block texts and the
// three print settings, and what OK does with them.

#include <array>
#include <string>

#include "print_choice.h"
#include "solvane_doc.h"

namespace telvor {

// The longest text each title-block field takes, in field order.
inline constexpr std::array<int, kTitleBlockCount> kTitleFieldLimits = {50, 50, 50, 10, 10, 80, 80, 80};

struct PrintTitleData {
    std::array<std::string, kTitleBlockCount> texts;
    PrintChoice choice;
};

PrintTitleData PrintTitleDataOf(const CSolvaneDoc& doc, const ProgramSettings& settings);

// OK: the settings take the choice and the document the texts; the document is
// marked modified only when a text changed.
void ApplyPrintTitle(const PrintTitleData& data, CSolvaneDoc& doc, ProgramSettings& settings);

}  // namespace telvor
