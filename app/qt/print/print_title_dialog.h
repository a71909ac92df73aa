#pragma once
// CPrintTitleDialog ("Print Title & Set"): the document's title block and the print settings.

#include <QDialog>
#include <array>

#include "message_sink.h"
#include "print_title.h"

class QLineEdit;

namespace telvor {

class PrintChoiceBoxes;

class CPrintTitleDialog : public QDialog {
    Q_OBJECT
public:
    // offerChangedOnly: the document is a parameter list, whose changed parameters can be printed alone.
    CPrintTitleDialog(const PrintTitleData& start, bool offerChangedOnly, MessageSink& messages,
                      QWidget* parent = nullptr);
    PrintTitleData Data() const;

    void accept() override;

private:
    MessageSink& messages_;
    std::array<QLineEdit*, kTitleBlockCount> edits_{};
    PrintChoiceBoxes* boxes_;
};

}  // namespace telvor
