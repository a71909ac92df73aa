#include "monitor_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "station_range.h"

namespace telvor {

CMonitorDialog::CMonitorDialog(int currentStation, QWidget* parent)
    : QDialog(parent),
      single_(new QRadioButton("Single Station:")),
      all_(new QRadioButton("All Station:")),
      stationBox_(new QComboBox),
      stationText_(new QLineEdit(QString("1-%1").arg(kLastStation))) {
    setWindowTitle("Monitor");
    setObjectName("Monitor");
    stationBox_->setObjectName("station");
    stationText_->setObjectName("stations");
    for (int station = kFirstStation; station <= kLastStation; ++station) stationBox_->addItem(QString::number(station));
    stationBox_->setCurrentIndex(IsStationNumber(currentStation) ? currentStation - 1 : 0);
    single_->setChecked(true);
    stationText_->setEnabled(false);

    auto* group = new QGroupBox("Station");
    auto* grid = new QGridLayout(group);
    grid->addWidget(single_, 0, 0);
    grid->addWidget(stationBox_, 0, 1);
    grid->addWidget(all_, 1, 0);
    grid->addWidget(stationText_, 1, 1);
    grid->addWidget(new QLabel("(All or range, for example: 1,3,5-12)"), 2, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    connect(single_, &QRadioButton::clicked, this, [this] {
        stationBox_->setEnabled(true);
        stationText_->setEnabled(false);
    });
    connect(all_, &QRadioButton::clicked, this, [this] {
        stationBox_->setEnabled(false);
        stationText_->setEnabled(true);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CMonitorDialog::AllStations() const { return all_->isChecked(); }

int CMonitorDialog::SingleStation() const { return stationBox_->currentIndex() + 1; }

std::vector<int> CMonitorDialog::StationList() const {
    return ParseStationRange(stationText_->text().toStdString(), EmptyStationText::MarkAllStations).list;
}

}  // namespace telvor
