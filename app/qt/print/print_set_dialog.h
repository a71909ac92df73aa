#pragma once
// CPrintSetDialog ("Print Set"): what to print, then print (OK) or preview ("Pre&view").

#include <QDialog>

#include "message_sink.h"
#include "print_choice.h"

namespace telvor {

class PrintChoiceBoxes;

class CPrintSetDialog : public QDialog {
    Q_OBJECT
public:
    // offerChangedOnly: the document is a parameter list, whose changed parameters can be printed alone.
    CPrintSetDialog(const PrintChoice& start, bool offerChangedOnly, MessageSink& messages, QWidget* parent = nullptr);
    PrintChoice Choice() const;
    // The dialog was ended with "Pre&view".
    bool PreviewChosen() const { return preview_; }

    void accept() override;

private:
    MessageSink& messages_;
    PrintChoiceBoxes* boxes_;
    bool preview_ = false;
};

}  // namespace telvor
