#include "grid_ctrl.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

namespace telvor {

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
    for (int c = 0; c < columns; ++c)
        if (c != elastic) fixed += columnWidth(c);
    // The width without the vertical scroll bar whenever the rows need it, even
    // before it shows, so that no horizontal scroll bar follows from it.
    const QSize room = maximumViewportSize();
    int width = room.width();
    if (verticalHeader()->length() > room.height()) width -= verticalScrollBar()->sizeHint().width();
    const int least = horizontalHeader()->sectionSizeHint(elastic);
    setColumnWidth(elastic, std::max(least, width - fixed));
}

}  // namespace telvor
