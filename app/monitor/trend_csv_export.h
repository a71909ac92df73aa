#pragma once
// The whole trend record as a CSV file in the columns of "Log to CSV..." of the
// single-station window: a header, then one line per poll.

#include <string>

#include "atomic_file.h"

namespace telvor {

class TrendRecord;

// The file is written whole or not at all.
AtomicWriteResult ExportTrendCsv(const TrendRecord& record, const std::string& path);

}  // namespace telvor
