#pragma once
// telvorctl monitor and control: the monitor windows on the command line.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> MonitorVerbs();

}  // namespace telvor
