#include "trend_panel.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "monitor_texts.h"
#include "trend_chart.h"
#include "trend_csv_export.h"
#include "user_interface.h"

namespace telvor {
namespace {

constexpr const char* kChannelObjectNames[kTrendChannelCount] = {"showSetFrequency", "showOutputFrequency",
                                                                 "showOutputVoltage", "showOutputCurrent",
                                                                 "showOutputPower", "showBusVoltage"};

constexpr const char* kReadoutHint = "Move the mouse over the chart to read every channel at a time.";

QPushButton* Button(const QString& text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    return button;
}

}  // namespace

TrendPanel::TrendPanel(UserInterface& ui, QWidget* parent)
    : QWidget(parent),
      ui_(ui),
      record_(std::chrono::system_clock::now()),
      opened_(std::chrono::steady_clock::now()),
      chart_(new TrendChart(record_, window_)),
      pause_(Button("Pause", "pause")),
      readout_(new QLabel) {
    auto* channels = new QHBoxLayout;
    for (TrendChannel channel : kTrendChannels) {
        auto* box = new QCheckBox(InfoOf(channel).name);
        box->setObjectName(kChannelObjectNames[IndexOf(channel)]);
        box->setChecked(chart_->ChannelShown(channel));
        connect(box, &QCheckBox::toggled, this, [this, channel](bool on) { chart_->ShowChannel(channel, on); });
        channels->addWidget(box);
    }
    channels->addStretch();

    auto* span = new QComboBox;
    span->setObjectName("span");
    span->addItems({"1 min", "10 min", "60 min", "All"});
    span->setCurrentIndex(1);
    window_.SetSpan(kSpans[1]);
    connect(span, &QComboBox::activated, this,
            [this](int index) { chart_->SetSpan(kSpans[static_cast<std::size_t>(index)]); });
    connect(pause_, &QPushButton::clicked, chart_, &TrendChart::TogglePause);
    QPushButton* image = Button("Save PNG...", "savePng");
    connect(image, &QPushButton::clicked, this,
            [this] { AskAndSave({"trend.png", "PNG Files (*.png)|*.png||", "png"}, &TrendPanel::SaveImage); });
    QPushButton* csv = Button("Export CSV...", "exportCsv");
    connect(csv, &QPushButton::clicked, this,
            [this] { AskAndSave({"trend.csv", "CSV Files (*.csv)|*.csv||", "csv"}, &TrendPanel::SaveCsv); });
    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel("Window:"));
    controls->addWidget(span);
    controls->addWidget(pause_);
    controls->addStretch();
    controls->addWidget(image);
    controls->addWidget(csv);

    readout_->setObjectName("readout");
    readout_->setWordWrap(true);
    readout_->setMinimumHeight(2 * readout_->fontMetrics().lineSpacing());
    readout_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    readout_->setText(kReadoutHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(channels);
    layout->addLayout(controls);
    layout->addWidget(chart_, 1);
    layout->addWidget(readout_);
    connect(chart_, &TrendChart::viewChanged, this, &TrendPanel::ViewChanged);
    connect(chart_, &TrendChart::cursorMoved, this, [this] { readout_->setText(Readout()); });
}

void TrendPanel::AddPoll(const StationMonitor& entry) {
    AddSample(std::chrono::duration<double>(std::chrono::steady_clock::now() - opened_).count(), entry);
}

void TrendPanel::AddSample(double seconds, const StationMonitor& entry) {
    record_.Add(seconds, entry);
    if (window_.Following()) chart_->RedrawSoon();
}

void TrendPanel::ViewChanged() { pause_->setText(window_.Following() ? "Pause" : "Resume"); }

// "14:03:22.400  RUN  FWD >>  OC   Set freq. 50.00 Hz   Output freq. 49.98 Hz ..."
QString TrendPanel::Readout() const {
    const std::optional<std::size_t> sample = chart_->CursorSample();
    if (!sample) return kReadoutHint;
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(record_.TimeOf(*sample).time_since_epoch()).count();
    auto entry = std::make_unique<StationMonitor>();
    record_.FillEntry(*sample, *entry);
    const MonitorDisplay shown = DisplayOf(*entry);
    QString text = QDateTime::fromMSecsSinceEpoch(millis).toString("HH:mm:ss.zzz") + "  " +
                   QString::fromStdString(shown.runState + "  " + shown.direction + " " + shown.fault);
    for (TrendChannel channel : kTrendChannels)
        text += QString("   %1 %2").arg(InfoOf(channel).name,
                                        QString::fromStdString(ChannelValueText(channel, record_.Raw(channel, *sample))));
    return text;
}

AtomicWriteResult TrendPanel::SaveImage(const std::string& path) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!chart_->grab().save(&buffer, "PNG")) return {false, EIO, "the picture could not be made"};
    return WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

AtomicWriteResult TrendPanel::SaveCsv(const std::string& path) const { return ExportTrendCsv(record_, path); }

void TrendPanel::AskAndSave(const SavePathRequest& request,
                            AtomicWriteResult (TrendPanel::*save)(const std::string&) const) {
    const std::optional<std::string> path = ui_.AskSavePath(request);
    if (!path) return;
    const AtomicWriteResult result = (this->*save)(*path);
    if (!result.ok)
        ui_.ShowMessage("Error Message", SaveFailureMessage(*path, result.reason), MessageIcon::Information);
}

}  // namespace telvor
