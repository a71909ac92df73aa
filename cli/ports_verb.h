#pragma once
// telvorctl ports: the program folder's ports and where each leads.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> PortsVerbs();

}  // namespace telvor
