#pragma once
// CWriteParaDialog, the "Write" dialog: the stations to write and the groups. OK
// takes only a station text that names stations strictly; any other text gets a
// message naming it and the dialog stays open.

#include <QDialog>

#include "write_flow.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace telvor {

class GroupChoice;
class MessageSink;

class CWriteParaDialog : public QDialog {
    Q_OBJECT
public:
    CWriteParaDialog(const WriteDialogData& start, MessageSink& messages, QWidget* parent = nullptr);

    WriteDialogData Choice() const;

    void accept() override;

private:
    MessageSink& messages_;
    QRadioButton* single_;
    QRadioButton* all_;
    QLineEdit* stationText_;
    GroupChoice* groups_;
    QCheckBox* verify_;
};

}  // namespace telvor
