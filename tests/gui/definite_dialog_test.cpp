// The Definite parameter dialog: its grid of the list, Add/Remove, edits into
// the document and online writes to the dialog's station.

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "add_remove_dialog.h"
#include "command_table.h"
#include "def_para_dialog.h"
#include "definite_rules.h"
#include "grid_edit.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "parameter_table_model.h"
#include "sim_line.h"
#include "solvane_view.h"

namespace telvor::testing {
namespace {

QStringList Codes(ParameterTableModel& model) {
    QStringList codes;
    for (int r = 0; r < model.rowCount(); ++r) codes << model.index(r, kCodeColumn).data().toString();
    return codes;
}

}  // namespace

class DefiniteDialogTest : public QObject {
    Q_OBJECT
private slots:
    void offlineTheGridShowsTheListAndEditsOnlyTheDocument() {
        GuiRig rig;
        rig.NewDocument(8, true);
        rig.app.Settings().definite = DefiniteListOf({4, 110});
        QStringList codes, headers;
        bool stationEnabled = true;
        rig.answers.push_back([&](QDialog& dialog) {
            auto& definite = static_cast<CDefParaDialog&>(dialog);
            ParameterTableModel& model = *definite.Grid()->Model();
            codes = Codes(model);
            for (int c = 0; c < model.columnCount(); ++c) headers << model.headerData(c, Qt::Horizontal).toString();
            stationEnabled = definite.StationList()->isEnabled();
            QCOMPARE(model.index(0, kDefaultColumn).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
            QCOMPARE(model.index(0, kSettingColumn).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
            QVERIFY(TypeIntoSetting(*definite.Grid(), 4, "9"));
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(definite.Grid(), &escape);  // stays open
            QVERIFY(dialog.isVisible());
            QVERIFY(rig.app.Link().modalBusy);
            Press("&Close")(dialog);
        });
        rig.frame->Action(ID_DEFINITE_PARAMETER)->trigger();
        QCOMPARE(codes, (QStringList{"A04", "b10"}));
        QCOMPARE(headers, (QStringList{"Description", "Code", "Range", "Default", "Setting"}));
        QVERIFY(!stationEnabled);
        QCOMPARE(rig.app.Document()->sets[0][4], 90);
        QVERIFY(rig.app.Document()->modified);
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("9.0"));
        QVERIFY(!rig.app.Link().modalBusy);
        QCOMPARE(rig.unexpected, 0);
    }

    void addRemoveRebuildsTheListAndItStaysAfterClose() {
        GuiRig rig;
        rig.NewDocument(0, true);
        QStringList codes;
        rig.answers.push_back([&](QDialog& dialog) {
            auto& definite = static_cast<CDefParaDialog&>(dialog);
            QCOMPARE(definite.Grid()->Model()->rowCount(), 0);
            definite.AddRemoveButton()->click();
            codes = Codes(*definite.Grid()->Model());
            Press("&Close")(dialog);
        });
        rig.answers.push_back([](QDialog& dialog) {
            auto& addRemove = static_cast<CAddRemoveDialog&>(dialog);
            QVERIFY(!addRemove.Button("Remo&ve All")->isEnabled());
            QListWidget* all = addRemove.AllBox();
            for (const char* code : {"b89", "b96"})
                QVERIFY(all->findItems(QString(code), Qt::MatchStartsWith).isEmpty());
            // A double-click adds A02; then b00 goes before it.
            QListWidgetItem* a02 = all->item(2);
            all->setCurrentItem(a02);
            emit all->itemDoubleClicked(a02);
            all->setCurrentRow(all->row(all->findItems("b00", Qt::MatchStartsWith).front()));
            addRemove.DefiniteBox()->setCurrentRow(0);
            addRemove.Button("&Add ->")->click();
            QCOMPARE(addRemove.DefiniteBox()->item(0)->text(), QString::fromStdString(DefiniteEntryText(100)));
            dialog.accept();
        });
        rig.frame->Action(ID_DEFINITE_PARAMETER)->trigger();
        QCOMPARE(codes, (QStringList{"b00", "A02"}));
        QCOMPARE(rig.app.Settings().definite.count, 2);
        QCOMPARE(rig.unexpected, 0);
    }

    void theGridIsYellowInItsCellsAndKeepsItsColumnsBetweenOpenings() {
        GuiRig rig;
        rig.NewDocument(8, true);
        rig.app.Settings().definite = DefiniteListOf({4, 110});
        QList<QList<int>> widths;
        QList<QColor> cellColours;
        const auto look = [&](CSolvaneView& grid) {
            Settle();
            QList<int> columns;
            for (int c = 0; c < grid.Model()->columnCount(); ++c) columns << grid.columnWidth(c);
            widths << columns;
            // Inside the Code cell of the first row, above its text.
            const QRect cell = grid.visualRect(grid.Model()->index(0, kCodeColumn));
            cellColours << grid.viewport()->grab().toImage().pixelColor(cell.right() - 3, cell.top() + 2);
        };
        for (bool addRemove : {true, false}) {
            rig.answers.push_back([&, addRemove](QDialog& dialog) {
                auto& definite = static_cast<CDefParaDialog&>(dialog);
                look(*definite.Grid());
                if (addRemove) {
                    definite.AddRemoveButton()->click();  // OK with the list as it was rebuilds the grid
                    look(*definite.Grid());
                }
                Press("&Close")(dialog);
            });
            if (addRemove) rig.answers.push_back(Accept());
            rig.frame->Action(ID_DEFINITE_PARAMETER)->trigger();
        }
        QCOMPARE(widths.size(), 3);
        QCOMPARE(widths[1], widths[0]);
        QCOMPARE(widths[2], widths[0]);
        for (const QColor& colour : cellColours) QCOMPARE(colour, QColor(255, 255, 224));
        QCOMPARE(rig.unexpected, 0);
    }

    void onlineAnEditIsWrittenToTheDialogsStation() {
        SimLine sim({"--stations", "3,5", "--model", "0"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("3");
        QVERIFY(rig.app.Link().linked);
        rig.NewDocument(0, true);
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        rig.app.Settings().definite = DefiniteListOf({3, 4});
        const std::size_t before = sim.Frames().size();
        rig.answers.push_back([&](QDialog& dialog) {
            auto& definite = static_cast<CDefParaDialog&>(dialog);
            QVERIFY(definite.StationList()->isEnabled());
            definite.StationList()->setCurrentIndex(4);
            // An emptied cell names no value (not 0.00): the range message, and nothing is sent.
            QVERIFY(TypeIntoSetting(*definite.Grid(), 3, "5\b"));
            Settle();
            QCOMPARE(rig.shown.last(), QString("Error Message|Over Range !!\n\nCode: A03\nRange Value: 0.00~200.00"));
            QCOMPARE(sim.Frames().size(), before);
            QVERIFY(TypeIntoSetting(*definite.Grid(), 4, "7"));
            Settle();
            QVERIFY(rig.app.Link().modalBusy);
            Press("&Close")(dialog);
        });
        rig.answers.push_back(Accept());  // the range message
        rig.answers.push_back(Accept());  // "Write Parameter Successfully !!"
        rig.frame->Action(ID_DEFINITE_PARAMETER)->trigger();
        const std::vector<std::string> frames = sim.Frames();
        QCOMPARE(std::vector<std::string>(frames.begin() + static_cast<long>(before), frames.end()),
                 std::vector<std::string>{WriteFrame(5, 4, 70)});
        QCOMPARE(rig.app.Link().currentStation, 3);
        QCOMPARE(rig.unexpected, 0);
    }
};

// Add/Remove on a shown, focused window (gui_focus_tests runs this class on Xvfb):
// a list box that takes the focus chooses no entry by itself.
class AddRemoveFocusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!HasRealFocus()) QSKIP("keys and focus are tested on an X display (gui_focus_tests)");
    }

