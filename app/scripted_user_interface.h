#pragma once
// A user interface that tests drive: it records everything shown, in order, as
// lines of text, answers questions and two-button dialogs from a script, and
// can press Cancel on a cancel-progress window when a chosen text appears.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "user_interface.h"

namespace telvor {

// What one progress window went through.
struct ProgressRecord {
    bool cancellable = false;
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    int steps = 0;
    std::vector<std::string> texts;
    bool closed = false;
    bool cancelled = false;
};

class ScriptedUserInterface : public UserInterface {
public:
    // In order: "message <caption>|<text>", "dialog <id>", "ask <caption>|<text>",
    // "save-as <initial name>", "progress <text>", "cancel",
    // "monitor-message <text>".
    std::vector<std::string> shown;
    std::vector<std::shared_ptr<ProgressRecord>> progressWindows;

    std::deque<Answer> answers;              // for Ask; an empty script answers No (Cancel when offered)
    std::deque<DialogResult> dialogAnswers;  // for "&Continue"/"&Abort" dialogs; empty: Ok
    std::optional<std::string> savePath;     // the save dialog's answer; nothing: cancelled

    // Cancel is pressed on the cancel-progress window once this text was shown;
    // the click is handled at the next DrainEvents.
    std::string cancelAtText;
    // Runs whenever a progress text is shown (a test changes the line there).
    std::function<void(const std::string&)> onProgressText;

    int drains = 0;
    int documentsRefilled = 0;
    int newDocumentsFromRead = 0;
    int documentsClosed = 0;
    int statusChanges = 0;
    int monitorCloses = 0;
    bool printPreview = false;

    // Only the entries that start with the prefix ("message ", "dialog ").
    std::vector<std::string> ShownStartingWith(const std::string& prefix) const;

    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
    DialogResult RunFixedDialog(FixedDialog dialog) override;
    Answer Ask(const std::string& caption, const std::string& text, AskButtons buttons, MessageIcon icon) override;
    std::optional<std::string> AskSavePath(const SavePathRequest& request) override;
    DialogResult RunMonitorMessage(const std::string& text) override;
    std::unique_ptr<CProgressDialog> CreateProgressDialog() override;
    std::unique_ptr<CCancelProgressDialog> CreateCancelProgressDialog(std::function<void()> onCancel) override;
    void DrainEvents() override;
    void DocumentRefilled(CSolvaneDoc& document) override;
    void NewDocumentFromRead(CSolvaneDoc& document) override;
    void DocumentClosed() override;
    void StatusChanged() override;
    void CloseMonitorWindows() override;
    bool ViewInPrintPreview() const override;

private:
    friend class ScriptedProgress;
    void ProgressText(ProgressRecord& record, const std::string& text);

    std::function<void()> pendingCancel_;
    std::shared_ptr<ProgressRecord> pendingCancelRecord_;
};

}  // namespace telvor
