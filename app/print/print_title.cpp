#include "print_title.h"

namespace telvor {

PrintTitleData PrintTitleDataOf(const CSolvaneDoc& doc, const ProgramSettings& settings) {
    return {doc.titleBlock, PrintChoiceOf(settings)};
}

void ApplyPrintTitle(const PrintTitleData& data, CSolvaneDoc& doc, ProgramSettings& settings) {
    StorePrintChoice(data.choice, settings);
    if (data.texts == doc.titleBlock) return;
    doc.titleBlock = data.texts;
    doc.modified = true;
}

}  // namespace telvor
