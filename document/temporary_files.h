#pragma once
// The named temporary files that a save may leave beside its target when it is
// killed: ".NAME.tmp-PID-N" for the file NAME, written by process PID.

#include <sys/types.h>

#include <string>

namespace telvor {

std::string TemporaryName(const std::string& target, pid_t pid, unsigned number);

// Removes, from the open folder, the temporaries of `target` whose process no longer
// runs. Those of running processes (this one, or another save of the same file) stay.
void RemoveStaleTemporaries(int folder, const std::string& target);

}  // namespace telvor
