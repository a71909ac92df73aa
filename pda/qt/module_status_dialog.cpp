#include "module_status_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace telvor {
namespace {

QLineEdit* Field(const std::string& text, const char* name) {
    auto* field = new QLineEdit(QString::fromStdString(text));
    field->setObjectName(name);
    field->setReadOnly(true);
    return field;
}

}  // namespace

CModuleStatusDialog::CModuleStatusDialog(const ModuleStatusTexts& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Module Status");
    setObjectName("ModuleStatus");
    auto* linkRow = new QHBoxLayout;
    linkRow->addWidget(Field(texts.linkStatus, "linkStatus"));
    auto* direction = new QLabel(QString::fromStdString(texts.direction));
    direction->setObjectName("direction");
    linkRow->addWidget(direction);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QFormLayout(this);
    layout->addRow("Model:", Field(texts.model, "model"));
    layout->addRow("Version:", Field(texts.version, "version"));
    layout->addRow("Link Status:", linkRow);
    layout->addRow("Station NO.:", Field(texts.station, "station"));
    layout->addRow(new QLabel("VarnoxLink PDA"));
    layout->addRow(new QLabel("Version 1.0"));
    layout->addRow(buttons);
}

}  // namespace telvor
