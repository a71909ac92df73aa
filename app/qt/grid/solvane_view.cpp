#include "solvane_view.h"

#include <QHeaderView>
#include <QMetaObject>
#include <QResizeEvent>

#include "parameter_table_model.h"
#include "setting_delegate.h"
#include "setting_edit.h"
#include "value_format.h"

namespace telvor {

CSolvaneView::CSolvaneView(MessageSink& messages, std::function<ViewEditMode()> editMode, QWidget* parent)
    : CGridCtrl(parent),
      messages_(messages),
      editMode_(std::move(editMode)),
      model_(new ParameterTableModel(
          [this] {
              const ViewEditMode mode = editMode_();
              return mode.onlineEdit && mode.linked;
          },
          this)),
      delegate_(new SettingDelegate(this)) {
    setObjectName("parameterGrid");
    setModel(model_);
    setItemDelegate(delegate_);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFont(ParameterTableModel::BodyFont());
    verticalHeader()->hide();
    horizontalHeader()->setFont(ParameterTableModel::HeaderFont());
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStyleSheet(
        "QHeaderView::section { background-color: rgb(250, 251, 210); border: 1px solid #c0c0c0; }");
    setStyleSheet("QTableView { background-color: white; }");
    connect(delegate_, &SettingDelegate::editEnded, this, &CSolvaneView::EndSettingEdit, Qt::QueuedConnection);
}

void CSolvaneView::SetDocument(CSolvaneDoc* doc) {
    model_->SetDocument(doc);
    FitColumns(kDescriptionColumn);
}

CSolvaneDoc* CSolvaneView::Document() const { return model_->Document(); }

void CSolvaneView::Refresh() {
    model_->Refresh();
    viewport()->update();
}

void CSolvaneView::RefreshParameter(int codeIndex) { model_->RefreshRow(model_->RowOfCodeIndex(codeIndex)); }

void CSolvaneView::EndSettingEdit(int row, const QString& text) {
    CSolvaneDoc* doc = Document();
    const int codeIndex = model_->CodeIndexOfRow(row);
    if (!doc || codeIndex == kNoParameter) return;
    const ViewEditMode mode = editMode_();
    const int slot = SlotOfCodeIndex(codeIndex);
    const EditedSetting before{codeIndex, doc->sets[0][slot], doc->modified};

    const SettingEditResult result = EditSetting(*doc, codeIndex, text.toStdString(), mode.onlineEdit && mode.linked);
    model_->RefreshRow(row);
    if (!result.message.empty()) {
        messages_.ShowMessage(kRangeMessageCaption, result.message, MessageIcon::Information);
        return;
    }
    const bool edited = result.outcome == SettingEditOutcome::Stored || result.outcome == SettingEditOutcome::Unchanged;
    if (!mode.onlineEdit || IsComparison(*doc) || !edited) return;
    if (codeIndex == kCodeB95 && doc->sets[0][slot] == 0) return;
    if (commit_) QMetaObject::invokeMethod(this, [this, before] { commit_(before); }, Qt::QueuedConnection);
}

void CSolvaneView::resizeEvent(QResizeEvent* event) {
    CGridCtrl::resizeEvent(event);
    FitColumns(kDescriptionColumn);
}

}  // namespace telvor
