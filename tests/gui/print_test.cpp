// The print commands and dialogs on real widgets: Print Title & Set, Print Set,
// Print Preview with and without a printer, Print to a file and Export PDF.

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "command_table.h"
#include "page_painter.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "print_commands.h"
#include "solvane_view.h"

namespace telvor::testing {
namespace {

int PdfPages(const std::string& path) {
    int pages = -1;
    if (FILE* pipe = popen(("pdfinfo '" + path + "' | sed -n 's/^Pages: *//p'").c_str(), "r")) {
        if (std::fscanf(pipe, "%d", &pages) != 1) pages = -1;
        pclose(pipe);
    }
    return pages;
}

QLineEdit* Edit(QDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(name); }
QCheckBox* Box(QDialog& dialog, const char* name) { return dialog.findChild<QCheckBox*>(name); }

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void printTitleDialogEditsTheBlockAndTheSettings() {
        GuiRig rig;
        rig.NewDocument(8, false);
        rig.shown.clear();
        rig.app.Settings().printAxx = false;
        rig.app.Settings().printBxx = false;
        rig.app.Document()->titleBlock[TitleFieldTitle] = "Pump 3";
        QStringList seen;
        rig.answers.push_back([&](QDialog& dialog) {
            seen << Edit(dialog, "title")->text();
            const QList<int> limits{Edit(dialog, "title")->maxLength(), Edit(dialog, "company")->maxLength(),
                                    Edit(dialog, "programer")->maxLength(), Edit(dialog, "version")->maxLength(),
                                    Edit(dialog, "date")->maxLength(), Edit(dialog, "remark1")->maxLength(),
                                    Edit(dialog, "remark2")->maxLength(), Edit(dialog, "remark3")->maxLength()};
            QCOMPARE(limits, (QList<int>{50, 50, 50, 10, 10, 80, 80, 80}));
            Press("&Clear Print Title")(dialog);
            seen << Edit(dialog, "title")->text();
            Press("OK")(dialog);  // neither group: the message, and the dialog stays
            QVERIFY(dialog.isVisible());
            Box(dialog, "basic")->click();
            Box(dialog, "basic")->click();  // turning basic off turns advanced on
            QVERIFY(Box(dialog, "advanced")->isChecked());
            Box(dialog, "printTitle")->setChecked(false);
            Edit(dialog, "remark2")->setText("Checked on site");
            Press("OK")(dialog);
        });
        rig.answers.push_back(PressStandard(QMessageBox::Ok));
        rig.frame->Action(ID_PRINT_TITLE_SET)->trigger();
        QCOMPARE(seen, (QStringList{"Pump 3", ""}));
        QCOMPARE(rig.shown, (QStringList{"Print Title & Set", "No select parameter|No select to print parameters. (Axx or bxx)"}));
        const CSolvaneDoc& doc = *rig.app.Document();
        QCOMPARE(doc.titleBlock[TitleFieldTitle], std::string());
        QCOMPARE(doc.titleBlock[TitleFieldRemark2], std::string("Checked on site"));
        QVERIFY(doc.modified);
        const ProgramSettings& settings = rig.app.Settings();
        QVERIFY(!settings.printTitle && !settings.printAxx && settings.printBxx);
        QVERIFY(!rig.app.Link().modalBusy);
        // Closing the window keeps the print settings in the settings file.
        rig.answers.push_back(PressStandard(QMessageBox::No));
        rig.frame->close();
        QFile file(QString::fromStdString(rig.Folder() + "/vx3inf.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Print Title=0\r\nPrint AxxFlag=0\r\nPrint bxxFlag=1\r\n"));
    }

    void printTitleWithoutAChangedTextLeavesTheDocumentUnmodified() {
        GuiRig rig;
        rig.NewDocument(0, true);
        rig.answers.push_back([](QDialog& dialog) {
            Box(dialog, "printTitle")->setChecked(false);
            Press("OK")(dialog);
        });
        rig.frame->Action(ID_PRINT_TITLE_SET)->trigger();
        QVERIFY(!rig.app.Document()->modified);
        QVERIFY(!rig.app.Settings().printTitle);
        rig.answers.push_back([](QDialog& dialog) {
            Edit(dialog, "date")->setText("2026-12-09");
            Press("Cancel")(dialog);
        });
        rig.frame->Action(ID_PRINT_TITLE_SET)->trigger();
        QVERIFY(!rig.app.Document()->modified);
        QCOMPARE(rig.unexpected, 0);
    }

