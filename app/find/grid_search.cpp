#include "grid_search.h"

#include <algorithm>
#include <cctype>

#include "parameter_keys.h"

namespace telvor {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

GridMatch FindDescription(const GridSearch& grid, const RowText& description, const std::string& text, bool down) {
    const int last = grid.rowCount - 1;
    const bool hasFocus = grid.focusRow >= 0;
    const int start = hasFocus ? grid.focusRow + (down ? 1 : -1) : (down ? 1 : last);
    const std::string wanted = Upper(text);
    for (int row = start; row >= 1 && row <= last; row += down ? 1 : -1) {
        if (Upper(description(row)).find(wanted) == std::string::npos) continue;
        // One line per row examined before the match; one fewer after a scroll to the end.
        const int examined = down ? row - start : start - row;
        return {row, hasFocus ? examined : std::max(0, examined - 1)};
    }
    return {};
}

GridMatch GoToCode(const GridSearch& grid, const RowText& code, const std::string& codeText) {
    for (int row = 1; row < grid.rowCount; ++row)
        if (code(row).find(codeText) != std::string::npos) return {row, row - 1};
    return {};
}

std::string GoToCodeText(int codeType, int codeNumber) {
    return CodeText(codeType == 0 ? codeNumber : 100 + codeNumber);
}

int CodeListSize(int codeType) { return codeType == 0 ? kBasicCount : kAdvancedCount; }

int CodeListEntryStartingWith(int codeType, const std::string& typed) {
    if (typed.empty()) return -1;
    for (int number = 0; number < CodeListSize(codeType); ++number)
        if (std::to_string(number).starts_with(typed)) return number;
    return -1;
}

std::string FindNotFoundText(const std::string& text) { return "Search text\n '" + text + "' not found!"; }

std::string GoToNotFoundText(const std::string& codeText) { return "Go to the code\n'" + codeText + "' not found!"; }

}  // namespace telvor
