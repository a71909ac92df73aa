// The commands of the main window and the rules for closing it.

#include <QCloseEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "about_dialog.h"
#include "document_file.h"
#include "document_save.h"
#include "help_window.h"
#include "installed_files.h"
#include "line_overview_window.h"
#include "line_survey_flow.h"
#include "link_dialog.h"
#include "main_frame.h"
#include "model_select_dialog.h"
#include "program_folder.h"
#include "qt_user_interface.h"
#include "read_para_dialog.h"
#include "solvane_app.h"
#include "solvane_view.h"
#include "window_geometry.h"
#include "write_para_dialog.h"

namespace telvor {
namespace {

constexpr const char* kOpenFilter =
    "VarnoxLink Files (*.vx3; *.mvx)|*.vx3; *.mvx|Parameter Files (*.vx3)|*.vx3|Compare Files (*.mvx)|*.mvx|"
    "All Files (*.*)|*.*|";

MessageIcon IconOf(FileMessageIcon icon) {
    return icon == FileMessageIcon::Warning ? MessageIcon::Warning : MessageIcon::Stop;
}

}  // namespace

bool CMainFrame::SaveModifiedDocument() {
    CSolvaneDoc* doc = app_.Document();
    if (!doc) return true;
    const bool goOn = SaveIfModified(*doc, ui_, SaveButtons::YesNoCancel);
    if (!doc->untitled && !doc->modified && !doc->path.empty()) recent_.Add(QString::fromStdString(doc->path));
    UpdateCommandUi();
    return goOn;
}

void CMainFrame::OnFileNew() {
    LinkState& link = app_.Link();
    link.modalBusy = true;
    const CSolvaneDoc* doc = app_.Document();
    CModelType dialog(doc ? ModelChoice{doc->modelIndex, Is50Hz(*doc)} : ModelChoice{link.currentModel, link.is50Hz},
                      this);
    if (ui_.RunModal(dialog) == QDialog::Accepted && SaveModifiedDocument()) {
        const ModelChoice choice = dialog.Choice();
        link.currentModel = choice.modelIndex;
        link.is50Hz = choice.is50Hz;
        app_.Pending().Clear();
        app_.CloseDocument();
        app_.NewDocument();
        ShowDocument();
    }
    link.modalBusy = false;
    UpdateCommandUi();
}

void CMainFrame::OnFileOpen() {
    const std::optional<std::string> path = ui_.AskOpenPath(kOpenFilter, "vx3");
    if (!path) return;
    // The extension is tested before anything happens to the open document.
    if (!HasDocumentExtension(*path)) {
        ui_.ShowMessage(kApplicationTitle, kFormatMessage, MessageIcon::Warning);
        return;
    }
    OpenDocumentFile(QString::fromStdString(*path));
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    // Read first: a file that cannot be opened leaves the open document as it is.
    DocumentReadResult read = ReadDocumentFile(path.toStdString());
    if (!read.ok) {
        ui_.ShowMessage(read.message.caption, read.message.text, IconOf(read.message.icon));
        return false;
    }
    if (!SaveModifiedDocument()) return false;
    app_.TakeOpenedDocument(std::move(read.doc));
    recent_.Add(path);
    ShowDocument();
    return true;
}

void CMainFrame::OnRecentFile(int index) {
    const QStringList files = recent_.Files();
    if (index < 0 || index >= files.size()) return;
    if (!OpenDocumentFile(files[index]) && !QFileInfo::exists(files[index])) recent_.Remove(files[index]);
    UpdateCommandUi();
}

void CMainFrame::OnFileClose() {
    if (!app_.Document() || !SaveModifiedDocument()) return;
    app_.CloseDocument();
    app_.Pending().Clear();
    ShowDocument();
}

bool CMainFrame::OnFileSave() {
    CSolvaneDoc* doc = app_.Document();
    if (!doc) return false;
    app_.Link().modalBusy = true;
    const bool saved = SaveDocument(*doc, ui_);
    app_.Link().modalBusy = false;
    SavedAs(saved);
    return saved;
}

bool CMainFrame::OnFileSaveAs() {
    CSolvaneDoc* doc = app_.Document();
    if (!doc) return false;
    app_.Link().modalBusy = true;
    const bool saved = SaveDocumentAs(*doc, ui_);
    app_.Link().modalBusy = false;
    SavedAs(saved);
    return saved;
}

void CMainFrame::SavedAs(bool saved) {
    if (saved) recent_.Add(QString::fromStdString(app_.Document()->path));
    UpdateCommandUi();
}

void CMainFrame::OnLink() {
    std::optional<LinkDialogData> start = BeginLinkCommand(app_);
    if (!start) return;
    UpdateCommandUi();
    CLinkDialog dialog(*start, this);
    dialog.SetSettingsFinder([this](const LinkDialogData& choice) { return FindLinkSettings(app_, ui_, choice); });
    ui_.RunModal(dialog);
    FinishLinkCommand(app_, ui_, dialog.Action(), dialog.Choice());
    view_->viewport()->update();  // b95's Setting cell follows the link
    UpdateCommandUi();
}

void CMainFrame::OnLineOverview() {
    const LinkState& link = app_.Link();
    if (link.stationScan || link.monitorOpen || link.modalBusy) return;
    CLineOverviewWindow window(app_, ui_, this);
    connect(&window, &CLineOverviewWindow::stationLinked, this, [this] {
        view_->viewport()->update();
        UpdateCommandUi();
    });
    ui_.RunModal(window);
    UpdateCommandUi();
}

void CMainFrame::OnRead() {
    std::optional<ReadDialogData> start = BeginReadCommand(app_);
    if (!start) return;
    UpdateCommandUi();
    CReadParaDialog dialog(*start, this);
    std::optional<ReadDialogData> choice;
    if (ui_.RunModal(dialog) == QDialog::Accepted) choice = dialog.Choice();
    FinishReadCommand(app_, ui_, choice);
    ShowDocument();
}

void CMainFrame::OnWrite() {
    std::optional<WriteDialogData> start = BeginWriteCommand(app_, ui_);
    if (!start) return;
    CWriteParaDialog dialog(*start, ui_, this);
    if (ui_.RunModal(dialog) == QDialog::Accepted) FinishWriteCommand(app_, ui_, dialog.Choice());
    UpdateCommandUi();
}

void CMainFrame::OnOnlineEdit() {
    app_.SetOnlineEdit(!app_.OnlineEdit());
    view_->viewport()->update();  // b95's Setting cell changes between editable and read-only
    UpdateCommandUi();
}

void CMainFrame::OnHelpContents() {
    const QString path = QString::fromStdString(HelpFileToOpen(app_.ProgramFolder(), ExecutableFolder()));
    ShowHelpFile(path, ui_, *this);
}

void CMainFrame::OnAppAbout() {
    app_.Link().modalBusy = true;
    CAboutDlg about(this);
    ui_.RunModal(about);
    app_.Link().modalBusy = false;
}

bool CMainFrame::WriteSettings() {
    const std::string path = SettingsFilePath(app_.ProgramFolder());
    for (;;) {
        const SettingsWriteResult written = EditSettingsFile(path, [this](ProgramSettings& settings) {
            settings = app_.SettingsToStore();
            return true;
        });
        if (written.ok) return true;
        // The user sees which file failed and why, and chooses: try again, quit
        // without the settings, or go back to the program.
        QMessageBox box(QMessageBox::Warning, kApplicationTitle,
                        QString::fromStdString(written.message) + "\n\nThe settings were not saved.", QMessageBox::NoButton,
                        this);
        box.setObjectName("SettingsWriteFailed");
        QPushButton* retry = box.addButton("&Retry", QMessageBox::AcceptRole);
        QPushButton* quit = box.addButton("&Quit without saving", QMessageBox::DestructiveRole);
        QPushButton* back = box.addButton("&Go back", QMessageBox::RejectRole);
        box.setDefaultButton(retry);
        box.setEscapeButton(back);
        ui_.RunModal(box);
        if (box.clickedButton() == quit) return true;
        if (box.clickedButton() != retry) return false;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (app_.Link().stationScan || !SaveModifiedDocument() || !WriteSettings()) {
        event->ignore();
        UpdateCommandUi();
        return;
    }
    timer_.stop();
    SaveWindowGeometry(*this, kMainWindowName);
    if (app_.Link().linked) Unlink(app_, ui_);
    app_.CloseProgressWindow();
    app_.CloseCancelProgressWindow();
    event->accept();
}

}  // namespace telvor
