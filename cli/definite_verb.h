#pragma once
// telvorctl definite: prints and edits the definite list of the settings file
// by the Add/Remove dialog's rules.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> DefiniteVerbs();

}  // namespace telvor
