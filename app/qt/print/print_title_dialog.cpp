#include "print_title_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "print_choice_boxes.h"

namespace telvor {

CPrintTitleDialog::CPrintTitleDialog(const PrintTitleData& start, bool offerChangedOnly, MessageSink& messages,
                                     QWidget* parent)
    : QDialog(parent), messages_(messages), boxes_(new PrintChoiceBoxes(start.choice, offerChangedOnly)) {
    setWindowTitle("Print Title & Set");
    setObjectName("PrintTitle");
    const char* names[kTitleBlockCount] = {"title", "company", "programer", "version", "date",
                                           "remark1", "remark2", "remark3"};
    for (int field = 0; field < kTitleBlockCount; ++field) {
        edits_[field] = new QLineEdit(QString::fromStdString(start.texts[field]));
        edits_[field]->setObjectName(names[field]);
        edits_[field]->setMaxLength(kTitleFieldLimits[field]);
    }
    auto* fields = new QGridLayout;
    const auto row = [&](int line, const char* label, int field, int columnSpan) {
        fields->addWidget(new QLabel(label), line, 0);
        fields->addWidget(edits_[field], line, 1, 1, columnSpan);
    };
    row(0, "Title", TitleFieldTitle, 1);
    fields->addWidget(new QLabel("Version"), 0, 2);
    fields->addWidget(edits_[TitleFieldVersion], 0, 3);
    row(1, "Company name", TitleFieldCompany, 1);
    fields->addWidget(new QLabel("Date"), 1, 2);
    fields->addWidget(edits_[TitleFieldDate], 1, 3);
    row(2, "Programer", TitleFieldProgramer, 1);
    row(3, "Remark", TitleFieldRemark1, 3);
    row(4, "", TitleFieldRemark2, 3);
    row(5, "", TitleFieldRemark3, 3);
    fields->setColumnStretch(1, 3);
    fields->setColumnStretch(3, 1);

    auto* clear = new QPushButton("&Clear Print Title");
    clear->setObjectName("clearTitle");
    connect(clear, &QPushButton::clicked, this, [this] {
        for (QLineEdit* edit : edits_) edit->clear();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(clear, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(boxes_);
    layout->addWidget(buttons);
    resize(640, sizeHint().height());
}

PrintTitleData CPrintTitleDialog::Data() const {
    PrintTitleData data;
    for (int field = 0; field < kTitleBlockCount; ++field) data.texts[field] = edits_[field]->text().toStdString();
    data.choice = boxes_->Choice();
    return data;
}

void CPrintTitleDialog::accept() {
    if (ConfirmPrintChoice(boxes_->Choice(), messages_)) QDialog::accept();
}

}  // namespace telvor
