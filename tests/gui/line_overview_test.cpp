// The Line Overview window and the Link dialog's quick scan and Find settings
// against telvor-sim on a pty.

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "command_table.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "progress_windows.h"
#include "sim_line.h"

namespace telvor::testing {
namespace {

QStringList Row(const QTableWidget& table, int row) {
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column) cells << table.item(row, column)->text();
    return cells;
}

QPushButton* Button(QWidget& window, const QString& text) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

}  // namespace

class LineOverviewTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { SetProgressWindowWatcher({}); }

    void theOverviewListsTheDrivesAndADoubleClickLinksOne() {
        SimLine sim({"--stations", "3,77", "--model", "8", "--running", "77=30.5", "--fault", "3:bad-lrc=1"});
        QVERIFY(sim.Started());
        QVERIFY(sim.Control("register 3 240 5"));
        GuiRig rig(sim.LinkPath());
        rig.NewDocument(8, true);
        rig.app.Document()->stationTitles[76] = "Fan 77";
        QStringList rows;
        QString statistics;
        rig.answers.push_back([&](QDialog& window) {
            auto* table = window.findChild<QTableWidget*>("stations");
            QTRY_VERIFY_WITH_TIMEOUT(Button(window, "&Refresh")->isEnabled() && table->rowCount() > 0, 60000);
            for (int row = 0; row < table->rowCount(); ++row) rows << Row(*table, row).join('|');
            QVERIFY(!rig.app.Modbus().IsOpen());  // the scan's own port is closed again
            const QPoint row77 = table->visualItemRect(table->item(1, 0)).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row77);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, row77);
            statistics = window.findChild<QLabel*>("statistics")->text();
            rig.answers.push_back([&](QDialog& dialog) {
                static_cast<QFileDialog&>(dialog).selectFile(
                    QString::fromStdString(rig.Folder() + "/trace.txt"));
                dialog.accept();
            });
            Button(window, "Save &trace...")->click();
            Press("&Close")(window);
        });
        rig.frame->Action(ID_LINE_OVERVIEW)->trigger();
        QCOMPARE(rows, (QStringList{"003||KRV-075-43|1.2|stopped|fault 5",
                                    "077|Fan 77|KRV-075-43|1.2|running|none"}));
        QVERIFY2(rig.app.Link().linked, qPrintable(rig.shown.join(", ")));
        QCOMPARE(rig.app.Link().currentStation, 77);
        QCOMPARE(rig.frame->Pane(2)->text(), QString("Linking  077"));
        QVERIFY2(statistics.startsWith("sent=") && statistics.contains(" checksum=1 "),
                 qPrintable(statistics));
        QVERIFY(!rig.app.Link().stationScan);
        QVERIFY(!rig.app.Link().modalBusy);
        QCOMPARE(rig.unexpected, 0);
        // The trace holds the frames of the scan and of the link, 77 being 4D.
        QFile trace(QString::fromStdString(rig.Folder() + "/trace.txt"));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        const QString frames = QString::fromLatin1(trace.readAll());
        QVERIFY(frames.contains(" out :4D080000A537"));
        QVERIFY(frames.contains(" in  :4D080000A537"));
        QVERIFY(frames.contains(" out :4D030000"));  // the capacity read of the link
    }

    void cancelEndsTheScanWithTheLineClosed() {
        SimLine sim({"--stations", "200"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        int rows = -1;
        rig.answers.push_back([&](QDialog& window) {
            // Pressed while the scan drains events between its echoes.
            QPushButton* cancel = Button(window, "Cancel");
            QTimer::singleShot(200, cancel, [cancel, &window] {
                QVERIFY(cancel->isEnabled());
                window.reject();  // Escape while the scan runs cancels it and leaves the window open
                QVERIFY(window.isVisible());
            });
            QTRY_VERIFY_WITH_TIMEOUT(Button(window, "&Refresh")->isEnabled() &&
                                         cancel->isEnabled() == false &&
                                         window.findChild<QProgressBar*>("progress")->value() > 0,
                                     20000);
            rows = window.findChild<QTableWidget*>("stations")->rowCount();
            Press("&Close")(window);
        });
        rig.frame->Action(ID_LINE_OVERVIEW)->trigger();
        QCOMPARE(rows, 0);
        QVERIFY(sim.Frames().size() < 100);
        QVERIFY(!rig.app.Modbus().IsOpen());
        QVERIFY(!rig.app.Link().stationScan);
        QVERIFY(rig.frame->Action(ID_LINK)->isEnabled());
    }

    void findSettingsSetsTheRadioButtonsToTheFormatFound() {
        // The pty keeps the baud rate: the drive hears only 19200 Bd.
        SimLine sim({"--stations", "4", "--line-format", "19200-8N1"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        QStringList windows;
        SetProgressWindowWatcher([&](ProgressWindow& window) { windows << window.objectName(); });
        QString checked;
        rig.answers.push_back([&](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("station")->setText("2-4");
            Button(dialog, "&Find settings")->click();
            for (QRadioButton* b : dialog.findChildren<QRadioButton*>())
                if (b->isChecked()) checked += b->text() + "|";
            dialog.findChild<QCheckBox*>("quickScan")->setChecked(true);
            Press("&Link")(dialog);
        });
        rig.frame->OnLink();
        QCOMPARE(checked, QString("19200|8 bits|None|1 bit|Single|"));
        QCOMPARE(windows, (QStringList{"CancelProgress", "CancelProgress"}));
        QVERIFY(rig.app.Link().linked);
        QCOMPARE(rig.app.Link().currentStation, 4);
        QCOMPARE(rig.app.Settings().baudRate, 19200);
        QVERIFY(rig.app.Link().quickScan);
        QCOMPARE(rig.unexpected, 0);
    }
};

static RegisterTest<LineOverviewTest> registration;

}  // namespace telvor::testing

#include "line_overview_test.moc"
