// The sizes of the desktop's windows on a real display: the main window's first
// size and the geometry every window keeps between runs, Monitor All on a
// 1024 x 768 screen, and how a monitor panel shows its buttons, its read-only
// field and a fault (gui_focus_tests runs this class on Xvfb).

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <cstdlib>

#include "command_table.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "mon_multi_dialog.h"
#include "mon_single_dialog.h"
#include "monitor_panel.h"
#include "monitor_windows.h"
#include "sim_line.h"
#include "startup.h"
#include "window_geometry.h"

namespace telvor::testing {
namespace {

// Room a window manager's frame takes around a window on a 1024 x 768 screen.
constexpr QSize kSmallScreen(1024, 768);
constexpr QSize kFrameAllowance(10, 60);

DialogAnswer ChooseAllStations(const QString& stations) {
    return [stations](QDialog& dialog) {
        for (QAbstractButton* radio : dialog.findChildren<QAbstractButton*>())
            if (radio->text() == "All Station:") radio->click();
        dialog.findChild<QLineEdit*>("stations")->setText(stations);
        dialog.accept();
    };
}

// Opens the single window (no stations) or Monitor All over the stations.
QDialog* OpenMonitor(GuiRig& rig, const QString& stations = {}) {
    rig.answers.push_back(stations.isEmpty() ? Accept() : ChooseAllStations(stations));
    rig.frame->Action(ID_MONITOR)->trigger();
    MonitorWindows& monitor = *rig.frame->Monitor();
    return stations.isEmpty() ? static_cast<QDialog*>(monitor.SingleWindow())
                              : static_cast<QDialog*>(monitor.MultiWindow());
}

}  // namespace

class WindowSizesFocusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!HasRealFocus()) QSKIP("window sizes are tested on an X display (gui_focus_tests)");
    }
    void init() { QSettings("Zek", "Telvor").remove(kWindowGeometryGroup); }  // a first run

    void theMainWindowOpensMaximisedOverASizeTheStatusPanesFitAndComesBackWhereItWas() {
        GuiRig rig;
        rig.frame->hide();
        rig.answers.push_back(Reject());  // Model Select
        StartMainWindow(*rig.frame, rig.app, QString(), false);
        QVERIFY(rig.frame->isMaximized());
        const QSize free = rig.frame->screen()->availableGeometry().size();
        rig.frame->showNormal();
        QTRY_VERIFY(!rig.frame->isMaximized());
        QTRY_COMPARE(rig.frame->size(), rig.frame->normalGeometry().size());
        QVERIFY(rig.frame->width() >= free.width() * 3 / 4 && rig.frame->width() <= free.width());
        QVERIFY(rig.frame->height() >= free.height() * 3 / 4 && rig.frame->height() <= free.height());
        int panes = 0;
        for (int i = 0; i < 5; ++i) panes += rig.frame->Pane(i)->width();
        QVERIFY2(panes < rig.frame->width(), "the status panes overlap");

        const QRect left(QPoint(40, 30), QSize(900, 640));
        rig.frame->setGeometry(left);
        QTRY_COMPARE(rig.frame->geometry(), left);
        QVERIFY(rig.frame->close());

        rig.frame = std::make_unique<CMainFrame>(rig.app, rig.ui);
        rig.answers.push_back(Reject());
        StartMainWindow(*rig.frame, rig.app, QString(), false);
        QVERIFY(!rig.frame->isMaximized());
        QTRY_COMPARE(rig.frame->geometry(), left);
        QCOMPARE(rig.unexpected, 0);
    }

    void monitorWindowsComeBackWhereTheyWere() {
        SimLine sim({"--stations", "1-2"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        for (const QString& stations : {QString(), QString("1-2")}) {
            QPointer<QDialog> window = OpenMonitor(rig, stations);
            QVERIFY(window);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QRect moved(window->geometry().topLeft() + QPoint(17, 23), window->size() + QSize(31, 11));
            window->setGeometry(moved);
            QTRY_COMPARE(window->geometry(), moved);
            window->close();
            QTRY_VERIFY(!window);
            window = OpenMonitor(rig, stations);
            QVERIFY(window);
            QTRY_COMPARE(window->geometry(), moved);
            window->close();
            QTRY_VERIFY(!window);
        }
        QCOMPARE(rig.unexpected, 0);
    }

    void monitorAllFitsA1024By768ScreenWithEveryPanelWhole() {
        SimLine sim({"--stations", "1-3"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        QPointer<QDialog> window = OpenMonitor(rig, "1-3");
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // It opens inside the screen, and it can be as small as a 1024 x 768 screen.
        QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
        const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
        QVERIFY2(least.width() <= (kSmallScreen - kFrameAllowance).width(), qPrintable(QString::number(least.width())));
        QVERIFY2(least.height() <= (kSmallScreen - kFrameAllowance).height(),
                 qPrintable(QString::number(least.height())));
        window->resize(kSmallScreen - kFrameAllowance);
        QTRY_COMPARE(window->size(), kSmallScreen - kFrameAllowance);
        auto* multi = static_cast<CMonMultiDialog*>(window.data());
        for (int k = 0; k < 5; ++k) {
            MonitorPanel* panel = multi->Panel(k);
            const QRect shown(panel->mapTo(window, QPoint()), panel->size());
            QVERIFY2(window->rect().contains(shown), qPrintable(QString::number(k)));
            for (QPushButton* button : panel->findChildren<QPushButton*>())
                QVERIFY2(button->width() >= button->minimumWidth(), qPrintable(button->objectName()));
        }
        window->close();
        QCOMPARE(rig.unexpected, 0);
    }

    // RUN, STOP, FWD and REV equally wide; "Fun. data" looks read-only; a fault is
    // an alarm while it lasts.
    void panelsShowEqualCommandButtonsAReadOnlyFieldAndTheFaultAsAnAlarm() {
        SimLine sim({"--stations", "1"});
        QVERIFY(sim.Started());
        QVERIFY(sim.Control("register 1 240 10"));  // OL1
        GuiRig rig(sim.LinkPath());
        rig.Link("1");
        rig.StopTimer();
        QPointer<QDialog> window = OpenMonitor(rig);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        MonitorPanel* panel = static_cast<CMonSingleDialog*>(window.data())->Panel();
        const int runWidth = panel->Button("RUN")->width();
        // Equal up to the odd pixel a layout gives one of two columns.
        for (const char* command : {"STOP", "FWD", "REV"})
            QVERIFY2(std::abs(panel->Button(command)->width() - runWidth) <= 1, command);

        auto* data = panel->findChild<QLineEdit*>("functionData");
        auto* set = panel->findChild<QLineEdit*>("setData");
        QVERIFY(data->isReadOnly());
        QCOMPARE(data->palette().color(QPalette::Base), data->palette().color(QPalette::Window));
        QVERIFY(set->palette().color(QPalette::Base) != data->palette().color(QPalette::Base));

        auto* fault = panel->findChild<QLabel*>("fault");
        const QColor plain = panel->findChild<QLabel*>("runState")->palette().color(QPalette::WindowText);
        rig.frame->Monitor()->Poll();
        QCOMPARE(fault->text(), QString(" OL1"));
        QVERIFY(fault->font().bold());
        QCOMPARE(fault->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(sim.Control("register 1 240 0"));
        rig.frame->Monitor()->Poll();
        QCOMPARE(fault->text(), QString());
        QVERIFY(!fault->font().bold());
        QCOMPARE(fault->palette().color(QPalette::WindowText), plain);
        window->close();
        QCOMPARE(rig.unexpected, 0);
    }
};

static RegisterTest<WindowSizesFocusTest> registration;

}  // namespace telvor::testing

#include "window_sizes_test.moc"
