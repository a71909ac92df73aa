#pragma once
// Runs the built telvorctl as a technician would, capturing what it prints.

#include <map>
#include <string>
#include <vector>

namespace telvor::test {

struct RunResult {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Extra environment variables are added to (or replace) the test's own. With
// `stderrPath` (a terminal, say) stderr goes there and `err` stays empty.
RunResult RunTelvorctl(const std::vector<std::string>& arguments,
                       const std::map<std::string, std::string>& environment = {},
                       const std::string& stderrPath = "");

}  // namespace telvor::test
