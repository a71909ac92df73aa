#pragma once
// The comparison that is waiting to become a document. Its first value column
// doubles as the read buffer that ReadAllParameters fills.

#include <array>
#include <cstdint>
#include <string>

#include "parameter_keys.h"
#include "solvane_doc.h"

namespace telvor {

struct PendingCompare {
    std::int32_t mode = CompareNone;  // CompareMode
    std::array<bool, kCompareSetCount> present{};
    std::array<std::string, kCompareSetCount> names;
    std::array<ParameterSet, kCompareSetCount> sets{};
    // Row flags worked out before the document is made; File with File only.
    std::array<std::uint8_t, kSetSize> differs{};

    // Mode CompareNone, presence flags, names and differs cleared; the sets (the
    // read buffer among them) keep their values.
    void Clear();
};

}  // namespace telvor
