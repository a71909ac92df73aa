#include "group_choice.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace telvor {

GroupChoice::GroupChoice(QWidget* parent)
    : QGroupBox("Option", parent),
      basic_(new QCheckBox("Basic Function (Axx)")),
      advanced_(new QCheckBox("Advanced Function (bxx)")) {
    basic_->setObjectName("basic");
    advanced_->setObjectName("advanced");
    basic_->setChecked(true);
    advanced_->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(basic_);
    layout->addWidget(advanced_);
    // Turning one group off turns the other one on.
    connect(basic_, &QCheckBox::clicked, this, [this](bool on) {
        if (!on) advanced_->setChecked(true);
    });
    connect(advanced_, &QCheckBox::clicked, this, [this](bool on) {
        if (!on) basic_->setChecked(true);
    });
}

bool GroupChoice::Basic() const { return basic_->isChecked(); }
bool GroupChoice::Advanced() const { return advanced_->isChecked(); }

}  // namespace telvor
