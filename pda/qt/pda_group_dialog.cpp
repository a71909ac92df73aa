#include "pda_group_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "group_choice.h"
#include "station_range.h"

namespace telvor {

CPdaGroupDialog::CPdaGroupDialog(const QString& caption, int station, QWidget* parent, bool withGroups)
    : QDialog(parent), stations_(new QComboBox), groups_(new GroupChoice) {
    setWindowTitle(caption);
    setObjectName(caption);
    stations_->setObjectName("station");
    for (int s = kFirstStation; s <= kLastStation; ++s) stations_->addItem(QString::number(s), s);
    stations_->setCurrentIndex(IsStationNumber(station) ? station - kFirstStation : 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow("Station:", stations_);
    layout->addRow(groups_);
    groups_->setVisible(withGroups);
    layout->addRow(buttons);
}

int CPdaGroupDialog::Station() const { return stations_->currentData().toInt(); }

ParameterGroups CPdaGroupDialog::Groups() const { return {groups_->Basic(), groups_->Advanced()}; }

}  // namespace telvor
