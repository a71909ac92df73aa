// The parameter grid of a document: layout, colours, read-only rules and the
// in-place edit with its range message.

#include <QHeaderView>
#include <QScrollBar>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "grid_edit.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "parameter_catalogue.h"
#include "parameter_table_model.h"
#include "setting_editor.h"
#include "solvane_view.h"

namespace telvor::testing {

class GridTest : public QObject {
    Q_OBJECT
private slots:
    void newDocumentForModel8At60HzShowsEveryParameter() {
        GuiRig rig;
        rig.NewDocument(8, false);
        QCOMPARE(rig.shown, QStringList{"Model Select"});
        ParameterTableModel* model = rig.frame->View()->Model();
        QCOMPARE(model->rowCount() + 1, 112);  // the header row and 111 parameters
        QStringList headers;
        for (int c = 0; c < model->columnCount(); ++c) headers << model->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{"Description", "Code", "Range", "Default", "Setting"}));
        QCOMPARE(CellText(*rig.frame, 0, kCodeColumn), QString("A00"));
        QCOMPARE(CellText(*rig.frame, 197, kCodeColumn), QString("b97"));
        QCOMPARE(CellText(*rig.frame, 8, kDefaultColumn), QString("440.0"));
        QCOMPARE(CellText(*rig.frame, 8, kSettingColumn), QString("440.0"));
        QCOMPARE(CellText(*rig.frame, 2, kDefaultColumn), QString("50.00/60.00"));
        QCOMPARE(CellText(*rig.frame, 2, kSettingColumn), QString("60.00"));
        QCOMPARE(CellText(*rig.frame, 2, kRangeColumn), QString("1.00~200.00"));
        QCOMPARE(CellText(*rig.frame, 2, kDescriptionColumn), QString("Frequency high limit (Hz)"));
        QCOMPARE(CellText(*rig.frame, 189, kDefaultColumn), QString("008"));
        // An unlinked document leaves the version and the fault records empty.
        QCOMPARE(CellText(*rig.frame, 196, kSettingColumn), QString());
        QCOMPARE(CellText(*rig.frame, 197, kSettingColumn), QString());
        QCOMPARE(rig.frame->Pane(3)->text(), QString("Model: KRV-075-43"));
    }

    void cellsCarryTheirColoursAndFonts() {
        GuiRig rig;
        rig.NewDocument(0, true);
        ParameterTableModel* model = rig.frame->View()->Model();
        QCOMPARE(model->index(4, kDefaultColumn).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QCOMPARE(model->index(4, kSettingColumn).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
        QVERIFY(!model->index(4, kCodeColumn).data(Qt::ForegroundRole).isValid());
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(250, 251, 210));
        const QFont body = model->index(0, 0).data(Qt::FontRole).value<QFont>();
        const QFont header = model->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>();
        QVERIFY(QFontInfo(body).fixedPitch());
        QCOMPARE(body.pixelSize(), 16);
        QCOMPARE(header.pixelSize(), 18);
        QVERIFY(header.weight() > QFont::Bold);
        QVERIFY(rig.frame->View()->horizontalHeader()->styleSheet().contains("rgb(250, 251, 210)"));
        const auto backgroundOf = [&](int codeIndex, int column) {
            return model->index(model->RowOfCodeIndex(codeIndex), column).data(Qt::BackgroundRole);
        };
        const auto background = [&](int codeIndex, int column) { return backgroundOf(codeIndex, column).value<QColor>(); };
        // Other cells show the grid's own background: white here, yellow in the Definite dialog.
        QVERIFY(!backgroundOf(4, kSettingColumn).isValid());
        QVERIFY(!backgroundOf(189, kCodeColumn).isValid());
        QVERIFY(rig.frame->View()->styleSheet().contains("background-color: white"));
        QCOMPARE(background(189, kSettingColumn), ParameterTableModel::ReadOnlySettingBackground());
        QCOMPARE(background(195, kSettingColumn), ParameterTableModel::ReadOnlySettingBackground());
        QVERIFY(ParameterTableModel::ReadOnlySettingBackground() != QColor(Qt::white));
    }

    // A keystroke starts the edit of the cell it is typed on, or does nothing;
    // it never moves the focus to the row whose text begins with the key.
    void typingNeverMovesTheFocusToAnotherRow_data() {
        QTest::addColumn<int>("codeIndex");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("editorText");  // empty: no editor opens
        QTest::newRow("b89 Setting, read-only") << 189 << int(kSettingColumn) << "55" << "";
        QTest::newRow("b96 Setting, read-only") << 196 << int(kSettingColumn) << "0" << "";
        QTest::newRow("A00 Code") << 0 << int(kCodeColumn) << "b8" << "";
        QTest::newRow("A12 Description") << 12 << int(kDescriptionColumn) << "F" << "";
        QTest::newRow("A02 Setting, editable") << 2 << int(kSettingColumn) << "5" << "5";
        QTest::newRow("b00 Setting, editable") << 100 << int(kSettingColumn) << "1" << "1";
    }
    void typingNeverMovesTheFocusToAnotherRow() {
        QFETCH(int, codeIndex);
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(QString, editorText);
        GuiRig rig;
        rig.NewDocument(0, true);
        CSolvaneView* view = rig.frame->View();
        const int row = view->Model()->RowOfCodeIndex(codeIndex);
        view->setFocus();
        view->setCurrentIndex(view->Model()->index(row, column));
        QTest::keyClicks(view, keys);
        QCOMPARE(view->currentIndex().row(), row);
        QCOMPARE(view->currentIndex().column(), column);
        auto* editor = view->findChild<SettingEditor*>();
        const bool editing = editor && editor->isVisible();
        QCOMPARE(editing, !editorText.isEmpty());
        if (editing) {
            QCOMPARE(editor->text(), editorText);
            QTest::keyClick(editor, Qt::Key_Escape);
            Settle();
        }
        QVERIFY(!rig.app.Document()->modified);
        QCOMPARE(rig.unexpected, 0);
    }

    // The value columns show in full and Description takes what is left,
    // without a horizontal scroll bar.
    void valueColumnsShowInFullAndDescriptionTakesTheRest_data() {
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<bool>("descriptionElided");
        QTest::newRow("900 px") << 900 << true;
        QTest::newRow("1600 px") << 1600 << false;
    }
    void valueColumnsShowInFullAndDescriptionTakesTheRest() {
        QFETCH(int, windowWidth);
        QFETCH(bool, descriptionElided);
        GuiRig rig;
        rig.NewDocument(0, true);
        rig.frame->resize(windowWidth, 700);
        Settle();
        CSolvaneView* view = rig.frame->View();
        QHeaderView* header = view->horizontalHeader();
        const QAbstractItemView* cells = view;  // the widest cell of a column, as the view measures it
        for (int column : {kCodeColumn, kRangeColumn, kDefaultColumn, kSettingColumn}) {
            QVERIFY2(view->columnWidth(column) >= cells->sizeHintForColumn(column), qPrintable(QString::number(column)));
            QVERIFY(view->columnWidth(column) >= header->sectionSizeHint(column));
        }
        QCOMPARE(header->length(), view->viewport()->width());
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(view->columnWidth(kDescriptionColumn) < cells->sizeHintForColumn(kDescriptionColumn),
                 descriptionElided);
        // The longest description shows whole in a tip exactly when it is cut.
        QModelIndex longest = view->Model()->index(0, kDescriptionColumn);
        for (int row = 1; row < view->Model()->rowCount(); ++row) {
            const QModelIndex cell = view->Model()->index(row, kDescriptionColumn);
            if (cells->sizeHintForIndex(cell).width() > cells->sizeHintForIndex(longest).width()) longest = cell;
        }
        view->scrollTo(longest);
        const QPoint at = view->visualRect(longest).center();
        QHelpEvent tip(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(view->viewport(), &tip);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(),
                 descriptionElided ? longest.data().toString() : QString());
        QToolTip::hideText();
    }

    void onlyUnprotectedSettingCellsOpenAnEditor_data() {
        QTest::addColumn<int>("codeIndex");
        QTest::addColumn<bool>("editable");
        QTest::newRow("A04") << 4 << true;
        QTest::newRow("b00") << 100 << true;
        for (int code : {177, 178, 179, 180, 181, 182, 183, 189, 194, 196, 197})
            QTest::newRow(qPrintable(QString::fromStdString(CodeText(code)))) << code << false;
        QTest::newRow("b95 offline") << 195 << false;
    }
    void onlyUnprotectedSettingCellsOpenAnEditor() {
        QFETCH(int, codeIndex);
        QFETCH(bool, editable);
        GuiRig rig;
        rig.NewDocument(3, true);
        const QString before = CellText(*rig.frame, codeIndex, kSettingColumn);
        QCOMPARE(TypeIntoSetting(*rig.frame, codeIndex, "1"), editable);
        if (!editable) QCOMPARE(CellText(*rig.frame, codeIndex, kSettingColumn), before);
        ParameterTableModel* model = rig.frame->View()->Model();
        const int row = model->RowOfCodeIndex(codeIndex);
        for (int column : {kDescriptionColumn, kCodeColumn, kRangeColumn, kDefaultColumn})
            QVERIFY(!(model->flags(model->index(row, column)) & Qt::ItemIsEditable));
        QCOMPARE(rig.unexpected, 0);
    }

    void typingFiveIntoA04StoresFiftyAndShowsFivePointZero() {
        GuiRig rig;
        rig.NewDocument(0, true);
        QVERIFY(!rig.app.Document()->modified);
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "5"));
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("5.0"));
        QCOMPARE(rig.app.Document()->sets[0][4], 50);
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "12", Qt::Key_Tab));
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("12.0"));
        QCOMPARE(rig.app.Document()->sets[0][4], 120);
        QVERIFY(rig.app.Document()->modified);
        QCOMPARE(rig.unexpected, 0);
    }

    void escapeRestoresTheCell() {
        GuiRig rig;
        rig.NewDocument(0, true);
        QVERIFY(TypeIntoSetting(*rig.frame, 5, "77", Qt::Key_Escape));
        QCOMPARE(CellText(*rig.frame, 5, kSettingColumn), QString("5.0"));
        QCOMPARE(rig.app.Document()->sets[0][5], 50);
        QVERIFY(!rig.app.Document()->modified);
        QCOMPARE(rig.shown.size(), 1);  // Model Select only: no message
    }

    void aValueOutOfRangeShowsTheMessageAndKeepsTheValue() {
        GuiRig rig;
        rig.NewDocument(0, true);
        rig.answers.push_back([](QDialog& dialog) {
            QCOMPARE(static_cast<QMessageBox&>(dialog).icon(), QMessageBox::Information);
            PressStandard(QMessageBox::Ok)(dialog);
        });
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "0"));
        QCOMPARE(rig.shown.value(1), QString("Error Message|Over Range !!\n\nCode: A04\nRange Value: 0.1~999.0"));
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("5.0"));
        QCOMPARE(rig.app.Document()->sets[0][4], 50);
        QVERIFY(!rig.app.Document()->modified);
        QCOMPARE(rig.unexpected, 0);
    }

    void theWheelScrollsThreeRowsPerNotch() {
        GuiRig rig;
        rig.NewDocument(0, true);
        CSolvaneView* view = rig.frame->View();
        QScrollBar* bar = view->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        const QPoint at = view->viewport()->rect().center();
        QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view->viewport(), &wheel);
        QCOMPARE(bar->value(), 3);
    }

    void clickingAHeaderDoesNotSort() {
        GuiRig rig;
        rig.NewDocument(0, true);
        CSolvaneView* view = rig.frame->View();
        QHeaderView* header = view->horizontalHeader();
        const QPoint code(header->sectionViewportPosition(kCodeColumn) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, code);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, code);
        QVERIFY(!view->isSortingEnabled());
        QCOMPARE(CellText(*rig.frame, 0, kCodeColumn), QString("A00"));
        QCOMPARE(view->Model()->index(0, kCodeColumn).data().toString(), QString("A00"));
        QCOMPARE(view->Model()->index(110, kCodeColumn).data().toString(), QString("b97"));
    }
};

static RegisterTest<GridTest> registration;

}  // namespace telvor::testing

#include "grid_test.moc"
