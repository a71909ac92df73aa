#pragma once
// The modeless progress windows of long link work as Qt windows: a text line and
// a bar, and for a station scan a "Cancel" button. The flows hold them through
// the CProgressDialog and CCancelProgressDialog handles made here.

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

#include "progress_window.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace telvor {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(bool withCancel, QWidget* parent = nullptr);

    QLabel* TextLine() const { return text_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* CancelButton() const { return cancel_; }  // nullptr without Cancel

signals:
    void cancelPressed();

protected:
    // Escape presses Cancel where there is one and is ignored otherwise.
    void reject() override;

private:
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancel_ = nullptr;
};

// A handle on one progress window; after the window is gone every call does nothing.
class QtProgressDialog : public CCancelProgressDialog {
public:
    // onCancel (cancel-progress windows only) runs when Cancel is pressed, before the window goes.
    QtProgressDialog(QWidget* owner, bool withCancel, std::function<void()> onCancel = {});
    ~QtProgressDialog() override;

    void SetRange(int minimum, int maximum) override;
    void SetPos(int position) override;
    void StepIt() override;
    void SetText(const std::string& text) override;
    void Show() override;
    void Repaint() override;
    void Close() override;
    bool IsOpen() const override;

    ProgressWindow* Window() const { return window_; }

private:
    QPointer<ProgressWindow> window_;
    std::function<void()> onCancel_;
};

// Called with every progress window as it is made (tests watch them through it).
void SetProgressWindowWatcher(std::function<void(ProgressWindow&)> watcher);

}  // namespace telvor
