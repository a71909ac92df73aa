#include "print_choice_boxes.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "group_choice.h"

namespace telvor {

PrintChoiceBoxes::PrintChoiceBoxes(const PrintChoice& choice, QWidget* parent)
    : QWidget(parent), title_(new QCheckBox("Print Title")), groups_(new GroupChoice) {
    title_->setObjectName("printTitle");
    title_->setChecked(choice.title);
    groups_->BasicBox()->setChecked(choice.groups.basic);
    groups_->AdvancedBox()->setChecked(choice.groups.advanced);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addWidget(groups_);
}

PrintChoice PrintChoiceBoxes::Choice() const {
    return {title_->isChecked(), {groups_->Basic(), groups_->Advanced()}};
}

bool ConfirmPrintChoice(const PrintChoice& choice, MessageSink& messages) {
    if (HasPrintGroup(choice)) return true;
    messages.ShowMessage(kNoPrintGroupCaption, kNoPrintGroupMessage, MessageIcon::Information);
    return false;
}

}  // namespace telvor
