// Find and Go to on parameter and compare documents: the dialog's rules, the
// search of the grid and the "not found" messages.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include "command_table.h"
#include "document_file.h"
#include "find_goto_dialog.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "parameter_catalogue.h"
#include "parameter_table_model.h"
#include "solvane_view.h"

namespace telvor::testing {
namespace {

// The rows (grid rows, header 0) whose description holds the text, case ignored.
std::vector<int> RowsDescribing(const QString& text) {
    std::vector<int> rows;
    for (int slot = 0; slot < kParameterCount; ++slot)
        if (QString::fromStdString(DescriptionText(CodeIndexOfSlot(slot))).contains(text, Qt::CaseInsensitive))
            rows.push_back(slot + 1);
    return rows;
}

// Replaces the code combo's text by typing.
void TypeCode(CFindGotoDialog& dialog, const QString& text) {
    dialog.CodeList()->lineEdit()->selectAll();
    QTest::keyClicks(dialog.CodeList()->lineEdit(), text);
}

struct FindRig : GuiRig {
    CFindGotoDialog& Dialog(int command) {
        frame->Action(command)->trigger();
        return *frame->View()->FindGotoDialog();
    }
    void FindNext(const QString& text, bool down) {
        CFindGotoDialog& dialog = Dialog(ID_EDIT_FIND);
        dialog.TextBox()->setText(text);
        (down ? dialog.SecondRadio() : dialog.FirstRadio())->click();
        dialog.FindNextButton()->click();
        Settle();
    }
    // The focus cell as "row,column" in grid rows, and the selected columns of its row.
    QString Focus() {
        const QModelIndex focus = frame->View()->currentIndex();
        const auto selected = frame->View()->selectionModel()->selectedIndexes();
        return QString("%1,%2 x%3").arg(focus.row() + 1).arg(focus.column()).arg(selected.size());
    }
};

}  // namespace

class FindGotoTest : public QObject {
    Q_OBJECT
private slots:
    void findWalksDownAndUpWithoutWrappingAndNeverMatchesTheHeader() {
        FindRig rig;
        rig.NewDocument(0, true);
        const std::vector<int> rows = RowsDescribing("freq");
        QVERIFY(rows.size() >= 2);
        rig.FindNext("freq", true);
        QCOMPARE(rig.Focus(), QString("%1,4 x5").arg(rows[0]));
        rig.FindNext("FREQ", true);
        QCOMPARE(rig.Focus(), QString("%1,4 x5").arg(rows[1]));
        rig.FindNext("freq", false);
        QCOMPARE(rig.Focus(), QString("%1,4 x5").arg(rows[0]));
        QCOMPARE(rig.shown, QStringList{"Model Select"});

        // Up from the first match and down from the last row: not found, focus kept.
        rig.answers = {Accept(), Accept(), Accept()};
        rig.FindNext("freq", false);
        const QModelIndex last = rig.frame->View()->Model()->index(kParameterCount - 1, 4);
        rig.frame->View()->setCurrentIndex(last);
        rig.FindNext("freq", true);
        rig.FindNext("Description", true);
        const QString missing = "Find|Search text\n '%1' not found!";
        QCOMPARE(rig.shown.mid(1), (QStringList{missing.arg("freq"), missing.arg("freq"), missing.arg("Description")}));
        QCOMPARE(rig.frame->View()->currentIndex(), last);
        QVERIFY(!rig.app.Link().modalBusy);
        QCOMPARE(rig.unexpected, 0);
    }

