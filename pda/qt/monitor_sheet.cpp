#include "monitor_sheet.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "monitor_panel.h"

namespace telvor {
namespace {

// The labels of the handheld's pages.
MonitorPanelLook HandheldLook() {
    MonitorPanelLook look;
    look.lampDiameter = 10;
    look.valueNames = {"Set freq.:", "Output freq.:", "Output volt.:", "Output amp.:", "Output power:", "Bus volt.:"};
    look.functionNumber = "Fun no:";
    look.functionData = "Fun data:";
    look.setData = "Set data:";
    look.errorMessage = "Error Message:";
    look.statesBesideCommands = true;
    return look;
}

}  // namespace

CINVMonSheet::CINVMonSheet(MonitorSession& session, int station, QWidget* parent)
    : QDialog(parent), session_(session), panel_(new MonitorPanel(session, HandheldLook(), this)),
      pages_(new QTabWidget) {
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
            auto* layout = new QVBoxLayout(page);
            box->setTitle(QString());
            layout->addWidget(box);
            layout->addStretch();
            auto* scroll = new QScrollArea;
            scroll->setObjectName(title);
            scroll->setWidgetResizable(true);
            scroll->setFrameShape(QFrame::NoFrame);
            scroll->setWidget(page);
            pages_->addTab(scroll, title);
        }
    }
    auto* close = new QPushButton("Close");
    close->setObjectName("Close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    // Enter in an edit presses only that edit's "Set"; no button of the sheet is a default.
    ClearDefaultButtons(*this);
    // A button's request is carried out after the poll in progress, never inside it.
    connect(panel_, &MonitorPanel::requestPosted, this,
            [this] { QTimer::singleShot(0, this, [this] { session_.RunRequests(); }); });
    session_.SetListener(this);
    connect(&timer_, &QTimer::timeout, this, &CINVMonSheet::Tick);
    timer_.start(kTimerPeriodMs);
    MonitorRefreshed();
    FitOwner();
}

CINVMonSheet::~CINVMonSheet() { session_.SetListener(nullptr); }

void CINVMonSheet::MonitorRefreshed() { panel_->Refresh(); }

void CINVMonSheet::FitOwner() {
    QSize size = sizeHint();
    if (const QWidget* owner = parentWidget()) {
        // The sheet's frame takes what the owner's frame takes.
        const QSize decoration = owner->frameGeometry().size() - owner->size();
        size = size.boundedTo(owner->size() - decoration);
    }
    resize(size);
}

void CINVMonSheet::Tick() {
    session_.TimerTick();
    // No to the failure question, or a port that could not be opened again, closed the monitor.
    if (session_.Window() != MonitorWindow::Single) reject();
}

}  // namespace telvor
