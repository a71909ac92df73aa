#pragma once
// A document as a CSV table (RFC 4180, UTF-8, CR LF line ends): a header line of
// the captions, then one line per row the grid shows, in slot order. The columns
// start with Code and Description, then the grid's other columns in its order.

#include <string>

#include "atomic_file.h"
#include "document_table.h"
#include "solvane_doc.h"

namespace telvor {

std::string DocumentCsv(const CSolvaneDoc& doc, RowFilter filter = RowFilter::All);

// Written as every file of ours is (see WriteFileAtomically); on failure the
// message names the file and the system's reason.
struct CsvWriteResult {
    bool ok = false;
    bool fileExists = false;  // a create-only write found a file at the path
    std::string message;
};
CsvWriteResult WriteDocumentCsv(const CSolvaneDoc& doc, const std::string& path, WriteMode mode = WriteMode::Replace);

}  // namespace telvor
