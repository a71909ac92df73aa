#include "description_line.h"

#include <QItemSelectionModel>
#include <QVBoxLayout>

#include "parameter_table_model.h"
#include "solvane_view.h"

namespace telvor {

DescriptionLine::DescriptionLine(CSolvaneView& view, QWidget* parent) : QLabel(parent), view_(view) {
    setObjectName("descriptionLine");
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::StyledPanel);
    setContentsMargins(4, 2, 4, 2);
    // Two lines are always kept, so that the grid does not jump as descriptions change.
    setMinimumHeight(2 * fontMetrics().lineSpacing() + 8);
    connect(view_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { ShowRow(current.row()); });
    connect(view_.Model(), &QAbstractItemModel::modelReset, this, [this] { ShowRow(view_.currentIndex().row()); });
}

void DescriptionLine::ShowRow(int row) {
    const ParameterTableModel& model = *view_.Model();
    if (row < 0 || row >= model.rowCount()) {
        clear();
        return;
    }
    setText(model.index(row, kCodeColumn).data().toString() + "  " +
            model.index(row, kDescriptionColumn).data().toString());
}

QWidget* WithDescriptionLine(CSolvaneView& view) {
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(&view, 1);
    layout->addWidget(new DescriptionLine(view));
    return pane;
}

}  // namespace telvor
