#pragma once
// CMonSingleDialog: the modeless single-station monitor window.

#include <QDialog>

namespace telvor {

class MonitorPanel;
class MonitorSession;
class TrendChart;

class CMonSingleDialog : public QDialog {
    Q_OBJECT
public:
    CMonSingleDialog(MonitorSession& session, int station, QWidget* parent);
    MonitorPanel* Panel() const { return panel_; }
    TrendChart* Trend() const { return trend_; }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

signals:
    void logRequested();

private:
    MonitorPanel* panel_;
    TrendChart* trend_;
};

}  // namespace telvor