    void theDialogIsKeptAndItsCodeListFollowsTheCodeType() {
        FindRig rig;
        rig.NewDocument(0, true);
        CFindGotoDialog& dialog = rig.Dialog(ID_EDIT_GOTO);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.Tabs()->currentIndex(), 1);
        QCOMPARE(dialog.FirstRadio()->text(), QString("Axx"));
        QCOMPARE(dialog.CodeList()->count(), 13);
        dialog.SecondRadio()->click();
        QCOMPARE(dialog.CodeList()->count(), 98);
        QCOMPARE(dialog.CodeList()->currentText(), QString("0"));
        dialog.CodeList()->setCurrentIndex(5);
        dialog.SecondRadio()->click();  // already checked: no refill
        QCOMPARE(dialog.CodeList()->currentIndex(), 5);
        TypeCode(dialog, "9");
        QCOMPARE(dialog.CodeNumber(), 9);
        dialog.GoToButton()->click();
        Settle();
        QCOMPARE(rig.Focus(), QString("%1,4 x5").arg(kBasicCount + 9 + 1));
        QTest::keyClicks(dialog.CodeList()->lineEdit(), "9");  // "99" is no entry
        QCOMPARE(dialog.CodeNumber(), -1);
        dialog.GoToButton()->click();
        Settle();
        QCOMPARE(rig.shown, QStringList{"Model Select"});

        for (QPushButton* close : dialog.findChildren<QPushButton*>())
            if (close->text() == "&Close") close->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(&rig.Dialog(ID_EDIT_FIND), &dialog);
        QCOMPARE(dialog.Tabs()->currentIndex(), 0);
        QCOMPARE(dialog.FirstRadio()->text(), QString("Up"));
        QVERIFY(dialog.SecondRadio()->isChecked());
        QVERIFY(dialog.TextBox()->isVisible());
        QVERIFY(!dialog.CodeList()->isVisible());
    }

    void goToInACompareDocumentFocusesTheCodeAndReportsACodeItDoesNotList() {
        FindRig rig;
        CSolvaneDoc doc = NewDocument(0, true, false);
        doc.compareMode = CompareFilesDefault;
        doc.presentFlags = {1, 0, 0};
        doc.setNames = {"one.vx3", "------", "------"};
        doc.rowFlags = {};
        doc.rowFlags[4] = doc.rowFlags[kBasicCount + 10] = 1;
        rig.app.SetDocument(doc);
        rig.frame->ShowDocument();
        CFindGotoDialog& dialog = rig.Dialog(ID_EDIT_GOTO);
        dialog.SecondRadio()->click();
        TypeCode(dialog, "10");
        dialog.GoToButton()->click();
        Settle();
        QCOMPARE(rig.Focus(), QString("2,1 x6"));
        rig.answers = {Accept()};
        TypeCode(dialog, "97");
        dialog.GoToButton()->click();
        Settle();
        QCOMPARE(rig.shown, QStringList{"Go to|Go to the code\n'b97' not found!"});
        QCOMPARE(rig.Focus(), QString("2,1 x6"));
    }

    void aGoToThatMissesLeavesTheGridWhereItWas() {
        FindRig rig;
        CSolvaneDoc doc = NewDocument(0, true, false);
        doc.compareMode = CompareFileFile;
        doc.presentFlags = {1, 1, 0};
        doc.rowFlags = {};
        for (int slot = 0; slot + 1 < kParameterCount; ++slot) doc.rowFlags[slot] = 1;  // all but b97
        rig.app.SetDocument(doc);
        rig.frame->ShowDocument();
        QScrollBar* scroll = rig.frame->View()->verticalScrollBar();
        QVERIFY(scroll->maximum() > 20);
        scroll->setValue(20);
        CFindGotoDialog& dialog = rig.Dialog(ID_EDIT_GOTO);
        dialog.SecondRadio()->click();
        rig.answers = {Accept()};
        TypeCode(dialog, "97");
        dialog.GoToButton()->click();
        Settle();
        QCOMPARE(rig.shown, QStringList{"Go to|Go to the code\n'b97' not found!"});
        QCOMPARE(scroll->value(), 20);
    }

