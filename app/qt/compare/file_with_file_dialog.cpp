#include "file_with_file_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "compare_file_rows.h"

namespace telvor {

CFileWithFileDialog::CFileWithFileDialog(const FileWithFileData& start, QtUserInterface& ui, QWidget* parent)
    : QDialog(parent), data_(start), files_(new CompareFileRows(data_.files, data_.loadCount, ui)) {
    setWindowTitle("Compare File with File");
    setObjectName("CompareFileFile");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (CanAccept(data_)) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files_);
    layout->addWidget(buttons);
}

}  // namespace telvor
