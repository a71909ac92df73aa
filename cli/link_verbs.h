#pragma once
// Verbs that work on the line: scan, read, write and put. Each first runs the
// Link command's flow, then its own.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> LineVerbs();

}  // namespace telvor