    void addIsDisabledUntilTheUserChoosesAnEntry() {
        CAddRemoveDialog dialog(DefiniteListOf({4}));
        QListWidget* all = dialog.AllBox();
        QVERIFY(ShowFocused(dialog, *all));
        Settle();
        QVERIFY(!dialog.Button("&Add ->")->isEnabled());
        QVERIFY(!dialog.Button("<- &Remove")->isEnabled());
        QVERIFY(ShowFocused(dialog, *dialog.DefiniteBox()));
        Settle();
        QVERIFY(!dialog.Button("<- &Remove")->isEnabled());
        QTest::mouseClick(all->viewport(), Qt::LeftButton, {}, all->visualItemRect(all->item(2)).center());
        QVERIFY(dialog.Button("&Add ->")->isEnabled());
        dialog.Button("&Add ->")->click();
        QCOMPARE(dialog.DefiniteBox()->count(), 2);
        QCOMPARE(dialog.DefiniteBox()->item(1)->text(), QString::fromStdString(DefiniteEntryText(2)));
    }
};

static RegisterTest<DefiniteDialogTest> registerDefiniteDialogTest;
static RegisterTest<AddRemoveFocusTest> registerAddRemoveFocusTest;

}  // namespace telvor::testing

#include "definite_dialog_test.moc"
