#include "document_table.h"

#include "changed_parameters.h"
#include "setting_edit.h"
#include "value_format.h"

namespace telvor {

std::vector<TableColumn> DocumentColumns(const CSolvaneDoc& doc) {
    const auto setName = [&doc](int set) { return doc.presentFlags[set] ? doc.setNames[set] : std::string("------"); };
    switch (doc.compareMode) {
        case CompareInverterDefault:
            return {{"Description", TableCell::Description}, {"Code", TableCell::Code},
                    {"Default", TableCell::DefaultValue}, {setName(0), TableCell::Set1}};
        case CompareFileFile:
            return {{"Description", TableCell::Description}, {"Code", TableCell::Code},
                    {setName(0), TableCell::Set1}, {setName(1), TableCell::Set2}};
        case CompareFilesDefault:
            return {{"Description", TableCell::Description}, {"Code", TableCell::Code},
                    {"Default", TableCell::DefaultValue}, {setName(0), TableCell::Set1},
                    {setName(1), TableCell::Set2}, {setName(2), TableCell::Set3}};
        default:
            return {{"Description", TableCell::Description}, {"Code", TableCell::Code}, {"Range", TableCell::Range},
                    {"Default", TableCell::DefaultText}, {"Setting", TableCell::Setting}};
    }
}

std::vector<int> ShownCodeIndexes(const CSolvaneDoc& doc, RowFilter filter) {
    if (filter == RowFilter::ChangedOnly && !IsComparison(doc)) return ChangedCodeIndexes(doc);
    std::vector<int> codes;
    for (int slot = 0; slot < kParameterCount; ++slot)
        if (!IsComparison(doc) || doc.rowFlags[slot] == 1) codes.push_back(CodeIndexOfSlot(slot));
    return codes;
}

std::string TableCellText(const CSolvaneDoc& doc, int codeIndex, TableCell cell) {
    const int slot = SlotOfCodeIndex(codeIndex);
    if (slot == kNoParameter) return {};
    const int format = ValueFormatOf(codeIndex);
    const auto value = [&](int set) {
        return doc.presentFlags[set] ? FormatRawValue(format, doc.sets[set][slot]) : std::string();
    };
    switch (cell) {
        case TableCell::Description: return DescriptionText(codeIndex);
        case TableCell::Code: return CodeText(codeIndex);
        case TableCell::Range: return RangeText(codeIndex);
        case TableCell::DefaultText: return DefaultText(codeIndex, doc.modelIndex);
        case TableCell::Setting: return SettingCellText(doc, codeIndex);
        case TableCell::DefaultValue: return DefaultValueText(codeIndex, doc.modelIndex, Is50Hz(doc));
        case TableCell::Set1: return value(0);
        case TableCell::Set2: return value(1);
        case TableCell::Set3: return value(2);
    }
    return {};
}

}  // namespace telvor
