#include "pda_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>

#include "changed_parameters.h"
#include "compare_menu_commands.h"
#include "description_line.h"
#include "document_file.h"
#include "document_save.h"
#include "find_goto_dialog.h"
#include "gsm_modbus_ascii.h"
#include "handheld_link.h"
#include "model_select_dialog.h"
#include "monitor_session.h"
#include "monitor_sheet.h"
#include "module_status_dialog.h"
#include "pda_group_dialog.h"
#include "pda_link_dialog.h"
#include "pda_user_interface.h"
#include "program_icons.h"
#include "read_flow.h"
#include "solvane_app.h"
#include "solvane_view.h"
#include "view_online_commit.h"
#include "write_flow.h"

namespace telvor {
namespace {

constexpr const char* kTitle = "VarnoxLink PDA";
constexpr const char* kOpenFilter =
    "VarnoxLink Files (*.vx3; *.mvx)|*.vx3; *.mvx|Parameter Files (*.vx3)|*.vx3|Compare Files (*.mvx)|*.mvx|"
    "All Files (*.*)|*.*|";

enum PdaCommand {
    kNew = 57600,
    kOpen = 57601,
    kSave = 57603,
    kSaveAs = 32797,
    kCompareInverter = 32775,
    kCompareFileFile = 32776,
    kCompareFilesDefault = 32777,
    kFind = 57636,
    kGoto = 32782,
    kExit = 32779,
    kLink = 32788,
    kRead = 32790,
    kWrite = 32791,
    kMonitor = 32792,
    kOnlineEdit = 32793,
    kToolbar = 59392,
    kChangedOnly = 32799,
    kModuleStatus = 32798,
};

struct PdaMenuItem {
    const char* menu;
    int id;
    const char* text;
    const char* prompt;  // "status text\ntool tip"
};

constexpr PdaMenuItem kMenu[] = {
    {"File", kNew, "&New...", "Create a new parameter document\nNew"},
    {"File", kOpen, "&Open...", "Open an existing parameter document\nOpen"},
    {"File/Compare", kCompareInverter, "&Inverter with Default...",
     "Compare parameter: Inverter with Default\nInverter with Default"},
    {"File/Compare", kCompareFileFile, "&File with File...", "Compare parameter: File with File\nFile with File"},
    {"File/Compare", kCompareFilesDefault, "Files with &Default...",
     "Compare parameter: Files with Default\nFiles with Default"},
    {"File", kSave, "&Save", "Save the active document\nSave"},
    {"File", kSaveAs, "Save &As...", "Save the active document with a new name\nSave As"},
    {"File", kExit, "E&xit", "Quit the VarnoxLink PDA; prompts to save file\nExit"},
    {"Edit", kFind, "&Find...", "Find the specified text\nFind"},
    {"Edit", kGoto, "&Go to...", "Go to the specified parameter line\nGo to"},
    {"Operation", kLink, "&Link...", "Link with inverter\nLink"},
    {"Operation", kRead, "&Read...", "Read parameters from the inverter\nRead"},
    {"Operation", kWrite, "&Write...", "Write parameters to the inverter\nWrite"},
    {"Operation", kMonitor, "&Monitor", "Monitor the inverter status and parameters\nMonitor"},
    {"Operation", kOnlineEdit, "Online &Edit", "Setting online edit\nOnline Edit"},
    {"View", kToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {"View", kChangedOnly, "&Changed only", "Show only the changed parameters\nChanged only"},
    {"View", kModuleStatus, "&Module Status...",
     "Display program information, version number and copyright\nModule Status"},
};

// The shown title of a menu, with its mnemonic (Alt+F opens File).
QString MenuTitle(const QString& menu) {
    static const QHash<QString, QString> titles = {{"File", "&File"},         {"Compare", "Co&mpare"},
                                                   {"Edit", "&Edit"},         {"Operation", "&Operation"},
                                                   {"View", "&View"}};
    return titles.value(menu, menu);
}

}  // namespace

CPdaFrame::CPdaFrame(CSolvaneApp& app, PdaUserInterface& ui, CGSMModbusAscii& line, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      ui_(ui),
      line_(line),
      view_(new CSolvaneView(ui, [this] { return ViewEditMode{app_.OnlineEdit(), app_.Link().linked}; })),
      toolBar_(new QToolBar("Toolbar")),
      changedCount_(new QLabel),
      monitor_(std::make_unique<MonitorSession>(app, ui)) {
    setObjectName("PdaFrame");
    setWindowIcon(ApplicationIcon());
    ui_.SetOwner(this);
    app_.UseLine(&line_);
    ui_.SetMonitorFailureHandler([this] { return HandheldMonitorFailure(app_, ui_, line_); });
    monitor_->SetSetDataMessageForm(SetDataMessageForm::Grid);
    setCentralWidget(WithDescriptionLine(*view_));
    resize(480, 640);
    setMinimumSize(240, 320);
    view_->SetModalBusyHook([this](bool busy) { app_.Link().modalBusy = busy; });
    view_->SetOnlineCommit([this](const CSolvaneView::EditedSetting& edited) {
        CommitViewEdit(app_, ui_, *view_, edited);
        UpdateCommandUi();
    });
    BuildMenus();
    changedCount_->setObjectName("changedCount");
    statusBar()->addPermanentWidget(changedCount_);
    connect(view_, &CSolvaneView::changedOnlySwitched, this, &CPdaFrame::UpdateCommandUi);
    connect(view_, &CSolvaneView::settingEdited, this, &CPdaFrame::UpdateCommandUi);
    connect(&ui_, &QtUserInterface::documentRefilled, this, [this] {
        view_->Refresh();
        UpdateCommandUi();
    });
    connect(&ui_, &QtUserInterface::documentReplaced, this, &CPdaFrame::ShowDocument);
    connect(&ui_, &QtUserInterface::statusChanged, this, &CPdaFrame::UpdateCommandUi);
    // The handheld always has its one document.
    app_.NewDocument();
    ShowDocument();
}

CPdaFrame::~CPdaFrame() = default;

void CPdaFrame::BuildMenus() {
    const QHash<int, void (CPdaFrame::*)()> handlers = {
        {kNew, &CPdaFrame::OnFileNew},         {kOpen, &CPdaFrame::OnFileOpen},
        {kLink, &CPdaFrame::OnLink},           {kRead, &CPdaFrame::OnRead},
        {kWrite, &CPdaFrame::OnWrite},         {kOnlineEdit, &CPdaFrame::OnOnlineEdit},
        {kMonitor, &CPdaFrame::OnMonitor},
        {kModuleStatus, &CPdaFrame::OnModuleStatus},
    };
    QHash<QString, QMenu*> menus;
    for (const PdaMenuItem& item : kMenu) {
        QMenu*& menu = menus[item.menu];
        if (!menu) {
            // "File/Compare" is a submenu of File.
            const QStringList path = QString(item.menu).split('/');
            menu = path.size() > 1 ? menus[path.first()]->addMenu(MenuTitle(path.last()))
                                   : menuBar()->addMenu(MenuTitle(item.menu));
        }
        const QStringList prompt = QString(item.prompt).split('\n');
        auto* action = menu->addAction(item.text);
        action->setObjectName(QString::number(item.id));
        action->setStatusTip(prompt.first());
        action->setToolTip(prompt.last());
        actions_.insert(item.id, action);
        if (auto handler = handlers.value(item.id)) connect(action, &QAction::triggered, this, handler);
    }
    using RunCompare = bool (*)(CSolvaneApp&, QtUserInterface&, QWidget*, const AdaptDialog&);
    const std::pair<int, RunCompare> compares[] = {
        {kCompareInverter, &RunCompareInverterDefault},
        {kCompareFileFile, &RunCompareFileFile},
        {kCompareFilesDefault, &RunCompareFilesDefault},
    };
    for (const auto& [id, run] : compares)
        connect(actions_[id], &QAction::triggered, this, [this, id = id, run = run] {
            if (id == kCompareInverter && !CheckLinked()) return;
            run(app_, ui_, this, [](QDialog& dialog) {
                // The handheld's file slots are chosen with small "..." buttons.
                for (QPushButton* button : dialog.findChildren<QPushButton*>())
                    if (button->text().startsWith("File&")) button->setText("...");
            });
            ShowDocument();
        });
    connect(actions_[kFind], &QAction::triggered, this, [this] { ShowSearch(true); });
    connect(actions_[kGoto], &QAction::triggered, this, [this] { ShowSearch(false); });
    actions_[kFind]->setShortcut(QKeySequence("Ctrl+F"));
    actions_[kGoto]->setShortcut(QKeySequence("Ctrl+G"));
    connect(actions_[kSave], &QAction::triggered, this, &CPdaFrame::OnFileSave);
    connect(actions_[kSaveAs], &QAction::triggered, this, &CPdaFrame::OnFileSaveAs);
    connect(actions_[kExit], &QAction::triggered, this, &QWidget::close);
    actions_[kOnlineEdit]->setCheckable(true);
    actions_[kToolbar]->setCheckable(true);
    actions_[kToolbar]->setChecked(true);
    connect(actions_[kToolbar], &QAction::toggled, toolBar_, &QToolBar::setVisible);
    actions_[kChangedOnly]->setCheckable(true);
    connect(actions_[kChangedOnly], &QAction::triggered, view_, &CSolvaneView::SetChangedOnly);

    toolBar_->setObjectName("Toolbar");
    toolBar_->setIconSize(QSize(16, 16));
    const std::pair<int, QStyle::StandardPixmap> pictures[] = {
        {kNew, QStyle::SP_FileIcon},           {kOpen, QStyle::SP_DialogOpenButton},
        {kSave, QStyle::SP_DialogSaveButton},  {kLink, QStyle::SP_DriveNetIcon},
        {kRead, QStyle::SP_ArrowDown},         {kWrite, QStyle::SP_ArrowUp},
        {kChangedOnly, QStyle::SP_FileDialogContentsView},
    };
    for (const auto& [id, picture] : pictures) {
        actions_[id]->setIcon(style()->standardIcon(picture));
        toolBar_->addAction(actions_[id]);
    }
    addToolBar(toolBar_);
}

void CPdaFrame::UpdateCommandUi() {
    const CSolvaneDoc* doc = app_.Document();
    const bool comparison = doc && IsComparison(*doc);
    actions_[kWrite]->setEnabled(doc && !comparison);
    actions_[kOnlineEdit]->setChecked(app_.OnlineEdit());
    const bool filters = view_->OffersChangedOnly();
    actions_[kChangedOnly]->setEnabled(filters);
    actions_[kChangedOnly]->setChecked(filters && view_->ChangedOnly());
    changedCount_->setText(filters ? QString::fromStdString(ChangedCountText(*doc)) : QString());
    setWindowTitle(doc ? QString::fromStdString(doc->title) + " - " + kTitle : QString(kTitle));
}

void CPdaFrame::ShowDocument() {
    view_->SetDocument(app_.Document());
    UpdateCommandUi();
}

bool CPdaFrame::SaveModifiedDocument() {
    CSolvaneDoc* doc = app_.Document();
    return !doc || SaveIfModified(*doc, ui_, SaveButtons::YesNoCancel);
}

bool CPdaFrame::CheckLinked() {
    if (app_.Link().linked) return true;
    ui_.RunFixedDialog(FixedDialog::NotLinked);
    return false;
}

void CPdaFrame::OnFileNew() {
    LinkState& link = app_.Link();
    const CSolvaneDoc* doc = app_.Document();
    CModelType dialog(doc ? ModelChoice{doc->modelIndex, Is50Hz(*doc)} : ModelChoice{link.currentModel, link.is50Hz},
                      this);
    if (ui_.RunModal(dialog) != QDialog::Accepted || !SaveModifiedDocument()) return;
    const ModelChoice choice = dialog.Choice();
    link.currentModel = choice.modelIndex;
    link.is50Hz = choice.is50Hz;
    app_.Pending().Clear();
    app_.NewDocument();
    ShowDocument();
}

void CPdaFrame::OnFileOpen() {
    const std::optional<std::string> path = ui_.AskOpenPath(kOpenFilter, "vx3");
    if (path) OpenDocumentFile(QString::fromStdString(*path));
}

bool CPdaFrame::OpenDocumentFile(const QString& path) {
    DocumentReadResult read = ReadDocumentFile(path.toStdString());
    if (!read.ok) {
        ui_.ShowMessage("Open", read.message.text, MessageIcon::Stop);
        return false;
    }
    if (!SaveModifiedDocument()) return false;
    app_.TakeOpenedDocument(std::move(read.doc));
    ShowDocument();
    return true;
}

bool CPdaFrame::OnFileSave() {
    CSolvaneDoc* doc = app_.Document();
    const bool saved = doc && SaveDocument(*doc, ui_);
    UpdateCommandUi();
    return saved;
}

bool CPdaFrame::OnFileSaveAs() {
    CSolvaneDoc* doc = app_.Document();
    const bool saved = doc && SaveDocumentAs(*doc, ui_);
    UpdateCommandUi();
    return saved;
}

void CPdaFrame::OnLink() {
    std::optional<LinkDialogData> start = BeginLinkCommand(app_);
    if (!start) return;
    CPdaLinkDialog dialog(*start, this);
    ui_.RunModal(dialog);
    FinishHandheldLinkCommand(app_, ui_, line_, dialog.Action(), dialog.Choice());
    UpdateCommandUi();
}

void CPdaFrame::OnRead() {
    if (!CheckLinked()) return;
    std::optional<ReadDialogData> start = BeginReadCommand(app_);
    if (!start) return;
    CPdaGroupDialog dialog("Read", start->station, this);
    std::optional<ReadDialogData> choice;
    if (ui_.RunModal(dialog) == QDialog::Accepted) choice = ReadDialogData{dialog.Station(), dialog.Groups(), false};
    FinishReadCommand(app_, ui_, choice);
    ShowDocument();
}

void CPdaFrame::OnWrite() {
    std::optional<WriteDialogData> start = BeginWriteCommand(app_, ui_);
    if (!start) return;
    CPdaGroupDialog dialog("Write", app_.Link().currentStation, this);
    if (ui_.RunModal(dialog) == QDialog::Accepted)
        FinishWriteCommand(app_, ui_, {std::to_string(dialog.Station()), false, dialog.Groups()});
    UpdateCommandUi();
}

void CPdaFrame::ShowSearch(bool find) {
    find ? view_->OnFind() : view_->OnGoto();
    // The handheld shows Find and Go to as two dialogs of their own: no tabs, each with its caption.
    if (CFindGotoDialog* dialog = view_->FindGotoDialog()) {
        dialog->Tabs()->hide();
        dialog->setWindowTitle(find ? "Find" : "Go to");
    }
}

void CPdaFrame::OnOnlineEdit() {
    app_.SetOnlineEdit(!app_.OnlineEdit());
    UpdateCommandUi();
}

void CPdaFrame::OnMonitor() {
    if (!CheckLinked()) return;
    CPdaGroupDialog choice("Monitor", app_.Link().currentStation, this, false);
    if (ui_.RunModal(choice) != QDialog::Accepted || !monitor_->StartSingle(choice.Station())) return;
    {
        CINVMonSheet sheet(*monitor_, choice.Station(), this);
        ui_.RunModal(sheet);
    }
    monitor_->CloseWindow();
    UpdateCommandUi();
}

void CPdaFrame::OnModuleStatus() {
    CModuleStatusDialog dialog(ReadModuleStatus(app_, ui_), this);
    ui_.RunModal(dialog);
}

void CPdaFrame::closeEvent(QCloseEvent* event) {
    if (!SaveModifiedDocument()) {
        event->ignore();
        return;
    }
    if (app_.Link().linked) Unlink(app_, ui_);
    app_.CloseProgressWindow();
    app_.CloseCancelProgressWindow();
    event->accept();
}

}  // namespace telvor
