#include "file_with_def_dialog.h"

#include <QDialogButtonBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "compare_file_rows.h"
#include "drive_models.h"

namespace telvor {

CFileWithDefDialog::CFileWithDefDialog(const FileWithDefData& start, QtUserInterface& ui, QWidget* parent)
    : QDialog(parent),
      data_(start),
      files_(new CompareFileRows(data_.files, data_.loadCount, ui)),
      modelList_(new QComboBox),
      frequencyList_(new QComboBox) {
    setWindowTitle("Compare Files with Default");
    setObjectName("CompareFilesDefault");
    modelList_->setObjectName("model");
    for (int model = 0; IsModelIndex(model); ++model) modelList_->addItem(QString::fromStdString(ModelName(model)));
    modelList_->setCurrentIndex(IsModelIndex(start.modelIndex) ? start.modelIndex : 0);
    frequencyList_->setObjectName("frequency");
    frequencyList_->addItems({"50 Hz", "60 Hz"});
    frequencyList_->setCurrentIndex(start.is50Hz ? 0 : 1);

    auto* defaults = new QGroupBox("Default");
    auto* lists = new QFormLayout(defaults);
    lists->addRow("Model:", modelList_);
    lists->addRow("Frequency:", frequencyList_);
    QDialogButtonBox* buttons = files_->OkAndCancel(*this, [this] { return CanAccept(data_); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files_);
    layout->addWidget(defaults);
    layout->addWidget(buttons);
}

FileWithDefData CFileWithDefDialog::Choice() const {
    FileWithDefData choice = data_;
    const int model = modelList_->currentIndex();
    choice.modelIndex = IsModelIndex(model) ? model : 0;
    choice.is50Hz = frequencyList_->currentIndex() == 0;
    return choice;
}

}  // namespace telvor
