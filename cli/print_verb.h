#pragma once
// telvorctl print: the printed pages of a parameter or compare file as a PDF.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> PrintVerbs();

}  // namespace telvor
