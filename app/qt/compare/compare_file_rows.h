#pragma once
// The "Select Files" group of the compare dialogs: per slot an edit box with the
// loaded file's path and a "File&N..." button that picks and loads a parameter file.

#include <QGroupBox>
#include <functional>
#include <span>
#include <vector>

#include "compare_input_file.h"

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

namespace telvor {

class QtUserInterface;

class CompareFileRows : public QGroupBox {
    Q_OBJECT
public:
    // The slots and the load count belong to the dialog's data and outlive the group.
    CompareFileRows(std::span<CompareFileSlot> files, int& loadCount, QtUserInterface& ui, QWidget* parent = nullptr);

    // Loads path into slot k as the button does after the file chooser; false
    // after a reported failure, the slot unchanged.
    bool Load(int k, const std::string& path);
    // OK and Cancel for the dialog; OK closes it only when canAccept says the files are enough.
    QDialogButtonBox* OkAndCancel(QDialog& dialog, std::function<bool()> canAccept) const;
    QPushButton* Button(int k) const { return buttons_[k]; }
    QLineEdit* PathBox(int k) const { return paths_[k]; }

private:
    void Choose(int k);

    std::span<CompareFileSlot> slots_;
    int& loadCount_;
    QtUserInterface& ui_;
    std::vector<QLineEdit*> paths_;
    std::vector<QPushButton*> buttons_;
};

}  // namespace telvor
