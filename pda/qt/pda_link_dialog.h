#pragma once
// The handheld's "Link" dialog: COM port 1-4, the line format as lists, one station
// or all of them.

#include <QDialog>

#include "link_flow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace telvor {

class CPdaLinkDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPdaLinkDialog(const LinkDialogData& start, QWidget* parent = nullptr);

    LinkDialogData Choice() const;
    LinkDialogAction Action() const { return action_; }

private:
    void Show(const LinkDialogData& data);
    void End(LinkDialogAction action);

    LinkDialogData start_;
    LinkDialogAction action_ = LinkDialogAction::Close;
    QComboBox* port_;
    QComboBox* baud_;
    QComboBox* dataBits_;
    QComboBox* stopBits_;
    QComboBox* parity_;
    QLineEdit* station_;
    QCheckBox* all_;
};

}  // namespace telvor
