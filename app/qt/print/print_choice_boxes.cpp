#include "print_choice_boxes.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "group_choice.h"

namespace telvor {

PrintChoiceBoxes::PrintChoiceBoxes(const PrintChoice& choice, bool offerChangedOnly, QWidget* parent)
    : QWidget(parent),
      title_(new QCheckBox("Print Title")),
      groups_(new GroupChoice),
      changedOnly_(new QCheckBox("Changed parameters only")) {
    title_->setObjectName("printTitle");
    title_->setChecked(choice.title);
    groups_->BasicBox()->setChecked(choice.groups.basic);
    groups_->AdvancedBox()->setChecked(choice.groups.advanced);
    changedOnly_->setObjectName("changedOnly");
    changedOnly_->setChecked(offerChangedOnly && choice.changedOnly);
    changedOnly_->setEnabled(offerChangedOnly);
    changedOnly_->setToolTip("Only the parameters whose Setting differs from the Default");
    auto* rows = new QHBoxLayout;
    rows->addWidget(groups_);
    rows->addWidget(changedOnly_, 0, Qt::AlignBottom);
    rows->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addLayout(rows);
}

PrintChoice PrintChoiceBoxes::Choice() const {
    return {title_->isChecked(), {groups_->Basic(), groups_->Advanced()}, changedOnly_->isChecked()};
}

bool ConfirmPrintChoice(const PrintChoice& choice, MessageSink& messages) {
    if (HasPrintGroup(choice)) return true;
    messages.ShowMessage(kNoPrintGroupCaption, kNoPrintGroupMessage, MessageIcon::Information);
    return false;
}

}  // namespace telvor
