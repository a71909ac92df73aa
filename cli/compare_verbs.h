#pragma once
// telvorctl compare drive|files|defaults: the three compare commands, writing
// the compare file and printing its rows.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> CompareVerbs();

}  // namespace telvor
