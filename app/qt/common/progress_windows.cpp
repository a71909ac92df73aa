#include "progress_windows.h"

#include <algorithm>

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvor {
namespace {

std::function<void(ProgressWindow&)>& Watcher() {
    static std::function<void(ProgressWindow&)> watcher;
    return watcher;
}

}  // namespace

void SetProgressWindowWatcher(std::function<void(ProgressWindow&)> watcher) { Watcher() = std::move(watcher); }

ProgressWindow::ProgressWindow(bool withCancel, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), text_(new QLabel), bar_(new QProgressBar) {
    setObjectName(withCancel ? "CancelProgress" : "Progress");
    setModal(false);
    text_->setObjectName("text");
    text_->setMinimumWidth(withCancel ? 400 : 330);
    bar_->setObjectName("bar");
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    if (withCancel) {
        cancel_ = new QPushButton("Cancel");
        cancel_->setObjectName("cancel");
        layout->addWidget(cancel_, 0, Qt::AlignRight);
        connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::cancelPressed);
    }
}

void ProgressWindow::reject() {
    if (cancel_) emit cancelPressed();
}

QtProgressDialog::QtProgressDialog(QWidget* owner, bool withCancel, std::function<void()> onCancel)
    : window_(new ProgressWindow(withCancel, owner)), onCancel_(std::move(onCancel)) {
    window_->setAttribute(Qt::WA_DeleteOnClose);
    if (withCancel) {
        QObject::connect(window_, &ProgressWindow::cancelPressed, window_, [this] {
            if (onCancel_) onCancel_();
            Close();
        });
    }
    if (Watcher()) Watcher()(*window_);
}

QtProgressDialog::~QtProgressDialog() { Close(); }

void QtProgressDialog::SetRange(int minimum, int maximum) {
    if (window_) window_->Bar()->setRange(minimum, maximum);
}

void QtProgressDialog::SetPos(int position) {
    if (window_) window_->Bar()->setValue(position);
}

void QtProgressDialog::StepIt() {
    if (!window_) return;
    QProgressBar* bar = window_->Bar();
    const int from = bar->value() < bar->minimum() ? bar->minimum() : bar->value();
    bar->setValue(std::min(from + 1, bar->maximum()));
}

void QtProgressDialog::SetText(const std::string& text) {
    if (window_) window_->TextLine()->setText(QString::fromStdString(text));
}

void QtProgressDialog::Show() {
    if (window_ && !window_->isVisible()) window_->show();
}

void QtProgressDialog::Repaint() {
    if (!window_) return;
    // Paint now and let the window system expose the window, without handling
    // user input: the link work that calls this keeps the event loop.
    window_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgressDialog::Close() {
    if (!window_) return;
    ProgressWindow* window = window_;
    window_ = nullptr;
    window->hide();
    window->deleteLater();
}

bool QtProgressDialog::IsOpen() const { return window_ != nullptr; }

}  // namespace telvor
