#pragma once
// The document's station titles as the Station Title command changes them.

#include <array>
#include <string>

#include "solvane_doc.h"

namespace telvor {

using StationTitles = std::array<std::string, kStationTitleCount>;

inline constexpr int kStationTitleLimit = 64;  // characters of one title
inline constexpr int kTitleRows = 10;
inline constexpr int kLastFirstTitleRow = kStationTitleCount - kTitleRows;  // 244

// Puts the titles into the document; it is marked modified when any title differs.
// True when something changed.
bool ApplyStationTitles(CSolvaneDoc& document, const StationTitles& titles);

}  // namespace telvor
