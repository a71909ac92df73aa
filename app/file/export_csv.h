#pragma once
// File > Export CSV: the open document's grid as a CSV file that the user names.

namespace telvor {

struct CSolvaneDoc;
class UserInterface;

// Asks for the file (initially the document's title with .csv) and writes it;
// a file that cannot be written is reported. False when nothing was written.
bool ExportCsv(const CSolvaneDoc& doc, UserInterface& ui);

}  // namespace telvor
