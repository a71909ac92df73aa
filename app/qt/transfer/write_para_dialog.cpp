#include "write_para_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "fixed_dialog_text.h"
#include "group_choice.h"
#include "station_range.h"

namespace telvor {

CWriteParaDialog::CWriteParaDialog(const WriteDialogData& start, MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      single_(new QRadioButton("Single:")),
      all_(new QRadioButton("All Station")),
      stationText_(new QLineEdit(QString::fromStdString(start.stationText))),
      groups_(new GroupChoice),
      verify_(new QCheckBox("Verify after write")) {
    setWindowTitle("Write");
    setObjectName("Write");
    stationText_->setObjectName("station");
    verify_->setObjectName("verify");
    verify_->setChecked(start.verify);
    single_->setChecked(true);
    connect(single_, &QRadioButton::clicked, stationText_, [this] { stationText_->setEnabled(true); });
    connect(all_, &QRadioButton::clicked, stationText_, [this] { stationText_->setEnabled(false); });

    auto* stationBox = new QGroupBox("Station");
    auto* stationLayout = new QGridLayout(stationBox);
    stationLayout->addWidget(single_, 0, 0);
    stationLayout->addWidget(stationText_, 0, 1);
    stationLayout->addWidget(new QLabel("(Single or range, for example: 1,3,5-12)"), 1, 1);
    stationLayout->addWidget(all_, 2, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stationBox);
    layout->addWidget(groups_);
    layout->addWidget(verify_);
    layout->addWidget(buttons);
}

WriteDialogData CWriteParaDialog::Choice() const {
    WriteDialogData choice;
    choice.stationText = stationText_->text().toStdString();
    choice.allStations = all_->isChecked();
    choice.groups = {groups_->Basic(), groups_->Advanced()};
    choice.verify = verify_->isChecked();
    return choice;
}

void CWriteParaDialog::accept() {
    const std::string text = stationText_->text().toStdString();
    if (single_->isChecked() && !ParseStrictStationList(text)) {
        messages_.ShowMessage(kWriteMessageCaption, StationTextMessage(text), MessageIcon::Information);
        stationText_->setFocus();
        stationText_->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace telvor
