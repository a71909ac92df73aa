#pragma once
// The in-place editor of a Setting cell: holds at most the parameter's editor
// width and undoes every keystroke after which the text breaks its format's rule.

#include <QLineEdit>

namespace telvor {

class SettingEditor : public QLineEdit {
    Q_OBJECT
public:
    SettingEditor(int valueFormat, int editorWidth, QWidget* parent = nullptr);

    // The text the cell had, before any keystroke.
    void Start(const QString& text);

private:
    void CheckEdit(const QString& text);

    int valueFormat_;
    int editorWidth_;
    QString accepted_;
};

}  // namespace telvor
