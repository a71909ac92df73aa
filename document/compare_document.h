#pragma once
// The rows a comparison shows and the document made from a pending comparison.

#include <array>
#include <cstdint>

#include "pending_compare.h"

namespace telvor {

using RowFlags = std::array<std::uint8_t, kSetSize>;

// File with File: a slot differs when both files hold it and their values differ.
RowFlags FileWithFileDiffers(const RowFlags& present1, const ParameterSet& values1, const RowFlags& present2,
                             const ParameterSet& values2);

// The row flags of a comparison: mode 1 where set 1 differs from the defaults,
// mode 2 the pending differs, mode 3 where any present set differs from the defaults.
// A parameter without a factory default (b96, b97) is never flagged against the defaults.
RowFlags CompareRowFlags(const PendingCompare& pending, const ParameterSet& defaults);

// The New path for a pending comparison: an untitled, modified compare document
// of the model and frequency with the pending sets, names and presence flags.
CSolvaneDoc MakeCompareDocument(const PendingCompare& pending, int modelIndex, bool is50Hz, bool linked);

}  // namespace telvor
