// The Changed only view of the desktop program: the View menu and toolbar toggle,
// the count in the status bar, editing, Find, Go to and online edits in the
// filtered grid, and the printed and exported changed parameters.

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <cstdio>

#include "command_table.h"
#include "find_goto_dialog.h"
#include "grid_edit.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "parameter_table_model.h"
#include "print_commands.h"
#include "sim_line.h"
#include "solvane_view.h"

namespace telvor::testing {
namespace {

QStringList Codes(CMainFrame& frame) {
    ParameterTableModel& model = *frame.View()->Model();
    QStringList codes;
    for (int row = 0; row < model.rowCount(); ++row) codes << model.index(row, kCodeColumn).data().toString();
    return codes;
}

QString Count(CMainFrame& frame) { return frame.ChangedCount()->text(); }

// The focus cell's code and column.
QString FocusCell(CMainFrame& frame) {
    const QModelIndex focus = frame.View()->currentIndex();
    return focus.isValid() ? QString("%1,%2").arg(focus.siblingAtColumn(kCodeColumn).data().toString()).arg(focus.column())
                           : QString("none");
}

QString PdfText(const std::string& path) {
    QString text;
    if (FILE* pipe = popen(("pdftotext -layout '" + path + "' -").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text += QString::fromUtf8(buffer, static_cast<qsizetype>(n));
        pclose(pipe);
    }
    return text;
}

// A set of model 8 at 50 Hz with A04 and b10 changed, and b77 (a line parameter) too.
void ChangeThreeSettings(GuiRig& rig) {
    rig.NewDocument(8, true);
    QVERIFY(TypeIntoSetting(*rig.frame, 4, "8.5"));
    QVERIFY(TypeIntoSetting(*rig.frame, 110, "400"));
    rig.app.Document()->sets[0][SlotOfCodeIndex(177)] = 9;
    rig.frame->View()->Refresh();
}

}  // namespace

class ChangedOnlyTest : public QObject {
    Q_OBJECT
private slots:
    void theViewShowsTheChangedRowsAndTheStatusBarCountsThem() {
        GuiRig rig;
        rig.NewDocument(8, true);
        QAction* toggle = rig.frame->Action(ID_VIEW_CHANGED_ONLY);
        QCOMPARE(Count(*rig.frame), QString("0 of 111 changed"));
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "8.5"));
        QCOMPARE(Count(*rig.frame), QString("1 of 111 changed"));  // at once, not at the next tick
        QVERIFY(TypeIntoSetting(*rig.frame, 110, "400"));
        rig.app.Document()->sets[0][SlotOfCodeIndex(177)] = 9;

        QVERIFY(rig.frame->ToolBar()->actions().contains(toggle));
        QMenu* view = nullptr;
        for (QAction* menu : rig.frame->menuBar()->actions())
            if (menu->text() == "&View") view = menu->menu();
        QVERIFY(view && view->actions().contains(toggle));
        QVERIFY(toggle->isEnabled());
        toggle->trigger();
        QVERIFY(toggle->isChecked());
        QCOMPARE(Codes(*rig.frame), (QStringList{"A04", "b10"}));
        QCOMPARE(Count(*rig.frame), QString("2 of 111 changed"));

