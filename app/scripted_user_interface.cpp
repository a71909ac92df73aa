#include "scripted_user_interface.h"

#include <utility>

namespace telvor {

// One window class for both kinds: the cancel window only adds the Cancel
// button, which the interface presses through pendingCancel_.
class ScriptedProgress : public CCancelProgressDialog {
public:
    ScriptedProgress(ScriptedUserInterface& ui, std::shared_ptr<ProgressRecord> record)
        : ui_(ui), record_(std::move(record)) {}

    void SetRange(int minimum, int maximum) override {
        if (!IsOpen()) return;
        record_->minimum = minimum;
        record_->maximum = maximum;
    }
    void SetPos(int position) override {
        if (IsOpen()) record_->position = position;
    }
    void StepIt() override {
        if (!IsOpen()) return;
        ++record_->steps;
        if (record_->position < record_->maximum) ++record_->position;
    }
    void SetText(const std::string& text) override {
        if (!IsOpen()) return;
        record_->texts.push_back(text);
        ui_.ProgressText(*record_, text);
    }
    void Show() override {}
    void Repaint() override {}
    void Close() override { record_->closed = true; }
    bool IsOpen() const override { return !record_->closed; }

private:
    ScriptedUserInterface& ui_;
    std::shared_ptr<ProgressRecord> record_;
};

std::vector<std::string> ScriptedUserInterface::ShownStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& entry : shown) {
        if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
    }
    return out;
}

void ScriptedUserInterface::ShowMessage(const std::string& caption, const std::string& text, MessageIcon) {
    shown.push_back("message " + caption + "|" + text);
}

DialogResult ScriptedUserInterface::RunFixedDialog(FixedDialog dialog) {
    shown.push_back("dialog " + std::to_string(static_cast<int>(dialog)));
    bool twoButtons = dialog == FixedDialog::ContinueAfterTimeOut || dialog == FixedDialog::ContinueToNextStation;
    if (!twoButtons || dialogAnswers.empty()) return DialogResult::Ok;
    DialogResult result = dialogAnswers.front();
    dialogAnswers.pop_front();
    return result;
}

DialogResult ScriptedUserInterface::RunMonitorMessage(const std::string& text) {
    shown.push_back("monitor-message " + text);
    if (dialogAnswers.empty()) return DialogResult::Ok;
    DialogResult result = dialogAnswers.front();
    dialogAnswers.pop_front();
    return result;
}

Answer ScriptedUserInterface::Ask(const std::string& caption, const std::string& text, AskButtons buttons,
                                  MessageIcon) {
    shown.push_back("ask " + caption + "|" + text);
    if (answers.empty()) return buttons == AskButtons::YesNoCancel ? Answer::Cancel : Answer::No;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUserInterface::AskSavePath(const SavePathRequest& request) {
    shown.push_back("save-as " + request.initialName);
    return savePath;
}

std::unique_ptr<CProgressDialog> ScriptedUserInterface::CreateProgressDialog() {
    auto record = std::make_shared<ProgressRecord>();
    progressWindows.push_back(record);
    return std::make_unique<ScriptedProgress>(*this, record);
}

std::unique_ptr<CCancelProgressDialog> ScriptedUserInterface::CreateCancelProgressDialog(
    std::function<void()> onCancel) {
    auto record = std::make_shared<ProgressRecord>();
    record->cancellable = true;
    progressWindows.push_back(record);
    auto window = std::make_unique<ScriptedProgress>(*this, record);
    if (!cancelAtText.empty()) {
        pendingCancelRecord_ = record;
        pendingCancel_ = std::move(onCancel);
    }
    return window;
}

void ScriptedUserInterface::ProgressText(ProgressRecord& record, const std::string& text) {
    shown.push_back("progress " + text);
    if (record.cancellable && pendingCancelRecord_.get() == &record && text == cancelAtText) {
        record.cancelled = true;  // pressed now, handled at the next drain
    }
    if (onProgressText) onProgressText(text);
}

void ScriptedUserInterface::DrainEvents() {
    ++drains;
    if (pendingCancelRecord_ && pendingCancelRecord_->cancelled && !pendingCancelRecord_->closed) {
        shown.push_back("cancel");
        auto onCancel = std::exchange(pendingCancel_, nullptr);
        if (onCancel) onCancel();
        pendingCancelRecord_->closed = true;
        pendingCancelRecord_.reset();
    }
}

void ScriptedUserInterface::DocumentRefilled(CSolvaneDoc&) { ++documentsRefilled; }
void ScriptedUserInterface::NewDocumentFromRead(CSolvaneDoc&) { ++newDocumentsFromRead; }
void ScriptedUserInterface::DocumentClosed() { ++documentsClosed; }
void ScriptedUserInterface::StatusChanged() { ++statusChanges; }
void ScriptedUserInterface::CloseMonitorWindows() { ++monitorCloses; }
bool ScriptedUserInterface::ViewInPrintPreview() const { return printPreview; }

}  // namespace telvor
