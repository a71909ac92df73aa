#pragma once
// CReadParaDialog, the "Read" dialog: the station to read and the groups.

#include <QDialog>

#include "read_flow.h"

class QComboBox;

namespace telvor {

class GroupChoice;

class CReadParaDialog : public QDialog {
    Q_OBJECT
public:
    // A locked start (a monitor window is open) disables the list and the group boxes.
    explicit CReadParaDialog(const ReadDialogData& start, QWidget* parent = nullptr);

    ReadDialogData Choice() const;

private:
    ReadDialogData start_;
    QComboBox* stationList_;
    GroupChoice* groups_;
};

}  // namespace telvor
