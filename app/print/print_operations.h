#pragma once
// What one printed page is made of: texts and ruled lines in logical units of
// 0.01 inch, x growing to the right from the left of the printable area and y
// growing upwards from its top (so everything on the page has y <= 0). A
// painter replays them on paper, in a preview or into a PDF.

#include <string>
#include <variant>
#include <vector>

namespace telvor {

enum class PrintFont {
    Heading,         // "Arial" 16, bold: the page heading and "Page:" without the title block
    Description,     // "Arial" 12: the description column of the table rows
    Body,            // "Courier New" 14: the title block, the table header and every other cell
    CompareHeading,  // "Courier New" 16, bold: the comparison heading
};

struct PrintFontLook {
    const char* face;
    int height;  // character height in 0.01 inch
    int weight;  // 400 normal, 700 bold
};
PrintFontLook FontLookOf(PrintFont font);

struct PrintColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const PrintColour&) const = default;
};
inline constexpr PrintColour kPrintBlack{0, 0, 0};
inline constexpr PrintColour kPrintRed{255, 0, 0};
inline constexpr PrintColour kPrintBlue{0, 0, 255};

enum class TextAlign { Left, Right };

// A single line of text whose cell has its top edge at y. Left-aligned text starts
// at x, right-aligned text ends at x. With a width above 0 nothing of the text
// is drawn beyond x + width: the field it stands in ends there.
struct TextOperation {
    int x = 0;
    int y = 0;
    std::string text;  // UTF-8
    PrintFont font = PrintFont::Body;
    PrintColour colour = kPrintBlack;
    TextAlign align = TextAlign::Left;
    int width = 0;
    bool operator==(const TextOperation&) const = default;
};

// A solid black line: thick is 2 units wide, thin 1.
struct LineOperation {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool thick = false;
    bool operator==(const LineOperation&) const = default;
};

using PrintOperation = std::variant<TextOperation, LineOperation>;
using PageOperations = std::vector<PrintOperation>;

}  // namespace telvor