        // An edit back to the Default keeps its row until the rows are taken again.
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "5"));
        QCOMPARE(Count(*rig.frame), QString("1 of 111 changed"));
        QCOMPARE(Codes(*rig.frame), (QStringList{"A04", "b10"}));
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("5.0"));
        rig.frame->View()->Refresh();
        QCOMPARE(Codes(*rig.frame), QStringList{"b10"});

        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QCOMPARE(Codes(*rig.frame).size(), 111);
        QCOMPARE(rig.unexpected, 0);
    }

    void theViewStaysForTheNextDocumentAndAComparisonIsNotFiltered() {
        GuiRig rig;
        ChangeThreeSettings(rig);
        QAction* toggle = rig.frame->Action(ID_VIEW_CHANGED_ONLY);
        toggle->trigger();
        rig.app.Document()->modified = false;
        rig.NewDocument(0, false);
        QVERIFY(toggle->isChecked());
        QCOMPARE(Codes(*rig.frame), QStringList());
        QCOMPARE(Count(*rig.frame), QString("0 of 111 changed"));

        CSolvaneDoc compare = NewDocument(0, true, false);
        compare.compareMode = CompareFileFile;
        compare.presentFlags = {1, 1, 0};
        compare.rowFlags = {};
        compare.rowFlags[2] = compare.rowFlags[20] = 1;
        rig.app.SetDocument(compare);
        rig.frame->ShowDocument();
        QVERIFY(!toggle->isEnabled());
        QVERIFY(!toggle->isChecked());
        QCOMPARE(Count(*rig.frame), QString());
        QCOMPARE(Codes(*rig.frame), (QStringList{"A02", "b07"}));
    }

    void findSearchesTheShownRowsAndGoToAHiddenCodeLeavesTheView() {
        GuiRig rig;
        ChangeThreeSettings(rig);
        rig.frame->Action(ID_VIEW_CHANGED_ONLY)->trigger();
        rig.frame->Action(ID_EDIT_FIND)->trigger();
        CFindGotoDialog& dialog = *rig.frame->View()->FindGotoDialog();
        QCOMPARE(FocusCell(*rig.frame), QString("b10,4"));  // the last edit's cell, still shown
        dialog.FirstRadio()->click();
        dialog.TextBox()->setText("acceleration");
        dialog.FindNextButton()->click();
        Settle();
        QCOMPARE(FocusCell(*rig.frame), QString("A04,4"));
        rig.answers.push_back(Accept());
        dialog.TextBox()->setText("Operation control");  // A00 is not changed: not in the view
        dialog.FindNextButton()->click();
        Settle();
        QCOMPARE(rig.shown.last(), QString("Find|Search text\n 'Operation control' not found!"));

        rig.frame->Action(ID_EDIT_GOTO)->trigger();
        dialog.CodeList()->setCurrentIndex(5);
        emit dialog.CodeList()->activated(5);
        dialog.GoToButton()->click();
        Settle();
        QVERIFY(!rig.frame->Action(ID_VIEW_CHANGED_ONLY)->isChecked());
        QCOMPARE(Codes(*rig.frame).size(), 111);
        QCOMPARE(FocusCell(*rig.frame), QString("A05,4"));
        QVERIFY(!rig.frame->Print()->ChangedOnly());  // printing follows the grid
        QCOMPARE(rig.unexpected, 0);
    }

    void anOnlineEditInTheFilteredViewIsWrittenToTheStation() {
        SimLine sim({"--stations", "3", "--model", "8"});
        QVERIFY(sim.Started());
        GuiRig rig(sim.LinkPath());
        rig.Link("3");
        ChangeThreeSettings(rig);
        rig.frame->Action(ID_VIEW_CHANGED_ONLY)->trigger();
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        const std::size_t before = sim.Frames().size();
        rig.answers.push_back(Press("OK"));
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "7"));
        Settle();
        QCOMPARE(rig.shown.last(), QString("Write Message|Write Parameter Successfully !!"));
        const std::vector<std::string> frames = sim.Frames();
        QCOMPARE(std::vector<std::string>(frames.begin() + static_cast<std::ptrdiff_t>(before), frames.end()),
                 std::vector<std::string>{WriteFrame(3, 4, 70)});
        QCOMPARE(Codes(*rig.frame), (QStringList{"A04", "b10"}));
        QCOMPARE(rig.unexpected, 0);
    }

    void printAndExportPdfTakeChangedParametersOnly() {
        GuiRig rig;
        ChangeThreeSettings(rig);
        rig.frame->Action(ID_VIEW_CHANGED_ONLY)->trigger();
        rig.shown.clear();
        bool offered = false, ticked = false;
        rig.answers.push_back([&](QDialog& dialog) {
            QCheckBox* box = dialog.findChild<QCheckBox*>("changedOnly");
            offered = box && box->isEnabled();
            ticked = box && box->isChecked();
            dialog.reject();
        });
        rig.frame->Action(ID_FILE_PRINT)->trigger();
        QVERIFY(offered);
        QVERIFY(ticked);  // as the grid shows

        const std::string exported = rig.Folder() + "/changed.pdf";
        rig.answers.push_back([&](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(exported));
            dialog.accept();
        });
        rig.frame->Action(ID_FILE_EXPORT_PDF)->trigger();
        const QString text = PdfText(exported);
        QVERIFY2(text.contains("Varnox -- Parameters List -- Changed parameters only"), qPrintable(text));
        QVERIFY(text.contains("Acceleration time 1 (s)"));
        QVERIFY(text.contains("b10"));
        QVERIFY(!text.contains("A00"));
        QVERIFY(!text.contains("b77"));

        // Unticked in Print Title & Set: the next export lists every parameter again.
        rig.answers.push_back([](QDialog& dialog) {
            dialog.findChild<QCheckBox*>("changedOnly")->setChecked(false);
            dialog.accept();
        });
        rig.frame->Action(ID_PRINT_TITLE_SET)->trigger();
        const std::string everything = rig.Folder() + "/all.pdf";
        rig.answers.push_back([&](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(everything));
            dialog.accept();
        });
        rig.frame->Action(ID_FILE_EXPORT_PDF)->trigger();
        const QString all = PdfText(everything);
        QVERIFY(!all.contains("Changed parameters only"));
        QVERIFY(all.contains("A00"));
        QCOMPARE(rig.shown, (QStringList{"Print Set", "Save As", "Print Title & Set", "Save As"}));
        QCOMPARE(rig.unexpected, 0);
    }
};

static RegisterTest<ChangedOnlyTest> registration;

}  // namespace telvor::testing

#include "changed_only_test.moc"
