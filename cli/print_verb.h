#pragma once
// telvorctl print: the printed pages of a parameter or compare file as a PDF.
// The pages are drawn with Qt by the page renderer, telvorctl-print, which
// telvorctl starts with the verb's words: no other verb loads Qt.

#include <span>

#include "verb.h"

namespace telvor {

inline constexpr const char* kPrintArguments =
    "FILE -o OUT.pdf [--title | --no-title] [--basic] [--advanced] [--landscape] [--force]";
inline constexpr const char* kPrintSummary =
    "write the printed pages of FILE as a PDF; without --title or --no-title, --basic or --advanced the "
    "settings file's print choice holds; --force replaces OUT";

std::span<const Verb> PrintVerbs();

}  // namespace telvor
