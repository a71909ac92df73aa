#pragma once
// CMonSingleDialog: the modeless single-station monitor window.

#include <QDialog>

namespace telvor {

class MonitorPanel;
class MonitorSession;
class TrendPanel;
class UserInterface;

class CMonSingleDialog : public QDialog {
    Q_OBJECT
public:
    CMonSingleDialog(MonitorSession& session, UserInterface& ui, int station, QWidget* parent);
    MonitorPanel* Panel() const { return panel_; }
    TrendPanel* Trend() const { return trend_; }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

signals:
    void logRequested();

private:
    MonitorPanel* panel_;
    TrendPanel* trend_;
};

}  // namespace telvor
