#pragma once
// Verbs that survey the line rather than link to one station: the line overview of
// scan --all, and detect, which finds the line format.

#include <span>

#include "link_command_line.h"
#include "verb.h"

namespace telvor {

// scan --all: a header and one tab-separated line for every station that answers.
int RunLineOverview(const LinkCommandLine& line);

std::span<const Verb> LineSurveyVerbs();

}  // namespace telvor
