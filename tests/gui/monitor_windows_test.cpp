// The monitor windows through the main window's Monitor command against telvor-sim.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "command_table.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "mon_multi_dialog.h"
#include "mon_single_dialog.h"
#include "monitor_panel.h"
#include "monitor_texts.h"
#include "monitor_windows.h"
#include "sim_line.h"
#include "station_title_dialog.h"
#include "trend_panel.h"

namespace telvor::testing {
namespace {

QString Text(QWidget* parent, const char* name) {
    if (auto* label = parent->findChild<QLabel*>(name)) return label->text();
    return parent->findChild<QLineEdit*>(name)->text();
}

DialogAnswer ChooseAll(const QString& stations) {
    return [stations](QDialog& dialog) {
        for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
            if (radio->text() == "All Station:") radio->click();
        dialog.findChild<QLineEdit*>("stations")->setText(stations);
        dialog.accept();
    };
}

}  // namespace

class MonitorWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void singleWindowShowsATickAndItsButtonsPostRequests() {
        SimLine sim({"--stations", "1", "--model", "8", "--running", "1=30"});
        QVERIFY(sim.Started());
        QVERIFY(sim.Control("register 1 240 1"));
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        QVERIFY(rig.frame->Action(ID_MONITOR)->isEnabled());
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_MONITOR)->trigger();
        MonitorWindows& monitor = *rig.frame->Monitor();
        QPointer<CMonSingleDialog> window = monitor.SingleWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Station: 001"));
        QVERIFY(rig.app.Link().monitorOpen);

        monitor.Poll();
        MonitorPanel* panel = window->Panel();
        QCOMPARE(Text(panel, "setFrequency"), QString("030.00"));
        QCOMPARE(Text(panel, "fault"), QString(" OH"));
        QCOMPARE(Text(panel, "runState"), QString("STOP"));
        QCOMPARE(Text(panel, "functionData"), QString("0"));

        const std::size_t before = sim.Frames().size();
        panel->Button("S2")->click();
        QVERIFY(!panel->Button("S2")->isChecked());  // shows the drive until the next poll
        Settle();
        std::vector<std::string> frames = sim.Frames();
        QCOMPARE(frames.size(), before + 2);
        QCOMPARE(frames.back(), RegisterFrame(1, 230, 0x0041));
        monitor.Poll();
        QVERIFY(panel->Button("S2")->isChecked());
        // The trend took one sample per poll: the output frequency and current the window shows.
        const TrendRecord& record = window->Trend()->Record();
        QCOMPARE(record.Size(), std::size_t{2});
        QCOMPARE(QString::fromStdString(TwoDecimalText(record.Raw(TrendChannel::OutputFrequency, 1))),
                 Text(panel, "outputFrequency"));
        QCOMPARE(QString::fromStdString(OneDecimalText(record.Raw(TrendChannel::OutputCurrent, 1))),
                 Text(panel, "outputCurrent"));

