#include "line_overview_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "line_survey_flow.h"
#include "solvane_app.h"
#include "user_interface.h"

namespace telvor {
namespace {

enum Column {
    StationColumn,
    TitleColumn,
    ModelColumn,
    VersionColumn,
    StateColumn,
    FaultColumn,
    kColumnCount
};

QString StateText(const StationOverview& station) {
    if (!station.running) return "?";
    return *station.running ? "running" : "stopped";
}

QString FaultCodeText(const StationOverview& station) {
    if (!station.faultCode) return "?";
    return *station.faultCode == 0 ? "none" : QString("fault %1").arg(*station.faultCode);
}

}  // namespace

CLineOverviewWindow::CLineOverviewWindow(CSolvaneApp& app, UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      app_(app),
      ui_(ui),
      table_(new QTableWidget(0, kColumnCount)),
      progress_(new QProgressBar),
      cancel_(new QPushButton("Cancel")),
      refresh_(new QPushButton("&Refresh")),
      saveTrace_(new QPushButton("Save &trace...")),
      close_(new QPushButton("&Close")),
      statistics_(new QLabel) {
    setWindowTitle("Line Overview");
    setObjectName("LineOverview");
    table_->setObjectName("stations");
    progress_->setObjectName("progress");
    statistics_->setObjectName("statistics");
    table_->setHorizontalHeaderLabels({"Station", "Title", "Model", "Version", "State", "Fault"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    statistics_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statistics_->setWordWrap(true);

    auto* scanRow = new QHBoxLayout;
    scanRow->addWidget(progress_, 1);
    scanRow->addWidget(cancel_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refresh_);
    buttons->addWidget(saveTrace_);
    buttons->addStretch();
    buttons->addWidget(close_);
    for (QPushButton* b : {cancel_, refresh_, saveTrace_, close_}) b->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addLayout(scanRow);
    layout->addWidget(new QLabel("Line statistics:"));
    layout->addWidget(statistics_);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(cancel_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    connect(refresh_, &QPushButton::clicked, this, &CLineOverviewWindow::Refresh);
    connect(saveTrace_, &QPushButton::clicked, this, &CLineOverviewWindow::SaveTrace);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { LinkRow(row); });

    app_.Modbus().SetFrameTrace(&trace_);
    SetScanning(false);
    ShowStatistics();
}

CLineOverviewWindow::~CLineOverviewWindow() {
    app_.Modbus().SetFrameTrace(nullptr);
}

void CLineOverviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (scanned_) return;
    scanned_ = true;
    QTimer::singleShot(0, this, &CLineOverviewWindow::Refresh);
}

void CLineOverviewWindow::reject() {
    if (scanning_) {
        cancelRequested_ = true;
        return;
    }
    QDialog::reject();
}

void CLineOverviewWindow::SetScanning(bool scanning) {
    scanning_ = scanning;
    cancel_->setEnabled(scanning);
    refresh_->setEnabled(!scanning);
    saveTrace_->setEnabled(!scanning);
    close_->setEnabled(!scanning);
    table_->setEnabled(!scanning);
}

void CLineOverviewWindow::Refresh() {
    cancelRequested_ = false;
    SetScanning(true);
    table_->setRowCount(0);
    progress_->setValue(0);
    const std::optional<LineOverviewScan> scan = ScanLineOverview(app_, ui_, [this](int done, int total) {
        progress_->setMaximum(total);
        progress_->setValue(done);
        ui_.DrainEvents();
        return !cancelRequested_;
    });
    SetScanning(false);
    if (scan) {
        progress_->setValue(progress_->maximum());
        const CSolvaneDoc* document = app_.Document();
        for (const StationOverview& station : scan->stations) {
            const int row = table_->rowCount();
            table_->insertRow(row);
            const QString title =
                document ? QString::fromStdString(
                               document->stationTitles[static_cast<std::size_t>(station.station - 1)])
                         : QString();
            const QStringList cells = {QString("%1").arg(station.station, 3, 10, QChar('0')),
                                       title,
                                       QString::fromStdString(OverviewModelText(station)),
                                       QString::fromStdString(OverviewVersionText(station)),
                                       StateText(station),
                                       FaultCodeText(station)};
            for (int column = 0; column < kColumnCount; ++column) {
                auto* item = new QTableWidgetItem(cells[column]);
                item->setData(Qt::UserRole, station.station);
                table_->setItem(row, column, item);
            }
        }
    }
    ShowStatistics();
}

void CLineOverviewWindow::LinkRow(int row) {
    const QTableWidgetItem* item = table_->item(row, StationColumn);
    if (!item) return;
    if (LinkOverviewStation(app_, ui_, item->data(Qt::UserRole).toInt())) emit stationLinked();
    ShowStatistics();
}

void CLineOverviewWindow::ShowStatistics() {
    statistics_->setText(QString::fromStdString(LineStatisticsText(app_.Modbus().Statistics())));
}

void CLineOverviewWindow::SaveTrace() {
    const std::optional<std::string> path =
        ui_.AskSavePath({"line-trace.txt", "Text files (*.txt)", "txt", "Save the frame trace"});
    if (!path) return;
    std::FILE* file = std::fopen(path->c_str(), "w");
    bool written = file != nullptr;
    if (file) {
        StreamFrameTrace stream(file);
        for (const TracedFrame& frame : trace_.Frames())
            stream.Record(frame.direction, frame.time, frame.bytes);
        written = std::fclose(file) == 0;
    }
    if (!written)
        ui_.ShowMessage("Line Overview", "The frame trace could not be saved to " + *path + ".",
                        MessageIcon::Stop);
}

}  // namespace telvor
