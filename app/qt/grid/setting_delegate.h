#pragma once
// Opens a SettingEditor over a Setting cell and hands the finished text to the
// view. Enter and Tab end the edit and keep the text; Escape drops it.

#include <QStyledItemDelegate>

namespace telvor {

class SettingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // Does not touch the model: the view checks and stores the text after the editor has closed.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    void editEnded(int row, const QString& text) const;
};

}  // namespace telvor
