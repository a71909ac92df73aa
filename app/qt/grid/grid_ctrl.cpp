#include "grid_ctrl.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

namespace telvor {
namespace {

constexpr int kLeastCaptionLetters = 4;

}  // namespace

CGridCtrl::CGridCtrl(QWidget* parent) : QTableView(parent) {
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
}

void CGridCtrl::keyboardSearch(const QString&) {}

void CGridCtrl::FitColumns(int elastic) {
    const int columns = model() ? model()->columnCount() : 0;
    if (elastic < 0 || elastic >= columns) return;
    resizeColumnsToContents();
    resizeRowsToContents();
    int fixed = 0;
    for (int c = 0; c < columns; ++c) {
        if (c == elastic) continue;
        setColumnWidth(c, std::max(MinimumWidth(c), columnWidth(c)));
        fixed += columnWidth(c);
    }
    // The width without the vertical scroll bar whenever the rows need it, even
    // before it shows, so that no horizontal scroll bar follows from it.
    const QSize room = maximumViewportSize();
    int width = room.width();
    if (verticalHeader()->length() > room.height()) width -= verticalScrollBar()->sizeHint().width();
    // On a narrow screen the elastic column yields first, down to the first
    // characters of its caption (and its own minimum), so that the other columns keep
    // their whole texts.
    const QString caption = model()->headerData(elastic, Qt::Horizontal).toString();
    const int captionLeast =
        horizontalHeader()->fontMetrics().horizontalAdvance(caption.left(kLeastCaptionLetters) + "...") +
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
    const int least = std::max(MinimumWidth(elastic), captionLeast);
    setColumnWidth(elastic, std::max(least, width - fixed));
}

int CGridCtrl::MinimumWidth(int column) const {
    return column < static_cast<int>(minimumWidths_.size()) ? minimumWidths_[static_cast<std::size_t>(column)] : 0;
}

void CGridCtrl::focusInEvent(QFocusEvent* event) {
    // Qt makes the first cell current when a view without one takes the focus.
    const bool hadFocusCell = currentIndex().isValid();
    QTableView::focusInEvent(event);
    if (!hadFocusCell && selectionModel() && currentIndex().isValid()) selectionModel()->clearCurrentIndex();
}

bool CGridCtrl::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QRect cell = visualRect(index);
    // Cut when the cell is narrower than the delegate wants for the whole text.
    if (index.isValid() && sizeHintForIndex(index).width() > cell.width())
        QToolTip::showText(help->globalPos(), index.data().toString(), viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}

}  // namespace telvor
