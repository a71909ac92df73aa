#pragma once
// The comparison that is waiting to become a document. Its first value column
// doubles as the read buffer that ReadAllParameters fills.

#include <array>
#include <string>

#include "parameter_keys.h"

namespace telvor {

struct PendingCompare {
    int mode = 0;  // CompareMode; 0 is CompareNone
    std::array<bool, 3> present{};
    std::array<std::string, 3> names;
    std::array<ParameterSet, 3> sets{};

    // Mode CompareNone, presence flags and names cleared; the sets (the read
    // buffer among them) keep their values.
    void Clear();
};

}  // namespace telvor
