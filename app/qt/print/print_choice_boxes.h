#pragma once
// The check boxes of the print dialogs: "Print Title", the two groups, of which
// turning one off turns the other on, and beside them "Changed parameters only",
// which a comparison (it lists only differing rows already) does not offer.

#include <QWidget>

#include "message_sink.h"
#include "print_choice.h"

class QCheckBox;

namespace telvor {

class GroupChoice;

class PrintChoiceBoxes : public QWidget {
    Q_OBJECT
public:
    PrintChoiceBoxes(const PrintChoice& choice, bool offerChangedOnly, QWidget* parent = nullptr);
    PrintChoice Choice() const;

private:
    QCheckBox* title_;
    GroupChoice* groups_;
    QCheckBox* changedOnly_;
};

// OK of a print dialog: with neither group ticked the user is told and the dialog stays open.
bool ConfirmPrintChoice(const PrintChoice& choice, MessageSink& messages);

}  // namespace telvor
