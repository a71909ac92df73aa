#pragma once
// The rows of a document as telvorctl prints them: one line per row the grid
// shows, cells separated by tabs. A parameter document gives code, description,
// range, default and setting; a comparison code, description and the value of
// each set that takes part.

#include <string>

#include "document_table.h"
#include "solvane_doc.h"

namespace telvor {

std::string ShownRowsText(const CSolvaneDoc& doc, RowFilter filter = RowFilter::All);

}  // namespace telvor