        rig.NewDocument(8, true);
        monitor.RefreshCaptions();
        QCOMPARE(window->windowTitle(), QString("Station: 001-"));
        window->findChild<QPushButton*>("EXIT")->click();
        Settle();
        QVERIFY(!window);
        QVERIFY(!rig.app.Link().monitorOpen);
        QCOMPARE(rig.unexpected, 0);
    }

    void abortAfterATimeOutClosesTheSingleWindowAndUnlinks() {
        SimLine sim({"--stations", "1"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_MONITOR)->trigger();
        QPointer<CMonSingleDialog> window = rig.frame->Monitor()->SingleWindow();
        QVERIFY(window);
        QVERIFY(sim.Control("fault 1 silent"));
        rig.answers.push_back(Press("&Abort"));
        rig.app.Link().modalBusy = true;  // as the timer holds it
        rig.frame->Monitor()->Poll();
        rig.app.Link().modalBusy = false;
        Settle();
        QCOMPARE(rig.shown.last(), QString("Monitor Message|Communication error!!\nStation: 001"));
        QVERIFY(!window);
        QVERIFY(!rig.app.Link().linked);
        QVERIFY(!rig.app.Link().monitorOpen);
        QVERIFY(!rig.frame->Action(ID_MONITOR)->isEnabled());
        QCOMPARE(rig.unexpected, 0);
    }

    void multiWindowPagesThroughTheStations() {
        SimLine sim({"--stations", "1,2,254", "--running", "254=12.5"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.answers.push_back(ChooseAll("1-3,254"));
        rig.frame->Action(ID_MONITOR)->trigger();
        MonitorWindows& monitor = *rig.frame->Monitor();
        QPointer<CMonMultiDialog> window = monitor.MultiWindow();
        QVERIFY(window);
        QCOMPARE(Text(window, "caption1"), QString("Station: 001"));
        QVERIFY(window->findChild<QPushButton*>("unlink2")->isEnabled());
        QVERIFY(window->findChild<QPushButton*>("link3")->isEnabled());
        QVERIFY(!window->findChild<QPushButton*>("unlink3")->isEnabled());
        QCOMPARE(window->Panel(2)->findChild<QComboBox*>("function")->count(), 0);
        QCOMPARE(window->Panel(1)->findChild<QComboBox*>("function")->count(), 111);

        window->ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);  // a click below the thumb
        QCOMPARE(Text(window, "caption1"), QString("Station: 051"));
        QWheelEvent back(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &back);
        QCOMPARE(monitor.Session().Page(), 13);
        window->ScrollBar()->setValue(50);
        QCOMPARE(Text(window, "caption4"), QString("Station: 254"));
        QCOMPARE(Text(window, "caption5"), QString());
        QVERIFY(!window->findChild<QPushButton*>("link5")->isEnabled());

        const QString logPath = QString::fromStdString(rig.Folder()) + "/page.csv";
        QString logCaption;
        rig.answers.push_back([logPath, &logCaption](QDialog& dialog) {
            logCaption = dialog.windowTitle();
            static_cast<QFileDialog&>(dialog).selectFile(logPath);
            dialog.accept();
        });
        window->findChild<QPushButton*>("log")->click();
        QCOMPARE(logCaption, QString("Log to CSV"));
        monitor.Poll();
        QCOMPARE(Text(window->Panel(3), "setFrequency"), QString("012.50"));
        QFile log(logPath);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString(log.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("time,station,state,direction,set_freq,out_freq,out_volt,out_amp,out_power,"
                                   "bus_volt,fault,S1,S2,S3,S4,AIN,RY1,fun,fun_data"));
        QVERIFY2(lines[1].section(',', 1, 5).startsWith("254,1,0,12.50,"), qPrintable(lines[1]));
        QCOMPARE(Text(window->Panel(4), "setFrequency"), QString());

        window->findChild<QPushButton*>("unlink4")->click();
        QVERIFY(!monitor.Session().Station(254).present);
        QCOMPARE(Text(window->Panel(3), "setFrequency"), QString());
        window->close();
        Settle();
        QVERIFY(!rig.app.Link().monitorOpen);
        QCOMPARE(rig.unexpected, 0);
    }

    void stationTitlesSurviveScrollingAndShowInTheMonitorCaption() {
        SimLine sim({"--stations", "5"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("5");
        rig.NewDocument(0, true);
        CSolvaneDoc& doc = *rig.app.Document();
        doc.modified = false;
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_MONITOR)->trigger();
        QCOMPARE(rig.frame->Monitor()->SingleWindow()->windowTitle(), QString("Station: 005-"));

        // Typed, scrolled away and back, cleared, then cancelled: nothing changes.
        rig.answers.push_back([](QDialog& dialog) {
            auto& titles = static_cast<CStationTitleDialog&>(dialog);
            QTest::keyClicks(titles.Row(4), "Kiln fan");
            QTest::keyClick(&titles, Qt::Key_PageDown);
            QCOMPARE(titles.FirstRow(), 10);
            titles.ScrollBar()->setValue(titles.ScrollBar()->maximum());
            QCOMPARE(titles.FirstRow(), 244);
            QTest::keyClick(&titles, Qt::Key_PageUp);
            titles.ScrollBar()->setValue(0);
            QCOMPARE(titles.Row(4)->text(), QString("Kiln fan"));
            Press("&Clear")(dialog);
            QCOMPARE(titles.Row(4)->text(), QString());
            dialog.reject();
        });
        rig.frame->Action(ID_STATION_TITLE)->trigger();
        QVERIFY(!doc.modified);
        QCOMPARE(doc.stationTitles[4], std::string());

        rig.answers.push_back([](QDialog& dialog) {
            auto& titles = static_cast<CStationTitleDialog&>(dialog);
            QTest::keyClicks(titles.Row(4), QString(65, 'x'));
            QCOMPARE(titles.Row(4)->text().size(), 64);
            titles.Row(4)->setText("Kiln fan");
            QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&titles, &down);
            QCOMPARE(titles.FirstRow(), 3);
            QTest::keyClicks(titles.Row(9), "Last row");
            dialog.accept();
        });
        rig.frame->Action(ID_STATION_TITLE)->trigger();
        QVERIFY(doc.modified);
        QCOMPARE(doc.stationTitles[4], std::string("Kiln fan"));
        QCOMPARE(doc.stationTitles[12], std::string("Last row"));
        QCOMPARE(rig.frame->Monitor()->SingleWindow()->windowTitle(), QString("Station: 005-Kiln fan"));
        QCOMPARE(rig.unexpected, 0);
    }
};

namespace {

// A row of the key tests: the control of a panel that has the focus, what is typed
// into it first, and the frames that Enter then sends.
struct EnterCase {
    int panel;
    const char* control;
    const char* typed;
    std::vector<std::string> frames;
};

QStringList DefaultButtons(QWidget& window) {
    QStringList names;
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->isDefault() || button->autoDefault()) names << button->objectName();
    return names;
}

// "control: frame frame ..." of the frames from `first` on, to compare with a row.
QString FramesAfter(const char* control, const std::vector<std::string>& frames, std::size_t first = 0) {
    QString text = QString(control) + ":";
    for (std::size_t i = first; i < frames.size(); ++i) text += " " + QString::fromStdString(frames[i]);
    return text;
}

}  // namespace

