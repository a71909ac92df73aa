// Find and Go to of the parameter view: the view's one CFindGotoDialog and the
// search of the grid that its requests start. Grid row r is model row r - 1;
// grid row 0 is the header.

#include <QItemSelectionModel>
#include <QScrollBar>

#include "find_goto_dialog.h"
#include "grid_search.h"
#include "parameter_table_model.h"
#include "solvane_view.h"

namespace telvor {

void CSolvaneView::OnFind() { ShowFindGoto(CFindGotoDialog::FindTab); }
void CSolvaneView::OnGoto() { ShowFindGoto(CFindGotoDialog::GoToTab); }

void CSolvaneView::SetModalBusy(bool busy) {
    if (setBusy_) setBusy_(busy);
}

void CSolvaneView::ShowFindGoto(int tab) {
    SetModalBusy(true);
    if (!findGoto_) {
        findGoto_ = new CFindGotoDialog(this);
        connect(findGoto_, &CFindGotoDialog::requested, this, &CSolvaneView::OnFindRequest, Qt::QueuedConnection);
    }
    findGoto_->ShowTab(static_cast<CFindGotoDialog::Tab>(tab));
    SetModalBusy(false);
}

void CSolvaneView::OnFindRequest(int request) {
    CSolvaneDoc* doc = Document();
    if (!doc || !findGoto_) return;
    const QModelIndex focus = currentIndex();
    const auto cellOfRow = [this](int column) {
        return [this, column](int row) { return model_->index(row - 1, column).data().toString().toStdString(); };
    };
    const bool find = request == CFindGotoDialog::FindNextRequest;
    const std::string wanted = find ? findGoto_->SearchText().toStdString()
                                    : GoToCodeText(findGoto_->CodeType(), findGoto_->CodeNumber());
    const bool down = !find || findGoto_->Down();
    const auto search = [&] {
        const GridSearch grid{model_->rowCount() + 1, find && focus.isValid() ? focus.row() + 1 : -1};
        return find ? FindDescription(grid, cellOfRow(kDescriptionColumn), wanted, down)
                    : GoToCode(grid, cellOfRow(kCodeColumn), wanted);
    };
    GridMatch match = search();
    // A code that the Changed only view hides: Go to leaves the view for the full grid.
    if (match.row == 0 && !find && model_->Filter() == RowFilter::ChangedOnly) {
        SetChangedOnly(false);
        match = search();
    }
    if (match.row == 0) {
        SetModalBusy(true);
        messages_.ShowMessage(find ? "Find" : "Go to", find ? FindNotFoundText(wanted) : GoToNotFoundText(wanted),
                              MessageIcon::Information);
        SetModalBusy(false);
        return;
    }
    TakeKeyboardFocus();
    QScrollBar* scroll = verticalScrollBar();
    // Scrolled line by line from where the search started: the top or bottom without a focus cell.
    if (!find || !focus.isValid()) scroll->setValue(down ? scroll->minimum() : scroll->maximum());
    scroll->setValue(scroll->value() + (down ? match.scrollLines : -match.scrollLines));
    const int row = match.row - 1;
    const int last = model_->columnCount() - 1;
    const int focusColumn = IsComparison(*doc) ? kCodeColumn : last;
    selectionModel()->setCurrentIndex(model_->index(row, focusColumn), QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(model_->index(row, 0), model_->index(row, last)),
                             QItemSelectionModel::ClearAndSelect);
    viewport()->update();
}

}  // namespace telvor
