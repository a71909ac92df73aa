#pragma once
// Verbs that work on parameter files, compare files and the settings file.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> FileVerbs();

}  // namespace telvor
