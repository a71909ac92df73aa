// The handheld on a real display, as a finger and a keyboard meet it: Enter in
// Link, the menus' Alt keys, the grid and the Monitor sheet on a 480 x 640 and a
// 240 x 320 screen (handheld_focus_tests runs this class on Xvfb).

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "gui_rig.h"
#include "gui_test_registry.h"
#include "handheld_rig.h"
#include "monitor_sheet.h"
#include "parameter_keys.h"
#include "parameter_table_model.h"
#include "sim_line.h"
#include "solvane_view.h"

namespace telvor::testing {
namespace {

// The writes among the frames from `first` on: the requests that change a drive.
std::vector<std::string> WritesAfter(const std::vector<std::string>& frames, std::size_t first) {
    std::vector<std::string> writes;
    for (std::size_t i = first; i < frames.size(); ++i)
        if (frames[i].compare(3, 2, "06") == 0 || frames[i].compare(3, 2, "10") == 0) writes.push_back(frames[i]);
    return writes;
}

// Ends the dialog when the answer leaves, also after a failed check in it.
struct EndOnExit {
    QDialog& dialog;
    ~EndOnExit() {
        if (dialog.isVisible()) dialog.done(-1);
    }
};

// Shows the frame at the size of a handheld's screen, with the grid focused.
bool ShowAt(HandheldRig& rig, QSize screen) {
    rig.frame->resize(screen);
    if (!ShowFocused(*rig.frame, *rig.frame->View())) return false;
    return QTest::qWaitFor([&] { return rig.frame->size() == screen; });
}

}  // namespace

class HandheldFocusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!HasRealFocus()) QSKIP("keys, focus and sizes are tested on an X display (handheld_focus_tests)");
    }

    void enterInLinkLinksAndNeverResetsTheLineFormat() {
        SimLine sim({"--stations", "1"});
        QVERIFY(sim.Started());
        HandheldRig rig(sim.LinkPath());
        QVERIFY(ShowAt(rig, {480, 640}));
        rig.answers.push_back([](QDialog& dialog) {
            const EndOnExit end{dialog};
            auto* station = dialog.findChild<QLineEdit*>("station");
            QVERIFY(ShowFocused(dialog, *station));
            station->setText("1");
            dialog.findChild<QComboBox*>("baud")->setCurrentIndex(1);  // 9600
            PressKey(dialog, Qt::Key_Return);
            QVERIFY2(!dialog.isVisible(), "Enter did not end the dialog");
        });
        rig.frame->OnLink();
        QVERIFY(rig.app.Link().linked);
        QCOMPARE(rig.app.Settings().baudRate, 9600);
    }

    void menusOpenWithAltAndTheirItemsWithTheirLetter() {
        HandheldRig rig("");
        QVERIFY(ShowAt(rig, {480, 640}));
        const std::pair<Qt::Key, const char*> menus[] = {
            {Qt::Key_F, "&File"}, {Qt::Key_E, "&Edit"}, {Qt::Key_O, "&Operation"}, {Qt::Key_V, "&View"}};
        for (const auto& [key, title] : menus) {
            QTest::keyClick(rig.frame->windowHandle(), key, Qt::AltModifier);
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            QCOMPARE(static_cast<QMenu*>(QApplication::activePopupWidget())->title(), QString(title));
            QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            QVERIFY(ShowFocused(*rig.frame, *rig.frame->View()));
        }
        // Alt+O, M: Monitor, which without a link says so.
        QTest::keyClick(rig.frame->windowHandle(), Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_M);
        QTRY_COMPARE(rig.shown, QStringList{"Communication error!!|Varnox Not Link With PC !!"});
    }

    void theGridAt480PixelsShowsCodeAndSettingWholeAndTheTouchedRowsDescription() {
        HandheldRig rig("");
        QVERIFY(ShowAt(rig, {480, 640}));
        CSolvaneView* view = rig.frame->View();
        Settle();
        const int room = view->viewport()->width();
        const QAbstractItemView* cells = view;  // the widest cell of a column, as the view measures it
        for (int column : {kCodeColumn, kRangeColumn, kDefaultColumn, kSettingColumn}) {
            const QString name = QString::number(column);
            QVERIFY2(view->columnWidth(column) >= cells->sizeHintForColumn(column), qPrintable(name));
            QVERIFY2(view->columnViewportPosition(column) + view->columnWidth(column) <= room, qPrintable(name));
        }
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);

        // A tap on b09's row: its description, cut in the grid, reads whole under it.
        const int row = view->Model()->RowOfCodeIndex(CodeIndexOfText("b09"));
        const QModelIndex description = view->Model()->index(row, kDescriptionColumn);
        view->scrollTo(description);
        QVERIFY(view->sizeHintForIndex(description).width() > view->columnWidth(kDescriptionColumn));
        const QRect cell = view->visualRect(view->Model()->index(row, kRangeColumn));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        auto* line = rig.frame->findChild<QLabel*>("descriptionLine");
        QTRY_COMPARE(line->text(), "b09  " + description.data().toString());
        QVERIFY(line->geometry().top() >= view->geometry().bottom());
    }

    // The sheet fits the handheld's screen, its pages scroll where they must not
    // be cut, Enter presses only the Set of its own edit, and Close ends it.
    void theMonitorSheetFitsTheScreenScrollsAndCloses_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("480 x 640") << QSize(480, 640);
        QTest::newRow("240 x 320") << QSize(240, 320);
    }
    void theMonitorSheetFitsTheScreenScrollsAndCloses() {
        QFETCH(QSize, screen);
        SimLine sim({"--stations", "1", "--model", "8"});
        QVERIFY(sim.Started());
        HandheldRig rig(sim.LinkPath());
        QVERIFY(ShowAt(rig, screen));
        rig.Link("1");
        QVERIFY(rig.app.Link().linked);
        rig.answers.push_back(Accept());
        bool closed = false;
        rig.answers.push_back([&](QDialog& dialog) {
            auto& sheet = static_cast<CINVMonSheet&>(dialog);
            const EndOnExit end{sheet};
            QVERIFY(QTest::qWaitForWindowExposed(&sheet));
            QVERIFY2(sheet.frameGeometry().width() <= screen.width(), qPrintable(QString::number(sheet.width())));
            QVERIFY2(sheet.frameGeometry().height() <= screen.height(), qPrintable(QString::number(sheet.height())));
            for (int page = 0; page < sheet.Pages()->count(); ++page) {
                sheet.Pages()->setCurrentIndex(page);
                auto* area = static_cast<QScrollArea*>(sheet.Pages()->currentWidget());
                Settle();
                // Nothing is cut: what does not fit can be scrolled to.
                const QSize least = area->widget()->minimumSizeHint();
                QVERIFY(area->viewport()->width() >= least.width() || area->horizontalScrollBar()->isVisible());
                QVERIFY(area->viewport()->height() >= least.height() || area->verticalScrollBar()->isVisible());
            }
            // Lower than its first page: that page scrolls.
            sheet.Pages()->setCurrentIndex(0);
            sheet.resize(sheet.width(), sheet.height() / 2);
            auto* current = static_cast<QScrollArea*>(sheet.Pages()->currentWidget());
            QTRY_VERIFY(current->verticalScrollBar()->isVisible());
            QVERIFY(current->verticalScrollBar()->maximum() > 0);

            sheet.Pages()->setCurrentIndex(1);  // CONTROL
            sheet.findChild<QComboBox*>("function")->setCurrentIndex(4);  // A04
            auto* setData = sheet.findChild<QLineEdit*>("setData");
            QVERIFY(ShowFocused(sheet, *setData));
            QTest::keyClicks(setData, "5");
            const std::size_t before = sim.Frames().size();
            PressKey(sheet, Qt::Key_Return);
            QTRY_COMPARE(WritesAfter(sim.Frames(), before), std::vector<std::string>{WriteFrame(1, 4, 50)});
            QVERIFY(sheet.isVisible());
            sheet.findChild<QPushButton*>("Close")->click();
            closed = !sheet.isVisible();
        });
        rig.frame->OnMonitor();
        QVERIFY(closed);
        QVERIFY(!rig.app.Link().monitorOpen);
        QVERIFY(rig.app.Link().linked);
    }
};

static RegisterTest<HandheldFocusTest> registration;

}  // namespace telvor::testing

#include "handheld_focus_test.moc"
