#pragma once
// Programs that a test starts while a LineFormatShim lives run with the line-format
// preload (line_format_preload.cpp): a pty keeps the data bits, parity and stop bits
// they set on it, so that the simulator sees the format a client chose (the kernel keeps
// a pty at 8 data bits without parity). The test process itself is not changed.

#include <map>
#include <optional>
#include <string>

#include "child_process.h"

namespace telvor::testing {

class LineFormatShim {
public:
    LineFormatShim();
    ~LineFormatShim();
    LineFormatShim(const LineFormatShim&) = delete;
    LineFormatShim& operator=(const LineFormatShim&) = delete;

    // The variables that put the preload into a program (for runners that take an environment).
    const std::map<std::string, std::string>& Environment() const { return environment_; }

private:
    TempDir records_;
    std::map<std::string, std::string> environment_;
    std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace telvor::testing
