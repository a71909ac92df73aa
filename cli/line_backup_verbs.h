#pragma once
// telvorctl backup and restore: every drive of a line into a folder of parameter
// files, one a station, and the files back into the drives.

#include <span>

#include "verb.h"

namespace telvor {

std::span<const Verb> LineBackupVerbs();

}  // namespace telvor
