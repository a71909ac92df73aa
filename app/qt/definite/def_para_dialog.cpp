#include "def_para_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "add_remove_dialog.h"
#include "definite_rules.h"
#include "online_edit.h"
#include "parameter_table_model.h"
#include "qt_user_interface.h"
#include "solvane_app.h"
#include "solvane_view.h"
#include "station_range.h"

namespace telvor {

CDefParaDialog::CDefParaDialog(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent)
    : QDialog(parent),
      app_(app),
      ui_(ui),
      list_(app.Settings().definite),
      stationList_(new QComboBox),
      grid_(new CSolvaneView(ui, [&app] { return ViewEditMode{app.OnlineEdit(), app.Link().linked}; })),
      addRemove_(new QPushButton("&Add / Remove")) {
    setWindowTitle("Definite parameter");
    setObjectName("DefinitePara");
    stationList_->setObjectName("station");
    for (int s = kFirstStation; s <= kLastStation; ++s) stationList_->addItem(QString::number(s));
    stationList_->setCurrentIndex(0);
    stationList_->setEnabled(app.Link().linked);
    grid_->setObjectName("definiteGrid");
    grid_->setStyleSheet("QTableView { background-color: rgb(255, 255, 224); }");
    grid_->setMinimumSize(720, 300);
    grid_->SetMinimumColumnWidths({260, 40, 90, 70, 70});
    grid_->SetOnlineCommit([this](const CSolvaneView::EditedSetting& edited) {
        CSolvaneDoc* doc = app_.Document();
        if (!doc) return;
        const OnlineEdit edit{edited.codeIndex, doc->sets[0][SlotOfCodeIndex(edited.codeIndex)], edited.previousValue,
                              Station(), edited.documentWasModified};
        CommitOnlineEdit(app_, ui_, edit);
        app_.Link().modalBusy = true;  // the command holds the line until the dialog closes
        grid_->RefreshParameter(edited.codeIndex);
    });

    auto* close = new QPushButton("&Close");
    for (QPushButton* button : {addRemove_, close}) button->setAutoDefault(false);
    connect(addRemove_, &QPushButton::clicked, this, &CDefParaDialog::OnAddRemove);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Station NO.:"));
    top->addWidget(stationList_);
    top->addStretch();
    auto* group = new QGroupBox("Parameters");
    (new QVBoxLayout(group))->addWidget(grid_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addRemove_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addLayout(buttons);
    for (QWidget* keeper : {static_cast<QWidget*>(grid_), static_cast<QWidget*>(stationList_)})
        keeper->installEventFilter(this);
    FillGrid();
}

int CDefParaDialog::Station() const { return stationList_->currentIndex() + 1; }

void CDefParaDialog::FillGrid() {
    grid_->SetDocument(app_.Document());
    grid_->Model()->ShowOnly(app_.Document() ? DefiniteCodes(list_) : std::vector<int>{});
    // At least the widths of the original layout, wider where the grid's font needs it; the
    // description takes the rest, as on every resize.
    grid_->FitColumns(kDescriptionColumn);
}

void CDefParaDialog::OnAddRemove() {
    CAddRemoveDialog dialog(list_, this);
    if (ui_.RunModal(dialog) != QDialog::Accepted) return;
    list_ = dialog.Result();
    app_.Settings().definite = list_;
    FillGrid();
}

bool CDefParaDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) return false;
    // Neither the grid nor the closed list has a use for them; the in-place
    // editor, a child of the grid, sees its keys before this.
    return true;
}

void RunDefiniteParameter(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent) {
    app.Link().modalBusy = true;
    CDefParaDialog dialog(app, ui, parent);
    ui.RunModal(dialog);
    app.Settings().definite = dialog.List();
    app.Link().modalBusy = false;
}

}  // namespace telvor
