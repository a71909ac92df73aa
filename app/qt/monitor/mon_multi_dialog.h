#pragma once
// CMonMultiDialog: "Monitor All Station", five station panels side by side with
// "Link" and "Unlink" each, paged through stations 1..254 by the scroll bar, the
// Page Up/Down keys and the wheel.

#include <QDialog>
#include <array>

#include "monitor_paging.h"

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace telvor {

class MonitorPanel;
class MonitorSession;

class CMonMultiDialog : public QDialog {
    Q_OBJECT
public:
    // captionOf gives the caption of a station (with its title when a document is open).
    CMonMultiDialog(MonitorSession& session, std::function<QString(int)> captionOf, QWidget* parent);

    // Shows the session's page: captions, present and absent panels, values.
    void ShowPage();
    void RefreshPanels();
    // "Unlink" or "&Abort": the station's panel is emptied when it is on the page.
    void TakeOff(int station);

    MonitorPanel* Panel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
    QScrollBar* ScrollBar() const { return scrollBar_; }

signals:
    void requestPosted();
    void logRequested();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void GoTo(int page);
    void SetPanelLinked(int index, bool linked);

    MonitorSession& session_;
    std::function<QString(int)> captionOf_;
    std::array<MonitorPanel*, kPanelsPerPage> panels_{};
    std::array<QLineEdit*, kPanelsPerPage> captions_{};
    std::array<QPushButton*, kPanelsPerPage> link_{};
    std::array<QPushButton*, kPanelsPerPage> unlink_{};
    QScrollBar* scrollBar_;
};

}  // namespace telvor
