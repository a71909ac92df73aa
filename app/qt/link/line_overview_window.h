#pragma once
// The "Line Overview" window: the stations that answer on the line with their title,
// model, version, state and fault, found by a quick scan with a progress bar and
// Cancel; a double-click links a station; the line statistics below; the frames sent
// and received while the window is open can be saved.

#include <QDialog>

#include "frame_trace.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace telvor {

class CSolvaneApp;
class UserInterface;

class CLineOverviewWindow : public QDialog {
    Q_OBJECT
  public:
    CLineOverviewWindow(CSolvaneApp& app, UserInterface& ui, QWidget* parent = nullptr);
    ~CLineOverviewWindow() override;

    // Scans the line again and fills the table.
    void Refresh();
    // While a scan runs, Escape and the close box cancel the scan instead.
    void reject() override;

  signals:
    // A station was linked by a double-click.
    void stationLinked();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void LinkRow(int row);
    void ShowStatistics();
    void SaveTrace();
    void SetScanning(bool scanning);

    CSolvaneApp& app_;
    UserInterface& ui_;
    RecordingFrameTrace trace_;
    QTableWidget* table_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QPushButton* refresh_;
    QPushButton* saveTrace_;
    QPushButton* close_;
    QLabel* statistics_;
    bool cancelRequested_ = false;
    bool scanned_ = false;
    bool scanning_ = false;
};

}  // namespace telvor