    void previewWithoutAPrinterSaysPrinterError() {
        GuiRig rig;
        rig.NewDocument(0, true);
        rig.shown.clear();
        rig.frame->Print()->SetDefaultPrinterCheck([] { return false; });
        rig.answers.push_back(PressStandard(QMessageBox::Ok));
        rig.frame->Action(ID_FILE_PRINT_PREVIEW)->trigger();
        rig.answers.push_back(Press("Pre&view"));
        rig.answers.push_back(PressStandard(QMessageBox::Ok));
        rig.frame->Action(ID_FILE_PRINT)->trigger();
        QCOMPARE(rig.shown, (QStringList{"Print Preview|Printer Error!", "Print Set", "Print Preview|Printer Error!"}));
        QCOMPARE(rig.unexpected, 0);
    }

    void previewShowsThePagesAndSetsTheViewsFlag() {
        GuiRig rig;
        rig.NewDocument(8, false);
        rig.frame->Print()->SetDefaultPrinterCheck([] { return true; });
        int pages = 0;
        bool flagWhileOpen = false;
        rig.answers.push_back([&](QDialog& dialog) {
            flagWhileOpen = rig.ui.ViewInPrintPreview();
            auto* preview = dialog.findChild<QPrintPreviewWidget*>();
            QVERIFY(preview);
            preview->updatePreview();
            pages = preview->pageCount();
            dialog.reject();
        });
        rig.frame->Action(ID_FILE_PRINT_PREVIEW)->trigger();
        QVERIFY(flagWhileOpen);
        QVERIFY(!rig.ui.ViewInPrintPreview());
        QCOMPARE(pages, 3);  // 111 rows under the title block, 44 to an A4 portrait page
        QCOMPARE(rig.unexpected, 0);
    }

    void printToAFileAndExportPdf() {
        GuiRig rig;
        rig.NewDocument(8, false);
        rig.shown.clear();
        const std::string printed = rig.Folder() + "/printed.pdf";
        const std::string exported = rig.Folder() + "/exported.pdf";
        rig.answers.push_back([](QDialog& dialog) {
            Box(dialog, "basic")->setChecked(false);
            Box(dialog, "printTitle")->setChecked(false);
            Press("OK")(dialog);
        });
        rig.answers.push_back([&](QDialog& dialog) {
            QPrinter* printer = static_cast<QPrintDialog&>(dialog).printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(QString::fromStdString(printed));
            printer->setPageSize(QPageSize(QPageSize::A4));
            dialog.done(QDialog::Accepted);  // accept() would take the dialog's own printer choice
        });
        rig.frame->Action(ID_FILE_PRINT)->trigger();
        QCOMPARE(PdfPages(printed), 2);  // 98 advanced rows, 50 to a page
        QVERIFY(!rig.app.Settings().printAxx);

        rig.answers.push_back([&](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(exported));
            dialog.accept();
        });
        rig.frame->Action(ID_FILE_EXPORT_PDF)->trigger();
        QCOMPARE(PdfPages(exported), 2);
        QCOMPARE(rig.shown, (QStringList{"Print Set", "Print", "Save As"}));
        QCOMPARE(rig.unexpected, 0);
    }
};

// Dark pixels in a box of a page painted at 100 dots per inch, one dot per unit.
int InkIn(const QImage& page, int left, int right, int top, int bottom) {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) ink += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    return ink;
}

class PagePainterTest : public QObject {
    Q_OBJECT
private slots:
    void titleBlockTextsAreCutAtTheirFields() {
        CSolvaneDoc doc = NewDocument(0, true, false);
        doc.titleBlock = {"", "", "", "", "", std::string(80, 'M'), "", ""};
        const PrintLayout layout = MakePrintLayout(doc, {true, {}}, PageOrientation::Portrait, {800, 1100});
        QImage page(850, 1100, QImage::Format_RGB32);
        page.setDotsPerMeterX(3937);
        page.setDotsPerMeterY(3937);
        page.fill(Qt::white);
        QPainter painter(&page);
        PaintPrintPage(painter, DrawPrintPage(layout, 1));
        painter.end();
        // The first remark line stands between the rules at 122 and 142.
        QVERIFY(InkIn(page, 110, 760, 125, 140) > 0);
        QCOMPARE(InkIn(page, 773, 850, 123, 141), 0);
        // The rule at 770 itself is there.
        QVERIFY(InkIn(page, 768, 772, 125, 140) > 0);
    }
};

RegisterTest<PrintTest> registered;
RegisterTest<PagePainterTest> registeredPainter;

}  // namespace
}  // namespace telvor::testing

#include "print_test.moc"
