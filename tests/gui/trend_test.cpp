// The single-station window's trend: its exports read back against "Log to CSV...",
// the mouse and the keys that steer it, and what a day of polls draws.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeySequence>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include "command_table.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "mon_single_dialog.h"
#include "monitor_session.h"
#include "monitor_windows.h"
#include "sim_line.h"
#include "trend_chart.h"
#include "trend_panel.h"

namespace telvor::testing {
namespace {

DialogAnswer SelectFile(const QString& path) {
    return [path](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(path);
        dialog.accept();
    };
}

QStringList Lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

constexpr std::size_t kDay = 216'000;
constexpr std::size_t kSpike = 100'000;

// A day of polls 0.4 s apart: 40 to 50 Hz and 10 to 20 A in slow waves, one lone
// spike of 400 A and one drop to 0 A.
void LoadDay(TrendPanel& trend) {
    trend.Chart()->TogglePause();
    StationMonitor entry;
    for (std::size_t i = 0; i < kDay; ++i) {
        const auto wave = static_cast<std::uint16_t>(i / 50 % 100);
        entry.values = {5000, static_cast<std::uint16_t>(4000 + 10 * wave), 3800, 5400,
                        static_cast<std::uint16_t>(100 + wave)};
        if (i == kSpike) entry.values[OutputCurrent] = 4000;
        if (i == kSpike + 5) entry.values[OutputCurrent] = 0;
        trend.AddSample(0.4 * static_cast<double>(i), entry);
    }
    trend.Chart()->Follow();
}

// The single-station window without a line: the trend is fed by hand.
struct TrendWindow {
    GuiRig rig;
    MonitorSession session{rig.app, rig.ui};
    CMonSingleDialog window{session, rig.ui, 1, nullptr};
    TrendPanel& trend = *window.Trend();
    TrendChart& chart = *trend.Chart();
    QWidget& viewport = *chart.viewport();

    TrendWindow() {
        window.resize(1100, 560);
        LoadDay(trend);
    }
    QString PauseText() const { return trend.findChild<QPushButton*>("pause")->text(); }
    // The viewport's x of a time.
    int X(double seconds) const {
        const QRectF plot = chart.chart()->plotArea();
        return static_cast<int>(plot.left() + (seconds - chart.Shown().from) / chart.Shown().Span() * plot.width());
    }
    int MiddleY() const { return static_cast<int>(chart.chart()->plotArea().center().y()); }
};

}  // namespace

class TrendTest : public QObject {
    Q_OBJECT
private slots:
    void exportsReadBackWithTheColumnsOfTheLog() {
        SimLine sim({"--stations", "1", "--model", "8", "--running", "1=30"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_MONITOR)->trigger();
        MonitorWindows& monitor = *rig.frame->Monitor();
        QPointer<CMonSingleDialog> window = monitor.SingleWindow();
        QVERIFY(window);
        const QString folder = QString::fromStdString(rig.Folder());
        rig.answers.push_back(SelectFile(folder + "/log.csv"));
        window->findChild<QPushButton*>("log")->click();
        for (int tick = 0; tick < 6; ++tick) {
            if (tick == 2) QVERIFY(sim.Control("register 1 240 2"));  // OC
            if (tick == 4) QVERIFY(sim.Control("register 1 240 0"));
            monitor.Poll();
        }
        TrendPanel& trend = *window->Trend();
        QStringList faults;
        for (const TrendMarker& marker : trend.Record().Markers())
            if (marker.kind == TrendMarkerKind::Fault)
                faults << QString("%1 %2").arg(marker.sample).arg(QString::fromStdString(marker.label));
        QCOMPARE(faults, QStringList({"2 OC", "4 no fault"}));

        rig.answers.push_back(SelectFile(folder + "/trend.csv"));
        trend.findChild<QPushButton*>("exportCsv")->click();
        const QStringList logged = Lines(folder + "/log.csv");
        const QStringList exported = Lines(folder + "/trend.csv");
        QCOMPARE(logged.size(), 7);
        QCOMPARE(exported.size(), logged.size());
        QCOMPARE(exported[0], logged[0]);
        for (int i = 1; i < logged.size(); ++i) {
            QCOMPARE(exported[i].section(',', 1), logged[i].section(',', 1));
            const auto time = [](const QString& line) {
                return QDateTime::fromString(line.section(',', 0, 0), Qt::ISODateWithMs);
            };
            QVERIFY2(std::abs(time(exported[i]).msecsTo(time(logged[i]))) < 1000, qPrintable(exported[i]));
        }
        QVERIFY(exported[3].section(',', 9, 9) == "2");

        rig.answers.push_back(SelectFile(folder + "/trend.png"));
        trend.findChild<QPushButton*>("savePng")->click();
        const QImage image(folder + "/trend.png");
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), trend.Chart()->size() * trend.Chart()->devicePixelRatio());

