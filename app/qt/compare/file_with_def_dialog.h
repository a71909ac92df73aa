#pragma once
// CFileWithDefDialog, "Compare Files with Default": up to three parameter files
// and the model and frequency whose defaults they are compared with. OK is
// taken only when at least one file is loaded.

#include <QDialog>

#include "compare_commands.h"

class QComboBox;

namespace telvor {

class CompareFileRows;
class QtUserInterface;

class CFileWithDefDialog : public QDialog {
    Q_OBJECT
public:
    CFileWithDefDialog(const FileWithDefData& start, QtUserInterface& ui, QWidget* parent = nullptr);

    // The files with the model and frequency chosen in the lists.
    FileWithDefData Choice() const;
    CompareFileRows* Files() const { return files_; }
    QComboBox* ModelList() const { return modelList_; }
    QComboBox* FrequencyList() const { return frequencyList_; }

private:
    FileWithDefData data_;
    CompareFileRows* files_;
    QComboBox* modelList_;
    QComboBox* frequencyList_;
};

}  // namespace telvor
