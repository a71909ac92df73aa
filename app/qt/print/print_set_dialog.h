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
    CPrintSetDialog(const PrintChoice& start, MessageSink& messages, QWidget* parent = nullptr);
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
