#include "setting_delegate.h"

#include "parameter_table_model.h"
#include "setting_editor.h"
#include "solvane_doc.h"
#include "value_format.h"

namespace telvor {

QWidget* SettingDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    const auto* model = qobject_cast<const ParameterTableModel*>(index.model());
    if (!model || !model->IsSettingCell(index)) return nullptr;
    const int codeIndex = model->CodeIndexOfRow(index.row());
    auto* editor = new SettingEditor(ValueFormatOf(codeIndex), DocumentLimits(codeIndex).editorWidth, parent);
    editor->setFont(ParameterTableModel::BodyFont());
    return editor;
}

void SettingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // Only when the edit opens: later refreshes of the model must not overwrite typing.
    auto* settingEditor = static_cast<SettingEditor*>(editor);
    if (!settingEditor->property("started").toBool()) {
        settingEditor->setProperty("started", true);
        settingEditor->Start(index.data(Qt::EditRole).toString());
    }
}

void SettingDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    emit editEnded(index.row(), static_cast<SettingEditor*>(editor)->text());
}

}  // namespace telvor
