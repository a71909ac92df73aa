#pragma once
// The user interface of telvorctl: messages and dialog texts go to stderr as the
// program shows them, questions and two-button dialogs are answered from the
// command line, and a progress line appears on stderr when it is a terminal.
// Ctrl+C presses the Cancel button of a station scan.

#include "user_interface.h"

namespace telvor {

struct ConsoleAnswers {
    bool continueOnError = false;  // "&Continue" (true) or "&Abort" for dialogs 265 and 266
    bool yes = false;              // the answer to questions; without it No
};

class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(ConsoleAnswers answers);
    ~ConsoleUserInterface() override;

    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
    DialogResult RunFixedDialog(FixedDialog dialog) override;
    // An exception code without a text of its own is printed as "exception 01".
    void ShowExceptionReply(std::string_view reply) override;
    DialogResult RunMonitorMessage(const std::string& text) override;
    Answer Ask(const std::string& caption, const std::string& text, AskButtons buttons, MessageIcon icon) override;
    std::optional<std::string> AskSavePath(const SavePathRequest& request) override;
    std::unique_ptr<CProgressDialog> CreateProgressDialog() override;
    std::unique_ptr<CCancelProgressDialog> CreateCancelProgressDialog(std::function<void()> onCancel) override;
    void DrainEvents() override;

private:
    ConsoleAnswers answers_;
    bool terminal_;
    std::function<void()> onCancel_;
    unsigned interruptsSeen_ = 0;
};

}  // namespace telvor
