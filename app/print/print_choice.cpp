#include "print_choice.h"

namespace telvor {

PrintChoice PrintChoiceOf(const ProgramSettings& settings, bool changedOnly) {
    return {settings.printTitle, {settings.printAxx, settings.printBxx}, changedOnly};
}

void StorePrintChoice(const PrintChoice& choice, ProgramSettings& settings) {
    settings.printTitle = choice.title;
    settings.printAxx = choice.groups.basic;
    settings.printBxx = choice.groups.advanced;
}

bool HasPrintGroup(const PrintChoice& choice) { return choice.groups.basic || choice.groups.advanced; }

}  // namespace telvor
