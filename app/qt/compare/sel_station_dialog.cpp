#include "sel_station_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "station_range.h"

namespace telvor {

CSelStationDialog::CSelStationDialog(const SelStationData& start, QWidget* parent)
    : QDialog(parent), stationList_(new QComboBox), frequencyList_(new QComboBox) {
    setWindowTitle("Compare Inverter with Default");
    setObjectName("CompareInverterDefault");
    stationList_->setObjectName("station");
    for (int s = kFirstStation; s <= kLastStation; ++s) stationList_->addItem(QString::number(s));
    stationList_->setCurrentIndex(IsStationNumber(start.station) ? start.station - 1 : 0);
    frequencyList_->setObjectName("frequency");
    frequencyList_->addItems({"50 Hz", "60 Hz"});
    frequencyList_->setCurrentIndex(start.is50Hz ? 0 : 1);

    auto* stationRow = new QFormLayout;
    stationRow->addRow("Station NO. :", stationList_);
    auto* defaults = new QGroupBox("Default");
    auto* frequencyRow = new QFormLayout(defaults);
    frequencyRow->addRow("Frequency :", frequencyList_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(stationRow);
    layout->addWidget(defaults);
    layout->addWidget(buttons);
}

SelStationData CSelStationDialog::Choice() const {
    return {stationList_->currentIndex() + 1, frequencyList_->currentIndex() == 0};
}

}  // namespace telvor
