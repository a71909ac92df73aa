#pragma once
// The three check boxes of the print dialogs: "Print Title" and the two groups,
// of which turning one off turns the other on.

#include <QWidget>

#include "message_sink.h"
#include "print_choice.h"

class QCheckBox;

namespace telvor {

class GroupChoice;

class PrintChoiceBoxes : public QWidget {
    Q_OBJECT
public:
    explicit PrintChoiceBoxes(const PrintChoice& choice, QWidget* parent = nullptr);
    PrintChoice Choice() const;

private:
    QCheckBox* title_;
    GroupChoice* groups_;
};

// OK of a print dialog: with neither group ticked the user is told and the dialog stays open.
bool ConfirmPrintChoice(const PrintChoice& choice, MessageSink& messages);

}  // namespace telvor
