#include "mon_multi_dialog.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>

#include "link_state.h"
#include "monitor_panel.h"
#include "monitor_session.h"
#include "station_range.h"

namespace telvor {

CMonMultiDialog::CMonMultiDialog(MonitorSession& session, std::function<QString(int)> captionOf, QWidget* parent)
    : QDialog(parent), session_(session), captionOf_(std::move(captionOf)), scrollBar_(new QScrollBar(Qt::Vertical)) {
    setObjectName("CMonMultiDialog");
    setWindowTitle("Monitor All Station");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QGridLayout(this);
    for (int k = 0; k < kPanelsPerPage; ++k) {
        captions_[k] = new QLineEdit;
        captions_[k]->setReadOnly(true);
        captions_[k]->setObjectName(QString("caption%1").arg(k + 1));
        panels_[k] = new MonitorPanel(session, 3);
        panels_[k]->setObjectName(QString("panel%1").arg(k + 1));
        link_[k] = new QPushButton("Link");
        unlink_[k] = new QPushButton("Unlink");
        link_[k]->setObjectName(QString("link%1").arg(k + 1));
        unlink_[k]->setObjectName(QString("unlink%1").arg(k + 1));
        layout->addWidget(captions_[k], 0, k);
        layout->addWidget(panels_[k], 1, k);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(link_[k]);
        buttons->addWidget(unlink_[k]);
        layout->addLayout(buttons, 2, k);
        connect(panels_[k], &MonitorPanel::requestPosted, this, &CMonMultiDialog::requestPosted);
        connect(unlink_[k], &QPushButton::clicked, this, [this, k] {
            session_.UnlinkStation(panels_[k]->Station());
            SetPanelLinked(k, false);
            setFocus();
        });
        connect(link_[k], &QPushButton::clicked, this, [this, k] {
            session_.LinkStation(panels_[k]->Station());
            SetPanelLinked(k, true);
            setFocus();
        });
    }
    scrollBar_->setRange(0, kLastPage);
    scrollBar_->setPageStep(10);
    scrollBar_->setSingleStep(1);
    scrollBar_->setObjectName("pages");
    layout->addWidget(scrollBar_, 0, kPanelsPerPage, 3, 1);
    auto* log = new QPushButton("Log to CSV...");
    log->setObjectName("log");
    connect(log, &QPushButton::clicked, this, &CMonMultiDialog::logRequested);
    layout->addWidget(log, 3, 0);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &CMonMultiDialog::GoTo);
    // Page Up and Page Down page the stations whichever control has the focus; a
    // "Fun. no." list would otherwise take them as a change of its own entry.
    for (const auto& key : {std::pair{Qt::Key_PageUp, PageInput::PageUp},
                            std::pair{Qt::Key_PageDown, PageInput::PageDown}}) {
        auto* shortcut = new QShortcut(QKeySequence(key.first), this);
        const PageInput input = key.second;
        connect(shortcut, &QShortcut::activated, this, [this, input] { GoTo(PageAfter(session_.Page(), input)); });
    }
    ClearDefaultButtons(*this);
    setFocusPolicy(Qt::StrongFocus);
}

void CMonMultiDialog::SetPanelLinked(int index, bool linked) {
    MonitorPanel* panel = panels_[index];
    bool station = IsStationNumber(panel->Station());
    panel->SetLinked(linked && station);
    unlink_[index]->setEnabled(linked && station);
    link_[index]->setEnabled(!linked && station);
}

void CMonMultiDialog::ShowPage() {
    const int page = session_.Page();
    {
        const QSignalBlocker blocker(scrollBar_);
        scrollBar_->setValue(page);
    }
    for (int k = 0; k < kPanelsPerPage; ++k) {
        int station = StationOfPanel(page, k);
        panels_[k]->SetStation(station);
        bool present = IsStationNumber(station) && session_.Station(station).present;
        captions_[k]->setText(IsStationNumber(station) ? captionOf_(station) : QString());
        SetPanelLinked(k, present);
    }
}

void CMonMultiDialog::RefreshPanels() {
    for (MonitorPanel* panel : panels_) panel->Refresh();
}

void CMonMultiDialog::TakeOff(int station) {
    for (int k = 0; k < kPanelsPerPage; ++k)
        if (panels_[k]->Station() == station) SetPanelLinked(k, false);
}

void CMonMultiDialog::GoTo(int page) {
    session_.ShowPage(page);
    ShowPage();
}

void CMonMultiDialog::wheelEvent(QWheelEvent* event) {
    GoTo(PageAfterWheel(session_.Page(), event->angleDelta().y()));
    event->accept();
}

}  // namespace telvor
