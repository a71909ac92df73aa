#pragma once
// CMainFrame: the main window of the desktop program. Menus (one bar without a
// document, one with), toolbar, the five status panes, the 400 ms timer, the
// document's window and every command of the program.

#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>

#include "recent_file_list.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;

namespace telvor {

class CSolvaneApp;
class CSolvaneView;
class PrintCommands;
class MonitorWindows;
class QtUserInterface;

// The name the main window's geometry is kept under between runs.
inline constexpr const char* kMainWindowName = "MainFrame";

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTimerPeriodMs = 400;

    CMainFrame(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent = nullptr);

    QAction* Action(int commandId) const { return actions_.value(commandId); }
    QLabel* Pane(int index) const { return panes_[index]; }
    // "12 of 111 changed" for a parameter document; empty otherwise.
    QLabel* ChangedCount() const { return changedCount_; }
    CSolvaneView* View() const { return view_; }
    MonitorWindows* Monitor() const { return monitor_; }
    QToolBar* ToolBar() const { return toolBar_; }
    PrintCommands* Print() const { return print_; }
    QString DocumentTitle() const;

    // Enabling, check marks and status panes for the current state.
    void UpdateCommandUi();
    // What the 400 ms timer runs while linked and no other link work holds the line.
    void SetMonitorPoll(std::function<void()> poll) { monitorPoll_ = std::move(poll); }

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileClose();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnRecentFile(int index);
    void OnLink();
    void OnLineOverview();
    void OnRead();
    void OnWrite();
    void OnOnlineEdit();
    void OnHelpContents();
    void OnAppAbout();

    // Opens a file as a document, closing the open one; messages on failure.
    bool OpenDocumentFile(const QString& path);
    // The document the application holds, shown in the window (or no document).
    void ShowDocument();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void BuildMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void OnTimer();
    // The open document's save question with Yes, No and Cancel; whether to go on.
    bool SaveModifiedDocument();
    bool WriteSettings();
    void SavedAs(bool saved);

    CSolvaneApp& app_;
    QtUserInterface& ui_;
    RecentFileList recent_;
    QHash<int, QAction*> actions_;
    QStackedWidget* stack_;
    QLabel* documentTitle_;
    CSolvaneView* view_;
    QToolBar* toolBar_ = nullptr;
    PrintCommands* print_ = nullptr;
    std::array<QLabel*, 5> panes_{};
    QLabel* changedCount_ = nullptr;
    QTimer timer_{this};  // "monitorTimer"
    std::function<void()> monitorPoll_;
    MonitorWindows* monitor_;
    bool menusWithDocument_ = false;
    bool menusBuilt_ = false;
};

}  // namespace telvor