// Enter, Page Up and Page Down in the monitor windows, pressed on shown, focused
// windows as a person presses them (gui_focus_tests runs this class on Xvfb).
class MonitorKeysFocusTest : public QObject {
    Q_OBJECT

    // Each row: focus the control, type its text, press Enter, and compare what
    // reached the line.
    static void PressEnterIn(QWidget& window, const std::vector<MonitorPanel*>& panels, const SimLine& sim,
                             const std::vector<EnterCase>& cases) {
        for (const EnterCase& row : cases) {
            auto* control = panels[static_cast<std::size_t>(row.panel)]->findChild<QWidget*>(row.control);
            QVERIFY2(control, row.control);
            QVERIFY(ShowFocused(window, *control));
            if (auto* edit = qobject_cast<QLineEdit*>(control); edit && !edit->isReadOnly()) {
                edit->clear();
                QTest::keyClicks(edit, row.typed);
            }
            const std::size_t before = sim.Frames().size();
            PressKey(window, Qt::Key_Return);
            QVERIFY(window.isVisible());
            QCOMPARE(FramesAfter(row.control, sim.Frames(), before), FramesAfter(row.control, row.frames));
        }
    }

private slots:
    void initTestCase() {
        if (!HasRealFocus()) QSKIP("keys and focus are tested on an X display (gui_focus_tests)");
    }

