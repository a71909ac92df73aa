#pragma once
// telvorctl echo: the diagnostic echo to one station.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> LinkVerbs();

}  // namespace telvor