        rig.answers.push_back(SelectFile(folder + "/gone/trend.png"));
        rig.answers.push_back(PressStandard(QMessageBox::Ok));
        trend.findChild<QPushButton*>("savePng")->click();
        QVERIFY2(rig.shown.last().startsWith("Error Message|Error: Save file failure!\n\n" + folder + "/gone/trend.png"),
                 qPrintable(rig.shown.last()));
        QCOMPARE(rig.unexpected, 0);
    }

    void aDayDrawsEveryExtremeAndTheMouseSteersIt() {
        TrendWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        emit w.trend.findChild<QComboBox*>("span")->activated(3);  // All
        QCOMPARE(w.chart.Shown().from, 0.0);
        QCOMPARE(w.chart.Shown().to, w.trend.Record().LastSeconds());
        QLineSeries* amps = w.chart.Series(TrendChannel::OutputCurrent);
        QVERIFY(amps->count() <= 2 * w.viewport.width() + 2);
        double highest = 0, lowest = 1e9;
        for (const QPointF& point : amps->points()) {
            highest = std::max(highest, point.y());
            lowest = std::min(lowest, point.y());
        }
        QCOMPARE(highest, 400.0);
        QCOMPARE(lowest, 0.0);
        QCOMPARE(w.chart.Axis(TrendChannel::OutputCurrent)->max(), 500.0);

        // The wheel halves the window around the time under the mouse.
        const double spike = w.trend.Record().SecondsOf(kSpike);
        const QPoint at(w.X(spike), w.MiddleY());
        QWheelEvent in(at, w.viewport.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(&w.viewport, &in);
        QVERIFY(std::abs(w.chart.Shown().Span() - w.trend.Record().LastSeconds() / 2) < 1);
        QVERIFY(std::abs(w.X(spike) - at.x()) <= 1);
        QCOMPARE(w.PauseText(), QString("Resume"));

        // Dragging 100 pixels to the left shows later times.
        const TrendRange before = w.chart.Shown();
        const double plotWidth = w.chart.chart()->plotArea().width();
        QTest::mousePress(&w.viewport, Qt::LeftButton, {}, at);
        QTest::mouseMove(&w.viewport, at - QPoint(100, 0));
        QTest::mouseRelease(&w.viewport, Qt::LeftButton, {}, at - QPoint(100, 0));
        QVERIFY(std::abs(w.chart.Shown().from - (before.from + 100 / plotWidth * before.Span())) < 1);

        // Hovering puts the cursor on the nearest poll and reads every channel there.
        const double later = spike + w.chart.Shown().Span() / 4;
        const QPoint hover(w.X(later), w.MiddleY());
        QMouseEvent move(QEvent::MouseMove, hover, w.viewport.mapToGlobal(hover), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&w.viewport, &move);
        QVERIFY(w.chart.CursorSample());
        const std::size_t sample = *w.chart.CursorSample();
        QVERIFY(std::abs(w.trend.Record().SecondsOf(sample) - later) <= w.chart.Shown().Span() / plotWidth);
        const QString readout = w.trend.findChild<QLabel*>("readout")->text();
        for (TrendChannel channel : kTrendChannels)
            QVERIFY2(readout.contains(QString("%1 %2").arg(
                         InfoOf(channel).name,
                         QString::fromStdString(ChannelValueText(channel, w.trend.Record().Raw(channel, sample))))),
                     qPrintable(readout));

        // The channels chosen: a hidden one leaves the legend, a chosen one gets its scale.
        w.trend.findChild<QCheckBox*>("showOutputCurrent")->click();
        w.trend.findChild<QCheckBox*>("showOutputPower")->click();
        QLegend* legend = w.chart.chart()->legend();
        QVERIFY(!amps->isVisible());
        QVERIFY(!legend->markers(amps).first()->isVisible());
        QVERIFY(!w.chart.Axis(TrendChannel::OutputCurrent)->isVisible());
        QLineSeries* power = w.chart.Series(TrendChannel::OutputPower);
        QVERIFY(power->isVisible() && legend->markers(power).first()->isVisible());
        double highestPower = 0;
        for (const QPointF& point : power->points()) highestPower = std::max(highestPower, point.y());
        QCOMPARE(highestPower, 152'000.0);  // 380.0 V x 400.0 A
        QCOMPARE(w.chart.Axis(TrendChannel::OutputPower)->max(), 200'000.0);
    }
};

// Keys on the trend of a shown, focused window (gui_focus_tests runs this class on Xvfb).
class TrendKeysFocusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!HasRealFocus()) QSKIP("keys and focus are tested on an X display (gui_focus_tests)");
    }

