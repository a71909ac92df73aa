#pragma once
// CFileWithFileDialog, "Compare File with File": two parameter files. OK is
// taken only when both are loaded.

#include <QDialog>

#include "compare_commands.h"

namespace telvor {

class CompareFileRows;
class QtUserInterface;

class CFileWithFileDialog : public QDialog {
    Q_OBJECT
public:
    CFileWithFileDialog(const FileWithFileData& start, QtUserInterface& ui, QWidget* parent = nullptr);

    const FileWithFileData& Choice() const { return data_; }
    CompareFileRows* Files() const { return files_; }

private:
    FileWithFileData data_;
    CompareFileRows* files_;
};

}  // namespace telvor
