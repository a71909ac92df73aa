#include "console_user_interface.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>

#include "fixed_dialog_text.h"
#include "modbus_ascii.h"
#include "verb.h"

namespace telvor {
namespace {

// Ctrl+C's, counted: every console interface (one per line when several lines run at
// once) compares with the count it last saw, so one Ctrl+C cancels every line's work.
std::atomic<unsigned> interrupts{0};
static_assert(std::atomic<unsigned>::is_always_lock_free, "counted in a signal handler");

void Interrupt(int) { interrupts.fetch_add(1); }

// The text line of a progress window, rewritten in place on a terminal.
class ConsoleProgress : public CCancelProgressDialog {
public:
    ConsoleProgress(bool terminal, bool cancellable) : terminal_(terminal), cancellable_(cancellable) {}
    ~ConsoleProgress() override { Close(); }

    void SetRange(int, int maximum) override { maximum_ = maximum; }
    void SetPos(int position) override { position_ = position; }
    void StepIt() override {
        if (position_ < maximum_) ++position_;
    }
    void SetText(const std::string& text) override { text_ = text; }
    void Show() override {}
    void Repaint() override {
        if (!terminal_ || !open_) return;
        std::fprintf(stderr, "\r%s %d/%d\x1b[K", text_.c_str(), position_, maximum_);
        std::fflush(stderr);
        shown_ = true;
    }
    void Close() override {
        if (open_ && shown_) std::fputs("\r\x1b[K", stderr);
        // Ctrl+C ends the program again once the scan is over.
        if (open_ && cancellable_) std::signal(SIGINT, SIG_DFL);
        open_ = false;
    }
    bool IsOpen() const override { return open_; }

private:
    bool terminal_;
    bool cancellable_;
    bool open_ = true;
    bool shown_ = false;
    int maximum_ = 0;
    int position_ = 0;
    std::string text_;
};

}  // namespace

ConsoleUserInterface::ConsoleUserInterface(ConsoleAnswers answers)
    : answers_(answers), terminal_(isatty(STDERR_FILENO) == 1) {}

ConsoleUserInterface::~ConsoleUserInterface() = default;

void ConsoleUserInterface::ShowMessage(const std::string&, const std::string& text, MessageIcon) {
    telvor::ShowMessage(text);
}

void ConsoleUserInterface::ShowExceptionReply(std::string_view reply) {
    const std::string text = ExceptionMessage(reply);
    telvor::ShowMessage(text.empty() && reply.size() >= 7 ? "exception " + std::string(reply.substr(5, 2)) : text);
}

DialogResult ConsoleUserInterface::RunFixedDialog(FixedDialog dialog) {
    FixedDialogText shown = TextOfFixedDialog(dialog);
    telvor::ShowMessage(shown.text);
    if (shown.buttons.size() < 2) return DialogResult::Ok;
    return answers_.continueOnError ? DialogResult::Ok : DialogResult::Cancel;
}

DialogResult ConsoleUserInterface::RunMonitorMessage(const std::string& text) {
    telvor::ShowMessage(text);
    return answers_.continueOnError ? DialogResult::Ok : DialogResult::Cancel;
}

Answer ConsoleUserInterface::Ask(const std::string&, const std::string& text, AskButtons, MessageIcon) {
    telvor::ShowMessage(text);
    return answers_.yes ? Answer::Yes : Answer::No;
}

std::optional<std::string> ConsoleUserInterface::AskSavePath(const SavePathRequest&) { return std::nullopt; }

std::unique_ptr<CProgressDialog> ConsoleUserInterface::CreateProgressDialog() {
    return std::make_unique<ConsoleProgress>(terminal_, false);
}

std::unique_ptr<CCancelProgressDialog> ConsoleUserInterface::CreateCancelProgressDialog(
    std::function<void()> onCancel) {
    onCancel_ = std::move(onCancel);
    interruptsSeen_ = interrupts.load();
    struct sigaction action {};
    action.sa_handler = Interrupt;
    sigaction(SIGINT, &action, nullptr);
    return std::make_unique<ConsoleProgress>(terminal_, true);
}

void ConsoleUserInterface::DrainEvents() {
    if (interrupts.load() == interruptsSeen_ || !onCancel_) return;
    interruptsSeen_ = interrupts.load();
    auto onCancel = std::move(onCancel_);
    onCancel_ = nullptr;
    onCancel();
}

}  // namespace telvor