    void enterInMonitorAllPressesOnlyTheSetOfItsOwnEdit() {
        SimLine sim({"--stations", "1-3", "--model", "8"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        rig.answers.push_back(ChooseAll("1-3"));
        rig.frame->Action(ID_MONITOR)->trigger();
        MonitorWindows& monitor = *rig.frame->Monitor();
        QPointer<CMonMultiDialog> window = monitor.MultiWindow();
        QVERIFY(window);
        monitor.Poll();  // the frequency limits of the page's stations
        QCOMPARE(DefaultButtons(*window), QStringList());
        std::vector<MonitorPanel*> panels;
        for (int k = 0; k < 3; ++k) panels.push_back(window->Panel(k));
        // Panel 1 holds a frequency nobody sent; panel 3 watches A04.
        QTest::keyClicks(panels[0]->findChild<QLineEdit*>("frequency"), "12.34");
        panels[2]->findChild<QComboBox*>("function")->setCurrentIndex(4);
        PressEnterIn(*window, panels, sim,
                     {{2, "setData", "5", {WriteFrame(3, 4, 50)}},
                      {1, "frequency", "30", {RegisterFrame(2, 231, 3000)}},
                      {1, "setData", "", {}},
                      {2, "functionData", "", {}},
                      {2, "function", "", {}},
                      {1, "RUN", "", {}},
                      {0, "S1", "", {}}});
        QCOMPARE(rig.unexpected, 0);
    }

    void enterInTheSingleWindowSendsOnlyWhatItsEditHolds() {
        SimLine sim({"--stations", "1", "--model", "8"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_MONITOR)->trigger();
        MonitorWindows& monitor = *rig.frame->Monitor();
        QPointer<CMonSingleDialog> window = monitor.SingleWindow();
        QVERIFY(window);
        monitor.Poll();
        QCOMPARE(DefaultButtons(*window), QStringList());
        window->Panel()->findChild<QComboBox*>("function")->setCurrentIndex(4);  // A04
        PressEnterIn(*window, {window->Panel()}, sim,
                     {{0, "frequency", "", {}},
                      {0, "setData", "", {}},
                      {0, "RUN", "", {}},
                      {0, "frequency", "12.5", {RegisterFrame(1, 231, 1250)}},
                      {0, "setData", "2.5", {WriteFrame(1, 4, 25)}}});
        QCOMPARE(rig.unexpected, 0);
    }

    void pageKeysPageTheStationsWhicheverControlHasTheFocus() {
        SimLine sim({"--stations", "1-3"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        rig.answers.push_back(ChooseAll("1-3"));
        rig.frame->Action(ID_MONITOR)->trigger();
        MonitorWindows& monitor = *rig.frame->Monitor();
        QPointer<CMonMultiDialog> window = monitor.MultiWindow();
        QVERIFY(window);
        auto* list = window->Panel(1)->findChild<QComboBox*>("function");
        list->setCurrentIndex(5);  // station 2 watches A05
        for (const char* control : {"function", "setData", "frequency"}) {
            QVERIFY(ShowFocused(*window, *window->Panel(1)->findChild<QWidget*>(control)));
            PressKey(*window, Qt::Key_PageDown);
            QCOMPARE(monitor.Session().Page(), 10);
            QCOMPARE(Text(window, "caption2"), QString("Station: 052"));
            PressKey(*window, Qt::Key_PageUp);
            QCOMPARE(monitor.Session().Page(), 0);
            QCOMPARE(list->currentIndex(), 5);
            QCOMPARE(monitor.Session().Station(2).function.CodeIndex(), 5);
        }
        QCOMPARE(rig.unexpected, 0);
    }
};

static RegisterTest<MonitorWindowsTest> registration;
static RegisterTest<MonitorKeysFocusTest> focusRegistration;

}  // namespace telvor::testing

#include "monitor_windows_test.moc"
