#pragma once
// The handheld's "Read" and "Write" dialogs: one station from a list and the
// parameter groups; the "Monitor" dialog without the groups.

#include <QDialog>

#include "parameter_groups.h"

class QComboBox;

namespace telvor {

class GroupChoice;

class CPdaGroupDialog : public QDialog {
    Q_OBJECT
public:
    CPdaGroupDialog(const QString& caption, int station, QWidget* parent = nullptr, bool withGroups = true);

    int Station() const;
    ParameterGroups Groups() const;

private:
    QComboBox* stations_;
    GroupChoice* groups_;
};

}  // namespace telvor
