#include "pda_link_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvor {
namespace {

// Each list holds the texts in the dialog's order; the item data is the setting it names.
QComboBox* List(const char* name, std::initializer_list<std::pair<const char*, int>> items) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    for (const auto& [text, value] : items) list->addItem(text, value);
    return list;
}

void Choose(QComboBox* list, int value) { list->setCurrentIndex(std::max(0, list->findData(value))); }

}  // namespace

CPdaLinkDialog::CPdaLinkDialog(const LinkDialogData& start, QWidget* parent)
    : QDialog(parent),
      start_(start),
      port_(List("port", {{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}})),
      baud_(List("baud", {{"4800", 4800}, {"9600", 9600}, {"19200", 19200}, {"38400", 38400}})),
      dataBits_(List("dataBits", {{"7", 7}, {"8", 8}})),
      stopBits_(List("stopBits", {{"1", 0}, {"2", 2}})),
      parity_(List("parity", {{"None", 0}, {"Even", 2}, {"Odd", 1}})),
      station_(new QLineEdit),
      all_(new QCheckBox("All of the Inverter")) {
    setWindowTitle("Link");
    setObjectName("Link");
    station_->setObjectName("station");
    all_->setObjectName("all");

    auto* format = new QGroupBox("Data Format:");
    auto* formatRows = new QFormLayout(format);
    formatRows->addRow("Com Port:", port_);
    formatRows->addRow("Baud Rate:", baud_);
    formatRows->addRow("Data bits:", dataBits_);
    formatRows->addRow("Stop bits:", stopBits_);
    formatRows->addRow("Parity bit:", parity_);

    auto* stations = new QGroupBox("Station:");
    auto* stationRows = new QFormLayout(stations);
    stationRows->addRow("Single:", station_);
    stationRows->addRow(all_);
    connect(all_, &QCheckBox::toggled, station_, &QLineEdit::setDisabled);

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, LinkDialogAction> actions[] = {
        {"Link", LinkDialogAction::Link}, {"Unlink", LinkDialogAction::Unlink}, {"Close", LinkDialogAction::Close}};
    auto* defaults = new QPushButton("Default");
    defaults->setObjectName("Default");
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, [this] { Show(LinkDialogData{}); });
    buttons->addWidget(defaults);
    for (const auto& [text, action] : actions) {
        auto* button = new QPushButton(text);
        button->setObjectName(text);
        // Enter links (and does nothing while linked); no other button takes it.
        button->setAutoDefault(false);
        button->setDefault(action == LinkDialogAction::Link);
        connect(button, &QPushButton::clicked, this, [this, action = action] { End(action); });
        buttons->addWidget(button);
        // While linked only Unlink and Close work.
        if (action == LinkDialogAction::Link) button->setEnabled(!start.linked);
        if (action == LinkDialogAction::Unlink) button->setEnabled(start.linked);
    }
    defaults->setEnabled(!start.linked);
    format->setEnabled(!start.linked);
    stations->setEnabled(!start.linked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addWidget(stations);
    layout->addLayout(buttons);
    Show(start);
}

void CPdaLinkDialog::Show(const LinkDialogData& data) {
    const LineSettings line = ShownLineSettings(data.line);
    Choose(port_, line.comPort);
    Choose(baud_, line.baudRate);
    Choose(dataBits_, line.dataBits);
    Choose(stopBits_, line.stopBits);
    Choose(parity_, line.parity);
    station_->setText(QString::fromStdString(data.stationText));
    all_->setChecked(data.allStations);
}

void CPdaLinkDialog::End(LinkDialogAction action) {
    action_ = action;
    if (action == LinkDialogAction::Link)
        accept();
    else
        done(action == LinkDialogAction::Unlink ? QDialog::Accepted : QDialog::Rejected);
}

LinkDialogData CPdaLinkDialog::Choice() const {
    LinkDialogData choice = start_;
    choice.line = {port_->currentData().toInt(), baud_->currentData().toInt(), dataBits_->currentData().toInt(),
                   parity_->currentData().toInt(), stopBits_->currentData().toInt()};
    choice.stationText = station_->text().toStdString();
    choice.allStations = all_->isChecked();
    return choice;
}

}  // namespace telvor
