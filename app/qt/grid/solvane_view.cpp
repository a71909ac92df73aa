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
    model_->SetRowFilter(changedOnly_ && OffersChangedOnly() ? RowFilter::ChangedOnly : RowFilter::All);
    FitColumns(kDescriptionColumn);
    scrollToTop();
}

CSolvaneDoc* CSolvaneView::Document() const { return model_->Document(); }

void CSolvaneView::Refresh() {
    if (model_->Filter() == RowFilter::ChangedOnly) Refilter();
    else model_->Refresh();
    viewport()->update();
}

bool CSolvaneView::OffersChangedOnly() const { return Document() && !IsComparison(*Document()); }

void CSolvaneView::SetChangedOnly(bool on) {
    const bool switched = on != changedOnly_;
    changedOnly_ = on;
    if (OffersChangedOnly() && (model_->Filter() == RowFilter::ChangedOnly) != on) Refilter();
    if (switched) emit changedOnlySwitched(on);
}

void CSolvaneView::Refilter() {
    const QModelIndex focus = currentIndex();
    const int code = model_->CodeIndexOfRow(focus.row());
    model_->SetRowFilter(changedOnly_ && OffersChangedOnly() ? RowFilter::ChangedOnly : RowFilter::All);
    FitColumns(kDescriptionColumn);
    const int row = model_->RowOfCodeIndex(code);
    if (row < 0) {
        scrollToTop();
        return;
    }
    const QModelIndex cell = model_->index(row, focus.column());
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    scrollTo(cell);
}

void CSolvaneView::TakeKeyboardFocus() {
    window()->activateWindow();
    setFocus(Qt::OtherFocusReason);
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
    if (result.outcome == SettingEditOutcome::Stored) emit settingEdited();
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
