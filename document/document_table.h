#pragma once
// What the parameter grid of a document shows, without the grid: its columns
// with their captions, the parameters of its rows in slot order, and the text
// of each cell. The view, the CSV export and telvorctl all take it from here.

#include <string>
#include <vector>

#include "solvane_doc.h"

namespace telvor {

enum class TableCell { Description, Code, Range, DefaultText, Setting, DefaultValue, Set1, Set2, Set3 };

struct TableColumn {
    std::string caption;
    TableCell cell;
};

// A parameter document: Description, Code, Range, Default, Setting. A comparison:
// Description, Code, then the mode's value columns under "Default" or the set names
// ("------" for a set that takes no part).
std::vector<TableColumn> DocumentColumns(const CSolvaneDoc& doc);

// Every row, or only the parameters that count as changed (CountsAsChanged) of a
// parameter document; a comparison's rows are never filtered.
enum class RowFilter { All, ChangedOnly };

// The code index of each row: every parameter of a parameter document, only the
// flagged rows of a comparison.
std::vector<int> ShownCodeIndexes(const CSolvaneDoc& doc, RowFilter filter = RowFilter::All);

// A value cell of a set that takes no part is empty. A Default value cell shows
// the Default column's text for a parameter without a factory default ("x.x").
std::string TableCellText(const CSolvaneDoc& doc, int codeIndex, TableCell cell);

}  // namespace telvor
