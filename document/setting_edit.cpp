#include "setting_edit.h"

#include "value_format.h"

namespace telvor {

bool CanEditSetting(int codeIndex, bool onlineEditLinked) {
    if (!FindParameter(codeIndex) || IsProtected(codeIndex)) return false;
    return codeIndex != kCodeB95 || onlineEditLinked;
}

std::string SettingCellText(const CSolvaneDoc& doc, int codeIndex) {
    const int slot = SlotOfCodeIndex(codeIndex);
    if (slot == kNoParameter) return {};
    if (!doc.linked && (codeIndex == kCodeB96 || codeIndex == kCodeB97)) return {};
    return FormatRawValue(ValueFormatOf(codeIndex), doc.sets[0][slot]);
}

SettingEditResult EditSetting(CSolvaneDoc& doc, int codeIndex, std::string_view text, bool onlineEditLinked) {
    if (!CanEditSetting(codeIndex, onlineEditLinked)) return {SettingEditOutcome::NotEditable, {}};
    const int format = ValueFormatOf(codeIndex);
    const ParameterLimits limits = DocumentLimits(codeIndex);
    const std::optional<std::int32_t> parsed = ParseStrictValueText(format, limits.editorWidth, text);
    if (!parsed) return {SettingEditOutcome::Rejected, RangeMessage(codeIndex)};
    const std::int32_t raw = *parsed;
    if (!CheckRange(codeIndex, raw)) return {SettingEditOutcome::OutOfRange, RangeMessage(codeIndex)};
    if (text == SettingCellText(doc, codeIndex)) return {SettingEditOutcome::Unchanged, {}};
    doc.sets[0][SlotOfCodeIndex(codeIndex)] = raw;
    doc.modified = true;
    return {SettingEditOutcome::Stored, {}};
}

}  // namespace telvor
