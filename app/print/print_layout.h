#pragma once
// The pages of a printed parameter list or comparison: which rows are printed,
// how many fit on a page, and the drawing operations of each page. Computed
// once when printing begins, from the document, the print choice and the page.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "print_choice.h"
#include "print_operations.h"
#include "solvane_doc.h"

namespace telvor {

enum class PageOrientation { Portrait, Landscape };

// The printable area of the page in 0.01 inch.
struct PageArea {
    int width = 0;
    int height = 0;
};

// One column of the printed table: its header text, where its texts start, and their colour.
struct PrintColumn {
    std::string header;
    int x = 0;
    PrintColour colour = kPrintBlack;
};

struct PrintLayout {
    std::int32_t compareMode = CompareNone;
    bool title = false;
    bool changedOnly = false;  // a parameter list of the changed parameters only
    std::array<std::string, kTitleBlockCount> titleBlock;
    PageArea area;
    std::vector<PrintColumn> columns;
    std::vector<std::vector<std::string>> rows;  // the cell texts of every printed row, one per column
    int rowsPerPage = 0;
    int pageCount = 1;
};

// Rows per page as the page holds them: 50 portrait, 33 landscape, 44 and 27
// with the title block, fewer only when the printable area is too short for them.
PrintLayout MakePrintLayout(const CSolvaneDoc& doc, const PrintChoice& choice, PageOrientation orientation,
                            PageArea area);

// The operations of page 1..pageCount.
PageOperations DrawPrintPage(const PrintLayout& layout, int page);

}  // namespace telvor
