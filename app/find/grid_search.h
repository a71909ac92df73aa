#pragma once
// Find and Go to over the rows of a parameter grid, without the grid: row 0 is
// the header row and is never matched, rows 1..last are the parameters.

#include <functional>
#include <string>

namespace telvor {

// The text of a cell of a grid row.
using RowText = std::function<std::string(int row)>;

struct GridSearch {
    int rowCount = 0;   // header row included
    int focusRow = -1;  // the focus cell's row; -1 without a focus cell
};

struct GridMatch {
    int row = 0;          // 0: not found
    int scrollLines = 0;  // lines to scroll in the search direction to bring the row into view
};

// Find: the next row, down or up from the focus row and without wrapping, whose
// description contains the text, case ignored. Without a focus cell the search
// starts at the first row (down) or the last row (up), after the grid was
// scrolled to its top or its bottom.
GridMatch FindDescription(const GridSearch& grid, const RowText& description, const std::string& text, bool down);

// Go to: the first row whose code contains codeText; scrolled from the top, the
// match row comes right under the header.
GridMatch GoToCode(const GridSearch& grid, const RowText& code, const std::string& codeText);

// "A05" for the basic group (codeType 0) and number 5, "b97" for the advanced group.
std::string GoToCodeText(int codeType, int codeNumber);

// The entries of the code list: 0..12 for the basic group, 0..97 for the advanced one.
int CodeListSize(int codeType);

// Index of the first entry of the code list that begins with typed; -1 for none.
int CodeListEntryStartingWith(int codeType, const std::string& typed);

std::string FindNotFoundText(const std::string& text);       // "Search text\n '%s' not found!"
std::string GoToNotFoundText(const std::string& codeText);  // "Go to the code\n'%s' not found!"

}  // namespace telvor
