#include "model_select_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFontDatabase>
#include <QLabel>
#include <QVBoxLayout>

#include "drive_models.h"

namespace telvor {

CModelType::CModelType(ModelChoice initial, QWidget* parent)
    : QDialog(parent), rating_(new QLabel), modelList_(new QComboBox), frequencyList_(new QComboBox) {
    setWindowTitle("Model Select");
    setObjectName("ModelSelect");
    rating_->setObjectName("rating");
    rating_->setTextFormat(Qt::PlainText);
    rating_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    modelList_->setObjectName("model");
    frequencyList_->setObjectName("frequency");
    for (int i = 0; i < kModelCount; ++i) modelList_->addItem(QString::fromStdString(ModelName(i)));
    frequencyList_->addItems({"50 Hz", "60 Hz"});

    auto* form = new QFormLayout;
    form->addRow("Model:", modelList_);
    form->addRow("Frequency:", frequencyList_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rating_);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const int model = IsModelIndex(initial.modelIndex) ? initial.modelIndex : 0;
    modelList_->setCurrentIndex(model);
    frequencyList_->setCurrentIndex(initial.is50Hz ? 0 : 1);
    ShowRating(model);
    connect(modelList_, &QComboBox::currentIndexChanged, this, &CModelType::ShowRating);
}

void CModelType::ShowRating(int modelIndex) {
    rating_->setText(QString::fromStdString(RatingText(modelIndex)));
}

ModelChoice CModelType::Choice() const {
    const int model = modelList_->currentIndex();
    return {IsModelIndex(model) ? model : 0, frequencyList_->currentIndex() == 0};
}

}  // namespace telvor
