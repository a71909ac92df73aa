#pragma once
// CWriteParaDialog, the "Write" dialog: the stations to write and the groups.

#include <QDialog>

#include "write_flow.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace telvor {

class GroupChoice;

class CWriteParaDialog : public QDialog {
    Q_OBJECT
public:
    explicit CWriteParaDialog(const WriteDialogData& start, QWidget* parent = nullptr);

    WriteDialogData Choice() const;

private:
    QRadioButton* single_;
    QRadioButton* all_;
    QLineEdit* stationText_;
    GroupChoice* groups_;
    QCheckBox* verify_;
};

}  // namespace telvor
