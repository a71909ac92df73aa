#include "print_set_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "print_choice_boxes.h"

namespace telvor {

CPrintSetDialog::CPrintSetDialog(const PrintChoice& start, bool offerChangedOnly, MessageSink& messages,
                                 QWidget* parent)
    : QDialog(parent), messages_(messages), boxes_(new PrintChoiceBoxes(start, offerChangedOnly)) {
    setWindowTitle("Print Set");
    setObjectName("PrintSet");
    auto* preview = new QPushButton("Pre&view");
    preview->setObjectName("preview");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(preview, QDialogButtonBox::ActionRole);
    connect(preview, &QPushButton::clicked, this, [this] {
        preview_ = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        preview_ = false;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(boxes_);
    layout->addWidget(buttons);
}

PrintChoice CPrintSetDialog::Choice() const { return boxes_->Choice(); }

void CPrintSetDialog::accept() {
    if (ConfirmPrintChoice(boxes_->Choice(), messages_)) QDialog::accept();
}

}  // namespace telvor