    void keysZoomPanPauseAndFollow() {
        TrendWindow w;
        QVERIFY(ShowFocused(w.window, w.chart));
        double latest = w.trend.Record().LastSeconds();
        struct Step {
            Qt::Key key;
            double from, to;
            const char* pause;
        };
        const Step steps[] = {
            {Qt::Key_Minus, latest - 1200, latest, "Pause"},        // zoom out, still following
            {Qt::Key_Plus, latest - 600, latest, "Pause"},          // and in again
            {Qt::Key_Left, latest - 660, latest - 60, "Resume"},    // a tenth back, held
            {Qt::Key_PageUp, latest - 1260, latest - 660, "Resume"},  // a window back
            {Qt::Key_Right, latest - 1200, latest - 600, "Resume"},
            {Qt::Key_Equal, latest - 1050, latest - 750, "Resume"},  // zoom in around the middle
            {Qt::Key_Home, 0, 300, "Resume"},
            {Qt::Key_End, latest - 300, latest, "Pause"},
            {Qt::Key_Space, latest - 300, latest, "Resume"},
            {Qt::Key_Return, latest - 300, latest, "Resume"},  // presses nothing
        };
        for (const Step& step : steps) {
            PressKey(w.window, step.key);
            QVERIFY(w.window.isVisible());
            QVERIFY2(std::abs(w.chart.Shown().from - step.from) < 0.01, qPrintable(QKeySequence(step.key).toString()));
            QVERIFY2(std::abs(w.chart.Shown().to - step.to) < 0.01, qPrintable(QKeySequence(step.key).toString()));
            QCOMPARE(w.PauseText(), QString(step.pause));
        }
        // Paused, the polls go on into the record and the view stays; Space follows them again.
        StationMonitor entry;
        w.trend.AddSample(latest + 0.4, entry);
        w.trend.AddSample(latest + 0.8, entry);
        QCOMPARE(w.chart.Shown().to, latest);
        PressKey(w.window, Qt::Key_Space);
        latest += 0.8;
        QCOMPARE(w.trend.Record().LastSeconds(), latest);
        QCOMPARE(w.chart.Shown().to, latest);
        QCOMPARE(w.PauseText(), QString("Pause"));
        QCOMPARE(w.rig.unexpected, 0);
    }
};

static RegisterTest<TrendTest> registration;
static RegisterTest<TrendKeysFocusTest> focusRegistration;

}  // namespace telvor::testing

#include "trend_test.moc"
