#pragma once
// CAddRemoveDialog, "Add/Remove": puts the definite list together from the
// choosable parameters and orders it.

#include <QDialog>

#include "add_remove_state.h"

class QListWidget;
class QPushButton;

namespace telvor {

class CAddRemoveDialog : public QDialog {
    Q_OBJECT
public:
    CAddRemoveDialog(const DefiniteList& list, QWidget* parent = nullptr);

    DefiniteList Result() const { return state_.Result(); }
    QListWidget* AllBox() const { return all_; }
    QListWidget* DefiniteBox() const { return definite_; }
    QPushButton* Button(const QString& name) const;

private:
    // Runs one event on the state and shows the state again.
    void Apply(void (AddRemoveState::*event)());
    void ShowState();
    void ShowButtons();

    AddRemoveState state_;
    QListWidget* all_;
    QListWidget* definite_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* addAll_;
    QPushButton* removeAll_;
    QPushButton* upMove_;
    QPushButton* downMove_;
    bool showing_ = false;
};

}  // namespace telvor
