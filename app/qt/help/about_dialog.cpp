#include "about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "program_icons.h"

namespace telvor {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("About");
    setWindowTitle("About VarnoxLink");
    auto* icon = new QLabel;
    icon->setObjectName("icon");
    icon->setPixmap(ApplicationIcon().pixmap(48, 48));
    auto* name = new QLabel("VarnoxLink\nVersion: 1.1.140123");
    name->setObjectName("name");
    name->setTextFormat(Qt::PlainText);
    auto* purpose = new QLabel("Parameter tool for AC inverter drives on a serial line.");
    purpose->setObjectName("purpose");
    auto* picture = new QLabel;
    picture->setObjectName("picture");
    picture->setPixmap(ProgramBanner());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(purpose, 1, 1);
    layout->addWidget(picture, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->addWidget(buttons, 3, 0, 1, 2);
}

}  // namespace telvor
