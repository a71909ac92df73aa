#include "monitor_sheet.h"

#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "monitor_panel.h"

namespace telvor {

CINVMonSheet::CINVMonSheet(MonitorSession& session, int station, QWidget* parent)
    : QDialog(parent), session_(session), panel_(new MonitorPanel(session, 10, this)), pages_(new QTabWidget) {
    setWindowTitle("Monitor");
    setObjectName("Monitor");
    panel_->SetStation(station);
    panel_->SetLinked(true);
    panel_->hide();
    // The panel keeps its logic; its three groups become the sheet's pages.
    const std::pair<const char*, const char*> pages[] = {
        {"CURRENT", "CURRENT"}, {"CONTROL", "CONTROL"}, {"TM2 status", "TM2 Status"}};
    for (const auto& [group, title] : pages) {
        for (QGroupBox* box : panel_->findChildren<QGroupBox*>()) {
            if (box->title() != group) continue;
            auto* page = new QWidget;
            page->setObjectName(title);
            auto* layout = new QVBoxLayout(page);
            box->setTitle(QString());
            layout->addWidget(box);
            layout->addStretch();
            pages_->addTab(page, title);
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    // A button's request is carried out after the poll in progress, never inside it.
    connect(panel_, &MonitorPanel::requestPosted, this,
            [this] { QTimer::singleShot(0, this, [this] { session_.RunRequests(); }); });
    session_.SetListener(this);
    connect(&timer_, &QTimer::timeout, this, &CINVMonSheet::Tick);
    timer_.start(kTimerPeriodMs);
    MonitorRefreshed();
}

CINVMonSheet::~CINVMonSheet() { session_.SetListener(nullptr); }

void CINVMonSheet::MonitorRefreshed() { panel_->Refresh(); }

void CINVMonSheet::Tick() {
    session_.TimerTick();
    // No to the failure question, or a port that could not be opened again, closed the monitor.
    if (session_.Window() != MonitorWindow::Single) reject();
}

}  // namespace telvor
