// The parameter grid of a document: layout, colours, read-only rules and the
// in-place edit with its range message.

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "grid_edit.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "parameter_catalogue.h"
#include "parameter_table_model.h"
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
