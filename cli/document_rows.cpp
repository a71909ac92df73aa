#include "document_rows.h"

#include <vector>

#include "parameter_catalogue.h"
#include "setting_edit.h"
#include "value_format.h"

namespace telvor {

std::string ShownRowsText(const CSolvaneDoc& doc, RowFilter filter) {
    std::string out;
    for (int code : ShownCodeIndexes(doc, filter)) {
        const int slot = SlotOfCodeIndex(code);
        std::vector<std::string> cells = {CodeText(code), DescriptionText(code)};
        if (IsComparison(doc)) {
            for (int set = 0; set < kCompareSetCount; ++set)
                if (doc.presentFlags[set]) cells.push_back(FormatRawValue(ValueFormatOf(code), doc.sets[set][slot]));
        } else {
            cells.insert(cells.end(), {RangeText(code), DefaultText(code, doc.modelIndex), SettingCellText(doc, code)});
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            out += cells[i];
            out += i + 1 < cells.size() ? '\t' : '\n';
        }
    }
    return out;
}

}  // namespace telvor
