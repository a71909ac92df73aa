// The compare commands from the menu: their dialogs, the compare document in the
// grid and saving it as a compare file.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "command_table.h"
#include "compare_file_rows.h"
#include "document_file.h"
#include "file_with_def_dialog.h"
#include "file_with_file_dialog.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "parameter_table_model.h"
#include "solvane_view.h"

namespace telvor::testing {
namespace {

QStringList Headers(ParameterTableModel& model) {
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c) headers << model.headerData(c, Qt::Horizontal).toString();
    return headers;
}

QStringList Column(ParameterTableModel& model, int column) {
    QStringList cells;
    for (int r = 0; r < model.rowCount(); ++r) cells << model.index(r, column).data().toString();
    return cells;
}

std::string WriteParameterFile(const std::string& path, std::initializer_list<std::pair<int, int>> changes) {
    CSolvaneDoc doc = NewDocument(8, true, false);
    for (auto [slot, value] : changes) doc.sets[0][slot] = value;
    WriteDocumentFile(doc, path);
    return path;
}

void PressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

}  // namespace

class CompareTest : public QObject {
    Q_OBJECT
private slots:
    void fileWithFileListsTheDifferingRowsAndSavesACompareFile() {
        GuiRig rig;
        const std::string one = WriteParameterFile(rig.Folder() + "/one.vx3", {});
        const std::string two = WriteParameterFile(rig.Folder() + "/two.vx3", {{4, 55}, {kBasicCount + 10, 3}});
        bool busyInDialog = false, stayedWithOneFile = false;
        rig.answers.push_back([&](QDialog& dialog) {
            auto& compare = static_cast<CFileWithFileDialog&>(dialog);
            busyInDialog = rig.app.Link().modalBusy;
            compare.Files()->Load(0, one);
            PressOk(dialog);
            stayedWithOneFile = dialog.isVisible();
            compare.Files()->Load(1, two);
            PressOk(dialog);
        });
        rig.frame->Action(ID_COMPARE_FILE_FILE)->trigger();
        QVERIFY(busyInDialog);
        QVERIFY(stayedWithOneFile);
        QVERIFY(!rig.app.Link().modalBusy);
        ParameterTableModel& model = *rig.frame->View()->Model();
        QCOMPARE(Headers(model), (QStringList{"Description", "Code", "one.vx3", "two.vx3"}));
        QCOMPARE(Column(model, kCodeColumn), (QStringList{"A04", "b10"}));
        QCOMPARE(Column(model, 3), (QStringList{"5.5", "0.3"}));

        const QString saved = QString::fromStdString(rig.Folder() + "/cmp.mvx");
        rig.answers.push_back([saved](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(saved);
            dialog.accept();
        });
        QVERIFY(rig.frame->OnFileSaveAs());

        // Export CSV writes what the grid shows; a folder that is not there is reported.
        for (const std::string& csv : {rig.Folder() + "/cmp.csv", rig.Folder() + "/none/cmp.csv"}) {
            rig.answers.push_back([csv](QDialog& dialog) {
                QCOMPARE(static_cast<QFileDialog&>(dialog).selectedFiles().value(0).section('/', -1), QString("cmp.csv"));
                static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(csv));
                dialog.accept();
            });
            if (csv.find("/none/") != std::string::npos) rig.answers.push_back(Accept());
            rig.frame->Action(ID_FILE_EXPORT_CSV)->trigger();
        }
        std::ifstream in(rig.Folder() + "/cmp.csv", std::ios::binary);
        QCOMPARE(QString::fromStdString(std::string(std::istreambuf_iterator<char>(in), {})),
                 QString("Code,Description,one.vx3,two.vx3\r\nA04,Acceleration time 1 (s),5.0,5.5\r\n"
                         "b10,%1,%2,0.3\r\n").arg(Column(model, 0).at(1), Column(model, 2).at(1)));
        QVERIFY(rig.shown.last().startsWith("Save\n|Error: Save file failure!"));
        rig.frame->Action(ID_FILE_CLOSE)->trigger();
        QVERIFY(rig.frame->OpenDocumentFile(saved));
        QCOMPARE(rig.app.Document()->kind, std::string("Compare"));
        QCOMPARE(Column(*rig.frame->View()->Model(), kCodeColumn), (QStringList{"A04", "b10"}));
        QCOMPARE(rig.unexpected, 0);
    }

    void filesWithDefaultShowsAbsentSetsEmptyAndNothingDifferingAsHeaderOnly() {
        GuiRig rig;
        const std::string two = WriteParameterFile(rig.Folder() + "/two.vx3", {{4, 55}});
        for (const bool differing : {true, false}) {
            rig.answers.push_back([&](QDialog& dialog) {
                auto& compare = static_cast<CFileWithDefDialog&>(dialog);
                compare.ModelList()->setCurrentIndex(8);
                if (differing) compare.Files()->Load(1, two);
                else compare.Files()->Load(1, WriteParameterFile(rig.Folder() + "/same.vx3", {}));
                PressOk(dialog);
            });
            // The save question of the comparison already open.
            if (!differing) rig.answers.push_back(PressStandard(QMessageBox::No));
            rig.frame->Action(ID_COMPARE_FILES_DEFAULT)->trigger();
            ParameterTableModel& model = *rig.frame->View()->Model();
            QCOMPARE(Headers(model).mid(2), (QStringList{"Default", "------", differing ? "two.vx3" : "same.vx3",
                                                          "------"}));
            QCOMPARE(model.rowCount(), differing ? 1 : 0);
            if (!differing) continue;
            QCOMPARE(Column(model, kCodeColumn), QStringList{"A04"});
            QCOMPARE(model.index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
            QCOMPARE(Column(model, 3), QStringList{""});
            QCOMPARE(Column(model, 4), QStringList{"5.5"});
            QCOMPARE(Column(model, 5), QStringList{""});
            QVERIFY(!(model.flags(model.index(0, 4)) & Qt::ItemIsEditable));
        }
        QCOMPARE(rig.shown.count("VarnoxLink|Do you want to save file?\n"), 1);
    }
};

static RegisterTest<CompareTest> registerCompareTest;

}  // namespace telvor::testing

#include "compare_test.moc"
