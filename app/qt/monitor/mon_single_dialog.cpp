#include "mon_single_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "monitor_panel.h"
#include "trend_panel.h"

namespace telvor {

CMonSingleDialog::CMonSingleDialog(MonitorSession& session, UserInterface& ui, int station, QWidget* parent)
    : QDialog(parent), panel_(new MonitorPanel(session, 5)), trend_(new TrendPanel(ui)) {
    setObjectName("CMonSingleDialog");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    panel_->SetStation(station);
    panel_->SetLinked(true);
    auto* exit = new QPushButton("EXIT");
    exit->setObjectName("EXIT");
    auto* log = new QPushButton("Log to CSV...");
    log->setObjectName("log");
    connect(log, &QPushButton::clicked, this, &CMonSingleDialog::logRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(log);
    buttons->addStretch();
    buttons->addWidget(exit);
    auto* columns = new QHBoxLayout;
    columns->addWidget(panel_);
    columns->addWidget(trend_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    ClearDefaultButtons(*this);
}

}  // namespace telvor
