#include "add_remove_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "definite_rules.h"

namespace telvor {
namespace {

QListWidget* ListBox(const char* name) {
    auto* box = new QListWidget;
    box->setObjectName(name);
    box->setSelectionMode(QAbstractItemView::SingleSelection);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setMinimumWidth(300);
    return box;
}

void Fill(QListWidget* box, const std::vector<int>& codes, int selection) {
    box->clear();
    for (int code : codes) box->addItem(QString::fromStdString(DefiniteEntryText(code)));
    box->setCurrentRow(selection);
    if (selection < 0) box->clearSelection();
}

int SelectedRow(const QListWidget* box) {
    const QList<QListWidgetItem*> selected = box->selectedItems();
    return selected.isEmpty() ? -1 : box->row(selected.first());
}

}  // namespace

CAddRemoveDialog::CAddRemoveDialog(const DefiniteList& list, QWidget* parent)
    : QDialog(parent),
      state_(list),
      all_(ListBox("allParameters")),
      definite_(ListBox("definite")),
      add_(new QPushButton("&Add ->")),
      remove_(new QPushButton("<- &Remove")),
      addAll_(new QPushButton("Add A&ll")),
      removeAll_(new QPushButton("Remo&ve All")),
      upMove_(new QPushButton("&Up Move")),
      downMove_(new QPushButton("&Down Move")) {
    setWindowTitle("Add/Remove");
    setObjectName("AddRemove");
    auto* allGroup = new QGroupBox("All Parameters");
    (new QVBoxLayout(allGroup))->addWidget(all_);
    auto* definiteGroup = new QGroupBox("Definite");
    (new QVBoxLayout(definiteGroup))->addWidget(definite_);
    auto* middle = new QVBoxLayout;
    for (QPushButton* button : {add_, remove_, addAll_, removeAll_, upMove_, downMove_}) {
        button->setAutoDefault(false);
        middle->addWidget(button);
    }
    middle->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* boxes = new QGridLayout;
    boxes->addWidget(allGroup, 0, 0);
    boxes->addLayout(middle, 0, 1);
    boxes->addWidget(definiteGroup, 0, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(buttons);

    connect(add_, &QPushButton::clicked, this, [this] { Apply(&AddRemoveState::Add); });
    connect(remove_, &QPushButton::clicked, this, [this] { Apply(&AddRemoveState::Remove); });
    connect(addAll_, &QPushButton::clicked, this, [this] { Apply(&AddRemoveState::AddAll); });
    connect(removeAll_, &QPushButton::clicked, this, [this] { Apply(&AddRemoveState::RemoveAll); });
    connect(upMove_, &QPushButton::clicked, this, [this] { Apply(&AddRemoveState::UpMove); });
    connect(downMove_, &QPushButton::clicked, this, [this] { Apply(&AddRemoveState::DownMove); });
    connect(all_, &QListWidget::itemDoubleClicked, this, [this] { Apply(&AddRemoveState::Add); });
    connect(definite_, &QListWidget::itemDoubleClicked, this, [this] { Apply(&AddRemoveState::Remove); });
    // A selection, not the current row: a list box that takes the focus makes its
    // first entry current without selecting it, and that chooses nothing.
    connect(all_, &QListWidget::itemSelectionChanged, this, [this] {
        if (showing_) return;
        state_.SelectInAll(SelectedRow(all_));
        ShowButtons();
    });
    connect(definite_, &QListWidget::itemSelectionChanged, this, [this] {
        if (showing_) return;
        state_.SelectInDefinite(SelectedRow(definite_));
        ShowButtons();
    });
    ShowState();
}

QPushButton* CAddRemoveDialog::Button(const QString& name) const {
    for (QPushButton* button : {add_, remove_, addAll_, removeAll_, upMove_, downMove_})
        if (button->text() == name) return button;
    return nullptr;
}

void CAddRemoveDialog::Apply(void (AddRemoveState::*event)()) {
    (state_.*event)();
    ShowState();
}

void CAddRemoveDialog::ShowState() {
    showing_ = true;
    Fill(all_, state_.AllParameters(), state_.AllSelection());
    Fill(definite_, state_.Definite(), state_.DefiniteSelection());
    showing_ = false;
    ShowButtons();
}

void CAddRemoveDialog::ShowButtons() {
    const AddRemoveButtons& b = state_.Buttons();
    add_->setEnabled(b.add);
    remove_->setEnabled(b.remove);
    addAll_->setEnabled(b.addAll);
    removeAll_->setEnabled(b.removeAll);
    upMove_->setEnabled(b.upMove);
    downMove_->setEnabled(b.downMove);
}

}  // namespace telvor
