#include "read_para_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "group_choice.h"
#include "station_range.h"

namespace telvor {

CReadParaDialog::CReadParaDialog(const ReadDialogData& start, QWidget* parent)
    : QDialog(parent), start_(start), stationList_(new QComboBox), groups_(new GroupChoice) {
    setWindowTitle("Read");
    setObjectName("Read");
    stationList_->setObjectName("station");
    for (int s = 1; s <= 254; ++s) stationList_->addItem(QString::number(s));
    stationList_->setCurrentIndex(IsStationNumber(start.station) ? start.station - 1 : 0);
    if (start.locked) {
        stationList_->setEnabled(false);
        groups_->setEnabled(false);
    }
    auto* stationRow = new QHBoxLayout;
    stationRow->addWidget(new QLabel("Read From Station:"));
    stationRow->addWidget(stationList_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(stationRow);
    layout->addWidget(groups_);
    layout->addWidget(buttons);
}

ReadDialogData CReadParaDialog::Choice() const {
    ReadDialogData choice = start_;
    choice.station = stationList_->currentIndex() + 1;
    choice.groups = {groups_->Basic(), groups_->Advanced()};
    return choice;
}

}  // namespace telvor
