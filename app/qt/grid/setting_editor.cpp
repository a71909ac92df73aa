#include "setting_editor.h"

#include "value_format.h"

namespace telvor {

SettingEditor::SettingEditor(int valueFormat, int editorWidth, QWidget* parent)
    : QLineEdit(parent), valueFormat_(valueFormat), editorWidth_(editorWidth) {
    setObjectName("settingEditor");
    setMaxLength(editorWidth);
    setFrame(false);
    connect(this, &QLineEdit::textEdited, this, &SettingEditor::CheckEdit);
}

void SettingEditor::Start(const QString& text) {
    accepted_ = text;
    setText(text);
    selectAll();
}

void SettingEditor::CheckEdit(const QString& text) {
    if (AcceptsEditText(valueFormat_, editorWidth_, text.toStdString())) {
        accepted_ = text;
        return;
    }
    setText(accepted_);
    setCursorPosition(static_cast<int>(accepted_.size()));
}

}  // namespace telvor
