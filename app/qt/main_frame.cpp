#include "main_frame.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include "block_read_setting.h"
#include "changed_parameters.h"
#include "command_table.h"
#include "monitor_windows.h"
#include "export_csv.h"
#include "def_para_dialog.h"
#include "compare_commands.h"
#include "compare_menu_commands.h"
#include "online_edit.h"
#include "pane_focus.h"
#include "program_icons.h"
#include "print_commands.h"
#include "qt_user_interface.h"
#include "solvane_app.h"
#include "solvane_view.h"
#include "status_panes.h"
#include "view_online_commit.h"

namespace telvor {
namespace {

constexpr const char* kMainTitle = "VarnoxLink Ver:1.1.140123";

}  // namespace

CMainFrame::CMainFrame(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      ui_(ui),
      stack_(new QStackedWidget),
      documentTitle_(new QLabel),
      view_(new CSolvaneView(ui, [this] { return ViewEditMode{app_.OnlineEdit(), app_.Link().linked}; })),
      monitor_(new MonitorWindows(app, ui, this)) {
    setObjectName("MainFrame");
    setWindowTitle(kMainTitle);
    setWindowIcon(ApplicationIcon());
    ui_.SetOwner(this);

    // The document's window: its name above the grid.
    auto* childFrame = new QWidget;
    auto* childLayout = new QVBoxLayout(childFrame);
    childLayout->setContentsMargins(0, 0, 0, 0);
    childLayout->setSpacing(0);
    documentTitle_->setObjectName("documentTitle");
    documentTitle_->setContentsMargins(6, 2, 6, 2);
    childLayout->addWidget(documentTitle_);
    childLayout->addWidget(view_);
    stack_->addWidget(new QWidget);
    stack_->addWidget(childFrame);
    setCentralWidget(stack_);
    view_->SetModalBusyHook([this](bool busy) { app_.Link().modalBusy = busy; });
    view_->SetOnlineCommit([this](const CSolvaneView::EditedSetting& edited) {
        CommitViewEdit(app_, ui_, *view_, edited);
        UpdateCommandUi();
    });

    CreateActions();
    print_ = new PrintCommands(app_, ui_, *this, [this] { UpdateCommandUi(); });
    connect(Action(ID_PRINT_TITLE_SET), &QAction::triggered, print_, &PrintCommands::OnPrintTitle);
    connect(Action(ID_FILE_PRINT), &QAction::triggered, print_, &PrintCommands::OnPrint);
    connect(Action(ID_FILE_PRINT_PREVIEW), &QAction::triggered, print_, &PrintCommands::OnPrintPreview);
    connect(Action(ID_FILE_EXPORT_PDF), &QAction::triggered, print_, &PrintCommands::OnExportPdf);
    CreateToolBar();
    CreateStatusBar();
    BuildMenus();

    connect(&ui_, &QtUserInterface::documentRefilled, this, [this] {
        view_->Refresh();
        UpdateCommandUi();
    });
    connect(&ui_, &QtUserInterface::documentReplaced, this, &CMainFrame::ShowDocument);
    connect(&ui_, &QtUserInterface::statusChanged, this, &CMainFrame::UpdateCommandUi);

    timer_.setObjectName("monitorTimer");
    timer_.setInterval(kTimerPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &CMainFrame::OnTimer);
    timer_.start();
    SetMonitorPoll([this] { monitor_->Poll(); });
    connect(monitor_, &MonitorWindows::stateChanged, this, &CMainFrame::UpdateCommandUi);
    UpdateCommandUi();
}

QString CMainFrame::DocumentTitle() const { return documentTitle_->text(); }

void CMainFrame::CreateActions() {
    for (const CommandInfo& command : CommandTable()) {
        auto* action = new QAction(command.menuText, this);
        const QString prompt = command.prompt;
        action->setStatusTip(prompt.section('\n', 0, 0));
        action->setToolTip(prompt.section('\n', 1));
        if (*command.shortcut) action->setShortcut(QKeySequence(command.shortcut));
        action->setData(command.id);
        actions_.insert(command.id, action);
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip("Open this document");
        action->setData(ID_FILE_MRU_FILE1 + i);
        connect(action, &QAction::triggered, this, [this, i] { OnRecentFile(i); });
        actions_.insert(ID_FILE_MRU_FILE1 + i, action);
    }
    Action(ID_ONLINE_EDIT)->setCheckable(true);
    Action(ID_VIEW_TOOLBAR)->setCheckable(true);
    Action(ID_VIEW_STATUS_BAR)->setCheckable(true);
    Action(ID_VIEW_CHANGED_ONLY)->setCheckable(true);
    Action(ID_VIEW_TOOLBAR)->setChecked(true);
    Action(ID_VIEW_STATUS_BAR)->setChecked(true);
    WireBlockReadAction(*Action(ID_BLOCK_READ), app_);

    connect(Action(ID_FILE_NEW), &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(Action(ID_FILE_OPEN), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(Action(ID_FILE_CLOSE), &QAction::triggered, this, &CMainFrame::OnFileClose);
    connect(Action(ID_FILE_SAVE), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(Action(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(Action(ID_COMPARE_INVERTER_DEFAULT), &QAction::triggered, this, [this] {
        if (RunCompareInverterDefault(app_, ui_, this)) ShowDocument();
    });
    connect(Action(ID_COMPARE_FILE_FILE), &QAction::triggered, this, [this] {
        if (RunCompareFileFile(app_, ui_, this)) ShowDocument();
    });
    connect(Action(ID_COMPARE_FILES_DEFAULT), &QAction::triggered, this, [this] {
        if (RunCompareFilesDefault(app_, ui_, this)) ShowDocument();
    });
    connect(Action(ID_EDIT_FIND), &QAction::triggered, view_, &CSolvaneView::OnFind);
    connect(Action(ID_EDIT_GOTO), &QAction::triggered, view_, &CSolvaneView::OnGoto);
    connect(Action(ID_DEFINITE_PARAMETER), &QAction::triggered, this, [this] {
        RunDefiniteParameter(app_, ui_, this);
        view_->Refresh();
    });
    connect(Action(ID_FILE_EXPORT_CSV), &QAction::triggered, this, [this] {
        if (app_.Document()) ExportCsv(*app_.Document(), ui_);
    });
    connect(Action(ID_LINK), &QAction::triggered, this, &CMainFrame::OnLink);
    connect(Action(ID_LINE_OVERVIEW), &QAction::triggered, this, &CMainFrame::OnLineOverview);
    connect(Action(ID_READ), &QAction::triggered, this, &CMainFrame::OnRead);
    connect(Action(ID_WRITE), &QAction::triggered, this, &CMainFrame::OnWrite);
    connect(Action(ID_MONITOR), &QAction::triggered, monitor_, &MonitorWindows::OnMonitor);
    connect(Action(ID_STATION_TITLE), &QAction::triggered, monitor_, &MonitorWindows::OnStationTitle);
    connect(Action(ID_ONLINE_EDIT), &QAction::triggered, this, &CMainFrame::OnOnlineEdit);
    connect(Action(ID_HELP_CONTENTS), &QAction::triggered, this, &CMainFrame::OnHelpContents);
    connect(Action(ID_APP_ABOUT), &QAction::triggered, this, &CMainFrame::OnAppAbout);
    connect(Action(ID_NEXT_PANE), &QAction::triggered, this, [this] { FocusNextPane(*this, true); });
    connect(Action(ID_PREV_PANE), &QAction::triggered, this, [this] { FocusNextPane(*this, false); });
    connect(Action(ID_VIEW_TOOLBAR), &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    connect(Action(ID_VIEW_STATUS_BAR), &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    connect(Action(ID_VIEW_CHANGED_ONLY), &QAction::triggered, view_, &CSolvaneView::SetChangedOnly);
    connect(view_, &CSolvaneView::changedOnlySwitched, this, [this](bool on) {
        print_->SetChangedOnly(on);
        UpdateCommandUi();
    });
    connect(view_, &CSolvaneView::settingEdited, this, &CMainFrame::UpdateCommandUi);
    for (QAction* action : actions_) {
        connect(action, &QAction::triggered, this, &CMainFrame::UpdateCommandUi);
        addAction(action);  // accelerators work whichever menu bar is shown
    }
}

void CMainFrame::BuildMenus() {
    const bool withDocument = app_.Document() != nullptr;
    if (menusBuilt_ && withDocument == menusWithDocument_) return;
    menusBuilt_ = true;
    menusWithDocument_ = withDocument;
    QMenuBar* bar = menuBar();
    bar->clear();
    const auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0) menu->addSeparator();
            else menu->addAction(Action(id));
        }
    };

    QMenu* file = bar->addMenu("&File");
    add(file, {ID_FILE_NEW, ID_FILE_OPEN});
    if (withDocument) add(file, {ID_FILE_CLOSE});
    file->addSeparator();
    QMenu* compare = file->addMenu("Co&mpare");
    add(compare, {ID_COMPARE_INVERTER_DEFAULT, ID_COMPARE_FILE_FILE, ID_COMPARE_FILES_DEFAULT});
    file->addSeparator();
    if (withDocument)
        add(file, {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_EXPORT_CSV, 0, ID_PRINT_TITLE_SET, ID_FILE_PRINT_PREVIEW,
                   ID_FILE_PRINT, ID_FILE_EXPORT_PDF, 0});
    for (int i = 0; i < kRecentFileCount; ++i) file->addAction(Action(ID_FILE_MRU_FILE1 + i));
    file->addSeparator();
    add(file, {ID_APP_EXIT});
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);

    if (withDocument) {
        QMenu* edit = bar->addMenu("&Edit");
        add(edit, {ID_STATION_TITLE, 0, ID_EDIT_FIND, ID_EDIT_GOTO, 0, ID_DEFINITE_PARAMETER});
        connect(edit, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
    }
    QMenu* operation = bar->addMenu("&Operation");
    add(operation, {ID_LINK, ID_LINE_OVERVIEW, 0, ID_READ});
    if (withDocument) add(operation, {ID_WRITE});
    add(operation, {0, ID_MONITOR, 0, ID_ONLINE_EDIT, ID_BLOCK_READ});
    connect(operation, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);

    QMenu* view = bar->addMenu("&View");
    add(view, {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, 0, ID_VIEW_CHANGED_ONLY});
    connect(view, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
    QMenu* help = bar->addMenu("&Help");
    add(help, {ID_HELP_CONTENTS, 0, ID_APP_ABOUT});
}

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar("Toolbar");
    toolBar_->setObjectName("Toolbar");
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(false);
    struct Button {
        int id;
        const char* icon;  // freedesktop icon names
        const char* secondChoice = nullptr;
    };
    const Button buttons[] = {
        {ID_FILE_NEW, "document-new"},
        {ID_FILE_OPEN, "document-open"},
        {ID_FILE_SAVE, "document-save"},
        {0, nullptr},
        {ID_FILE_PRINT, "document-print"},
        {ID_FILE_PRINT_PREVIEW, "document-print-preview"},
        {0, nullptr},
        {ID_LINK, "network-wired"},
        {ID_MONITOR, "utilities-system-monitor", "preferences-desktop-display"},
        {ID_READ, "network-receive"},
        {ID_WRITE, "document-send"},
        {0, nullptr},
        {ID_VIEW_CHANGED_ONLY, "edit-find"},
        {0, nullptr},
        {ID_HELP_CONTENTS, "help-contents"},
    };
    for (const Button& b : buttons) {
        if (b.id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        Action(b.id)->setIcon(ThemeIcon(b.icon, b.secondChoice));
        toolBar_->addAction(Action(b.id));
    }
}

void CMainFrame::CreateStatusBar() {
    const QScreen* screen = this->screen();
    const int width = screen ? screen->geometry().width() : 1024;
    const std::array<int, 5> widths{width / 4, width / 14, width / 8, width / 8, width / 8};
    for (int i = 0; i < 5; ++i) {
        panes_[i] = new QLabel;
        panes_[i]->setObjectName(QString("pane%1").arg(i));
        panes_[i]->setFixedWidth(widths[i]);
        panes_[i]->setFrameShape(QFrame::Panel);
        panes_[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(panes_[i]);
    }
    panes_[0]->setText("Ready");
    changedCount_ = new QLabel;
    changedCount_->setObjectName("changedCount");
    changedCount_->setContentsMargins(6, 0, 6, 0);
    statusBar()->addPermanentWidget(changedCount_);
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        panes_[0]->setText(tip.isEmpty() ? QString("Ready") : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::UpdateCommandUi() {
    const LinkState& link = app_.Link();
    CSolvaneDoc* doc = app_.Document();
    BuildMenus();

    Action(ID_READ)->setEnabled(link.linked && !link.modalBusy);
    Action(ID_LINK)->setEnabled(!link.stationScan);
    Action(ID_LINE_OVERVIEW)->setEnabled(!link.stationScan && !link.monitorOpen && !link.modalBusy);
    Action(ID_WRITE)->setEnabled(doc && link.linked && !IsComparison(*doc) && !link.monitorOpen && !link.stationScan);
    for (int id : {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_EXPORT_CSV, ID_PRINT_TITLE_SET,
                   ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT, ID_FILE_EXPORT_PDF})
        Action(id)->setEnabled(doc != nullptr);
    Action(ID_COMPARE_INVERTER_DEFAULT)->setEnabled(CanCompareInverterWithDefault(link));
    for (int id : {ID_EDIT_FIND, ID_EDIT_GOTO}) Action(id)->setEnabled(doc != nullptr);
    // The definite grid shows a parameter document's settings; a comparison has none.
    Action(ID_DEFINITE_PARAMETER)->setEnabled(doc && !IsComparison(*doc));
    Action(ID_MONITOR)->setEnabled(link.linked);
    Action(ID_STATION_TITLE)->setEnabled(doc && !IsComparison(*doc) && !link.modalBusy);
    Action(ID_ONLINE_EDIT)->setChecked(app_.OnlineEdit());
    const bool filters = view_->OffersChangedOnly();
    Action(ID_VIEW_CHANGED_ONLY)->setEnabled(filters);
    Action(ID_VIEW_CHANGED_ONLY)->setChecked(filters && view_->ChangedOnly());
    changedCount_->setText(filters ? QString::fromStdString(ChangedCountText(*doc)) : QString());

    const QStringList files = recent_.Files();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = Action(ID_FILE_MRU_FILE1 + i);
        const bool used = i < files.size() || i == 0;
        action->setVisible(used);
        if (i < files.size()) {
            action->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
            action->setEnabled(true);
        } else {
            action->setText("Recent File");
            action->setEnabled(false);
        }
    }

    panes_[1]->setText(QString::fromStdString(VersionPaneText(link)));
    panes_[2]->setText(QString::fromStdString(StationPaneText(link)));
    panes_[3]->setText(QString::fromStdString(ModelPaneText(link, doc != nullptr)));
    panes_[4]->setText(QString::fromStdString(EditPaneText(app_.OnlineEdit())));
    if (doc) documentTitle_->setText(QString::fromStdString(doc->title) + (doc->modified ? " *" : ""));
}

void CMainFrame::OnTimer() {
    LinkState& link = app_.Link();
    if (link.linked && !link.modalBusy) {
        link.modalBusy = true;
        if (link.monitorOpen && monitorPoll_) monitorPoll_();
        link.modalBusy = false;
    }
    UpdateCommandUi();
}

void CMainFrame::ShowDocument() {
    CSolvaneDoc* doc = app_.Document();
    view_->SetDocument(doc);
    stack_->setCurrentIndex(doc ? 1 : 0);
    if (doc) view_->setFocus();
    UpdateCommandUi();
}


}  // namespace telvor
