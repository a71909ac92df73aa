#include "fixed_message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "fixed_dialog_text.h"

namespace telvor {

QMessageBox* CreateFixedDialog(FixedDialog dialog, QWidget* parent) {
    const FixedDialogText text = TextOfFixedDialog(dialog);
    auto* box = new QMessageBox(parent);
    box->setObjectName(QString("FixedDialog%1").arg(static_cast<int>(dialog)));
    box->setWindowTitle(QString::fromStdString(text.caption));
    box->setText(QString::fromStdString(text.text));
    box->setIcon(QMessageBox::NoIcon);
    QPushButton* first = nullptr;
    for (const std::string& label : text.buttons) {
        const bool ends = label == "&Abort";
        QPushButton* button =
            box->addButton(QString::fromStdString(label), ends ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        if (!first) first = button;
        if (ends) box->setEscapeButton(button);
    }
    if (first) {
        box->setDefaultButton(first);
        if (!box->escapeButton()) box->setEscapeButton(first);
    }
    return box;
}

DialogResult FixedDialogResult(QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    return clicked && box.buttonRole(clicked) == QMessageBox::AcceptRole ? DialogResult::Ok : DialogResult::Cancel;
}

}  // namespace telvor
