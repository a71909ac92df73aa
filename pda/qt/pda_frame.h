#pragma once
// CPdaFrame: the handheld's main window. One document shown in the shared grid,
// the handheld's menu with its status texts, and its commands.

#include <QHash>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QToolBar;

namespace telvor {

class CGSMModbusAscii;
class CSolvaneApp;
class CSolvaneView;
class MonitorSession;
class PdaUserInterface;

class CPdaFrame : public QMainWindow {
    Q_OBJECT
public:
    CPdaFrame(CSolvaneApp& app, PdaUserInterface& ui, CGSMModbusAscii& line, QWidget* parent = nullptr);
    ~CPdaFrame() override;

    QAction* Action(int commandId) const { return actions_.value(commandId); }
    CSolvaneView* View() const { return view_; }

    void OnFileNew();
    void OnFileOpen();
    bool OpenDocumentFile(const QString& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnLink();
    void OnRead();
    void OnWrite();
    void OnOnlineEdit();
    // Find (true) or Go to over the view's search.
    void ShowSearch(bool find);
    void OnMonitor();
    void OnModuleStatus();

    void ShowDocument();
    void UpdateCommandUi();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    bool SaveModifiedDocument();
    // Commands that talk to a drive: without a link the not-linked message and false.
    bool CheckLinked();

    CSolvaneApp& app_;
    PdaUserInterface& ui_;
    CGSMModbusAscii& line_;
    CSolvaneView* view_;
    QToolBar* toolBar_;
    QLabel* changedCount_;  // "12 of 111 changed" for a parameter document
    std::unique_ptr<MonitorSession> monitor_;
    QHash<int, QAction*> actions_;
};

}  // namespace telvor
