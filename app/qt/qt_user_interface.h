#pragma once
// The desktop program's UserInterface: every message, question, fixed dialog,
// file dialog and progress window of the flows and of the shell, as Qt widgets.
// Every modal dialog runs through RunModal, where tests can answer it.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "user_interface.h"

class QDialog;
class QFileDialog;

namespace telvor {

class QtUserInterface : public QObject, public UserInterface {
    Q_OBJECT
public:
    explicit QtUserInterface(QObject* parent = nullptr);

    // The window that owns the dialogs (the main window once it exists).
    void SetOwner(QWidget* owner) { owner_ = owner; }
    QWidget* Owner() const { return owner_; }

    // Runs a modal dialog and gives its result. With a hook installed, the hook
    // is called with the dialog once it runs, and is expected to end it.
    int RunModal(QDialog& dialog);
    using ModalHook = std::function<void(QDialog&)>;
    void SetModalHook(ModalHook hook) { hook_ = std::move(hook); }

    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
    DialogResult RunFixedDialog(FixedDialog dialog) override;
    // CMonErrorDialog: "Monitor Message" with "&Continue" and "&Abort".
    DialogResult RunMonitorMessage(const std::string& text) override;
    Answer Ask(const std::string& caption, const std::string& text, AskButtons buttons, MessageIcon icon) override;
    std::optional<std::string> AskSavePath(const SavePathRequest& request) override;
    // The open dialog of the Open command. Both file dialogs start in the folder last
    // used for the kind of file (FileKind of the default extension).
    std::optional<std::string> AskOpenPath(const std::string& filter, const std::string& defaultExtension);

    std::unique_ptr<CProgressDialog> CreateProgressDialog() override;
    std::unique_ptr<CCancelProgressDialog> CreateCancelProgressDialog(std::function<void()> onCancel) override;
    void DrainEvents() override;

    void DocumentRefilled(CSolvaneDoc& document) override;
    void NewDocumentFromRead(CSolvaneDoc& document) override;
    void DocumentClosed() override;
    void StatusChanged() override;
    bool ViewInPrintPreview() const override { return printPreview_; }
    // Set while the view's print preview is open.
    void SetViewInPrintPreview(bool on) { printPreview_ = on; }
    void CloseMonitorWindows() override;

signals:
    void documentRefilled();
    void documentReplaced();
    void statusChanged();
    void monitorWindowsClosing();

private:
    std::optional<std::string> RunFileDialog(QFileDialog& dialog, const QString& kind, const QString& initialName);

    QPointer<QWidget> owner_;
    ModalHook hook_;
    bool printPreview_ = false;
};

// "Parameter Files (*.vx3)|*.vx3||" as the name filters of a Qt file dialog.
QStringList QtNameFilters(const std::string& filter);

}  // namespace telvor
