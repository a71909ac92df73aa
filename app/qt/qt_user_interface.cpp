#include "qt_user_interface.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "dialog_fit.h"
#include "file_folders.h"
#include "fixed_message_box.h"
#include "progress_windows.h"

namespace telvor {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A window title has one line: a caption that ends in a line break ("Open\n") shows without it.
QString WindowCaption(const std::string& caption) { return QString::fromStdString(caption).trimmed(); }

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
    // Pairs of a shown name and its patterns, separated by '|'; the list ends with an empty name.
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString name = parts[i];
        const int open = name.indexOf('(');
        if (open >= 0) name = name.left(open).trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns) p = p.trimmed();
        filters << QString("%1 (%2)").arg(name, patterns.join(' '));
    }
    return filters;
}

QtUserInterface::QtUserInterface(QObject* parent) : QObject(parent) {}

int QtUserInterface::RunModal(QDialog& dialog) {
    FitDialog(dialog, owner_);
    if (hook_) {
        QPointer<QDialog> guard(&dialog);
        QTimer::singleShot(0, &dialog, [this, guard] {
            if (guard) hook_(*guard);
        });
    }
    return dialog.exec();
}

void QtUserInterface::ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
    QMessageBox box(QtIcon(icon), WindowCaption(caption), QString::fromStdString(text), QMessageBox::Ok, owner_);
    RunModal(box);
}

DialogResult QtUserInterface::RunFixedDialog(FixedDialog dialog) {
    std::unique_ptr<QMessageBox> box(CreateFixedDialog(dialog, owner_));
    RunModal(*box);
    return FixedDialogResult(*box);
}

DialogResult QtUserInterface::RunMonitorMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "Monitor Message", QString::fromStdString(text), QMessageBox::NoButton, owner_);
    box.setObjectName("CMonErrorDialog");
    box.setDefaultButton(box.addButton("&Continue", QMessageBox::AcceptRole));
    box.setEscapeButton(box.addButton("&Abort", QMessageBox::RejectRole));
    RunModal(box);
    return FixedDialogResult(box);
}

Answer QtUserInterface::Ask(const std::string& caption, const std::string& text, AskButtons buttons,
                            MessageIcon icon) {
    QMessageBox::StandardButtons offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == AskButtons::YesNoCancel) offered |= QMessageBox::Cancel;
    QMessageBox box(QtIcon(icon), WindowCaption(caption), QString::fromStdString(text), offered, owner_);
    RunModal(box);
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return buttons == AskButtons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

std::optional<std::string> QtUserInterface::AskSavePath(const SavePathRequest& request) {
    QFileDialog dialog(owner_);
    dialog.setObjectName("SaveAs");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(QtNameFilters(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.caption.empty()) dialog.setWindowTitle(QString::fromStdString(request.caption));
    return RunFileDialog(dialog, FileKind(request.defaultExtension), QString::fromStdString(request.initialName));
}

std::optional<std::string> QtUserInterface::RunFileDialog(QFileDialog& dialog, const QString& kind,
                                                          const QString& initialName) {
    // A kind of file never chosen yet starts in the working folder.
    const QString folder = LastFolder(kind);
    dialog.setDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
    if (!initialName.isEmpty()) dialog.selectFile(initialName);
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().first();
    RememberFolder(kind, chosen);
    return chosen.toStdString();
}

std::optional<std::string> QtUserInterface::AskOpenPath(const std::string& filter, const std::string& defaultExtension) {
    QFileDialog dialog(owner_);
    dialog.setObjectName("Open");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(QtNameFilters(filter));
    dialog.setDefaultSuffix(QString::fromStdString(defaultExtension));
    return RunFileDialog(dialog, FileKind(defaultExtension), {});
}

std::unique_ptr<CProgressDialog> QtUserInterface::CreateProgressDialog() {
    return std::make_unique<QtProgressDialog>(owner_, false);
}

std::unique_ptr<CCancelProgressDialog> QtUserInterface::CreateCancelProgressDialog(std::function<void()> onCancel) {
    return std::make_unique<QtProgressDialog>(owner_, true, std::move(onCancel));
}

void QtUserInterface::DrainEvents() { QApplication::processEvents(); }

void QtUserInterface::DocumentRefilled(CSolvaneDoc&) { emit documentRefilled(); }
void QtUserInterface::NewDocumentFromRead(CSolvaneDoc&) { emit documentReplaced(); }
void QtUserInterface::DocumentClosed() { emit documentReplaced(); }
void QtUserInterface::StatusChanged() { emit statusChanged(); }

void QtUserInterface::CloseMonitorWindows() { emit monitorWindowsClosing(); }

}  // namespace telvor