    void newAndOpenShowTheDocumentFromA00() {
        FindRig rig;
        rig.NewDocument(0, true);
        CSolvaneView& view = *rig.frame->View();
        const QString path = QString::fromStdString(rig.Folder() + "/set.vx3");
        QVERIFY(WriteDocumentFile(*rig.app.Document(), path.toStdString()).ok);
        for (bool open : {false, true}) {
            view.setCurrentIndex(view.Model()->index(kParameterCount - 1, kSettingColumn));
            view.scrollToBottom();
            QVERIFY(view.verticalScrollBar()->value() > 0);
            if (open) QVERIFY(rig.frame->OpenDocumentFile(path));
            else rig.NewDocument(3, false);
            QCOMPARE(view.verticalScrollBar()->value(), 0);
            QVERIFY(!view.currentIndex().isValid());
        }
    }
};

// Find and Go to with real keys on shown, focused windows (gui_focus_tests runs
// this class on Xvfb): the focus cell is only one the user or a search chose, Enter
// runs the search, and after a hit the next key goes into the found cell.
class FindGotoFocusTest : public QObject {
    Q_OBJECT

    // Types into an edit box, or the edit box of a combo box, as the focus widget.
    static void Type(QWidget& window, QWidget& box, QLineEdit& edit, const QString& text) {
        QVERIFY(ShowFocused(window, box));
        edit.selectAll();
        QTest::keyClicks(&box, text);
    }

private slots:
    void initTestCase() {
        if (!HasRealFocus()) QSKIP("keys and focus are tested on an X display (gui_focus_tests)");
    }

    void enterFindsFromTheFirstOrLastRowAndTheNextKeyGoesIntoTheFoundCell() {
        FindRig rig;
        rig.NewDocument(0, true);
        CSolvaneView& view = *rig.frame->View();
        QVERIFY(ShowFocused(*rig.frame, view));
        Settle();
        QVERIFY(!view.currentIndex().isValid());  // taking the focus chose no cell

        CFindGotoDialog& dialog = rig.Dialog(ID_EDIT_FIND);
        dialog.SecondRadio()->click();
        Type(dialog, *dialog.TextBox(), *dialog.TextBox(), "Operation control");
        PressKey(dialog, Qt::Key_Return);
        QCOMPARE(rig.Focus(), QString("1,4 x5"));  // A00, the first row
        QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == &view; }));
        PressKey(*rig.frame, Qt::Key_2);
        PressKey(*rig.frame, Qt::Key_Return);
        QCOMPARE(rig.app.Document()->sets[0][0], 2);

        // Up without a focus cell starts at the last row.
        rig.app.Document()->modified = false;  // no save question
        rig.NewDocument(0, true);
        QVERIFY(ShowFocused(*rig.frame, view));
        QVERIFY(!view.currentIndex().isValid());
        dialog.FirstRadio()->click();
        Type(dialog, *dialog.TextBox(), *dialog.TextBox(), "freq");
        PressKey(dialog, Qt::Key_Return);
        QCOMPARE(rig.Focus(), QString("%1,4 x5").arg(RowsDescribing("freq").back()));
        QCOMPARE(rig.shown, (QStringList{"Model Select", "Model Select"}));
    }

    void enterInGoToCodeGoesThereAndFocusesTheGrid() {
        FindRig rig;
        rig.NewDocument(0, true);
        CSolvaneView& view = *rig.frame->View();
        CFindGotoDialog& dialog = rig.Dialog(ID_EDIT_GOTO);
        dialog.SecondRadio()->click();
        Type(dialog, *dialog.CodeList(), *dialog.CodeList()->lineEdit(), "10");
        PressKey(dialog, Qt::Key_Return);
        QCOMPARE(rig.Focus(), QString("%1,4 x5").arg(kBasicCount + 10 + 1));
        QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == &view; }));
        QCOMPARE(rig.shown, QStringList{"Model Select"});
    }
};

static RegisterTest<FindGotoTest> registerFindGotoTest;
static RegisterTest<FindGotoFocusTest> registerFindGotoFocusTest;

}  // namespace telvor::testing

#include "find_goto_test.moc"
