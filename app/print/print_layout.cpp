#include "print_layout.h"

#include <algorithm>

#include "changed_parameters.h"
#include "page_geometry.h"
#include "parameter_catalogue.h"
#include "print_text.h"
#include "setting_edit.h"
#include "value_format.h"

namespace telvor {
namespace {

constexpr int kPortraitRows = 50;
constexpr int kLandscapeRows = 33;
constexpr int kTitleBlockRows = 6;  // the title block takes the room of six table rows
constexpr int kFileFileNameLength = 21;
constexpr int kFilesDefaultNameLength = 8;

enum class Cell { Description, Code, Range, DefaultText, Setting, DefaultValue, Set1, Set2, Set3 };

struct Column {
    PrintColumn print;
    Cell cell;
};

std::string SetName(const CSolvaneDoc& doc, int set, std::size_t length) {
    return doc.presentFlags[set] ? FirstCharacters(doc.setNames[set], length) : std::string("------");
}

std::vector<Column> ColumnsOf(const CSolvaneDoc& doc) {
    const Column description{{"Description", kDescriptionX, kPrintBlack}, Cell::Description};
    const Column code{{"Code", kCodeX, kPrintBlack}, Cell::Code};
    const auto column = [](std::string header, int x, Cell cell) {
        const PrintColour colour =
            cell == Cell::DefaultText || cell == Cell::DefaultValue ? kPrintRed
            : cell == Cell::Setting                                 ? kPrintBlue
                                                                    : kPrintBlack;
        return Column{{std::move(header), x, colour}, cell};
    };
    switch (doc.compareMode) {
        case CompareInverterDefault:
            return {description, code, column("Default", 420, Cell::DefaultValue),
                    column(SetName(doc, 0, std::string::npos), 600, Cell::Set1)};
        case CompareFileFile:
            return {description, code, column(SetName(doc, 0, kFileFileNameLength), 420, Cell::Set1),
                    column(SetName(doc, 1, kFileFileNameLength), 600, Cell::Set2)};
        case CompareFilesDefault:
            return {description, code, column("Default", 420, Cell::DefaultValue),
                    column(SetName(doc, 0, kFilesDefaultNameLength), 540, Cell::Set1),
                    column(SetName(doc, 1, kFilesDefaultNameLength), 620, Cell::Set2),
                    column(SetName(doc, 2, kFilesDefaultNameLength), 700, Cell::Set3)};
        default:
            return {description, code, column("Range", 420, Cell::Range), column("Default", 540, Cell::DefaultText),
                    column("Setting", 660, Cell::Setting)};
    }
}

std::string CellText(const CSolvaneDoc& doc, int codeIndex, Cell cell) {
    const int slot = SlotOfCodeIndex(codeIndex);
    const int format = ValueFormatOf(codeIndex);
    const auto value = [&](int set) {
        return doc.presentFlags[set] ? FormatRawValue(format, doc.sets[set][slot]) : std::string();
    };
    switch (cell) {
        case Cell::Description: return CutDescription(DescriptionText(codeIndex));
        case Cell::Code: return CodeText(codeIndex);
        case Cell::Range: return RangeText(codeIndex);
        case Cell::DefaultText: return DefaultText(codeIndex, doc.modelIndex);
        case Cell::Setting: return SettingCellText(doc, codeIndex);
        case Cell::DefaultValue: return DefaultValueText(codeIndex, doc.modelIndex, Is50Hz(doc));
        case Cell::Set1: return value(0);
        case Cell::Set2: return value(1);
        case Cell::Set3: return value(2);
    }
    return {};
}

// A parameter list prints the chosen groups, or only their changed parameters; a
// comparison prints every row it shows.
bool IsPrinted(const CSolvaneDoc& doc, const PrintChoice& choice, int slot) {
    if (IsComparison(doc)) return doc.rowFlags[slot] == 1;
    if (choice.changedOnly && !CountsAsChanged(doc, CodeIndexOfSlot(slot))) return false;
    return slot < kBasicCount ? choice.groups.basic : choice.groups.advanced;
}

}  // namespace

PrintLayout MakePrintLayout(const CSolvaneDoc& doc, const PrintChoice& choice, PageOrientation orientation,
                            PageArea area) {
    PrintLayout layout;
    layout.compareMode = doc.compareMode;
    layout.title = choice.title;
    layout.changedOnly = choice.changedOnly && !IsComparison(doc);
    layout.titleBlock = doc.titleBlock;
    layout.area = area;
    const std::vector<Column> columns = ColumnsOf(doc);
    for (const Column& column : columns) layout.columns.push_back(column.print);
    if (HasPrintGroup(choice)) {
        for (int slot = 0; slot < kParameterCount; ++slot) {
            if (!IsPrinted(doc, choice, slot)) continue;
            std::vector<std::string>& row = layout.rows.emplace_back();
            for (const Column& column : columns) row.push_back(CellText(doc, CodeIndexOfSlot(slot), column.cell));
        }
    }
    const int rows = (orientation == PageOrientation::Portrait ? kPortraitRows : kLandscapeRows) -
                     (choice.title ? kTitleBlockRows : 0);
    const int fitting = (area.height - TableTop(choice.title, IsComparison(doc)) - kRowPitch - kThickLine / 2) / kRowPitch;
    layout.rowsPerPage = std::max(1, std::min(rows, fitting));
    const int count = static_cast<int>(layout.rows.size());
    layout.pageCount = std::max(1, (count + layout.rowsPerPage - 1) / layout.rowsPerPage);
    return layout;
}

}  // namespace telvor
