#include "file_with_file_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "compare_file_rows.h"

namespace telvor {

CFileWithFileDialog::CFileWithFileDialog(const FileWithFileData& start, QtUserInterface& ui, QWidget* parent)
    : QDialog(parent), data_(start), files_(new CompareFileRows(data_.files, data_.loadCount, ui)) {
    setWindowTitle("Compare File with File");
    setObjectName("CompareFileFile");
    QDialogButtonBox* buttons = files_->OkAndCancel(*this, [this] { return CanAccept(data_); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files_);
    layout->addWidget(buttons);
}

}  // namespace telvor
