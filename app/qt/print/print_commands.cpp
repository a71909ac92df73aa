#include "print_commands.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "page_painter.h"
#include "pdf_export.h"
#include "print_choice_boxes.h"
#include "print_set_dialog.h"
#include "print_title_dialog.h"
#include "qt_user_interface.h"
#include "solvane_app.h"

namespace telvor {
namespace {

constexpr const char* kCommandFailedMessage = "Command failed.";
constexpr const char* kPdfFilter = "PDF Files (*.pdf)|*.pdf||";

std::string PdfNameOf(const CSolvaneDoc& doc) {
    return QFileInfo(QString::fromStdString(doc.title)).completeBaseName().toStdString() + ".pdf";
}

}  // namespace

PrintCommands::PrintCommands(CSolvaneApp& app, QtUserInterface& ui, QWidget& window,
                             std::function<void()> afterCommand)
    : QObject(&window), app_(app), ui_(ui), window_(window), afterCommand_(std::move(afterCommand)),
      hasDefaultPrinter_([] { return !QPrinterInfo::defaultPrinter().isNull(); }) {}

void PrintCommands::Busy(const std::function<void()>& command) {
    if (!app_.Document()) return;
    app_.Link().modalBusy = true;
    command();
    app_.Link().modalBusy = false;
    afterCommand_();
}

PrintChoice PrintCommands::Choice() const { return PrintChoiceOf(app_.Settings(), changedOnly_); }

bool PrintCommands::OffersChangedOnly() const { return app_.Document() && !IsComparison(*app_.Document()); }

void PrintCommands::OnPrintTitle() {
    Busy([this] {
        CSolvaneDoc& doc = *app_.Document();
        PrintTitleData start = PrintTitleDataOf(doc, app_.Settings());
        start.choice = Choice();
        CPrintTitleDialog dialog(start, OffersChangedOnly(), ui_, &window_);
        if (ui_.RunModal(dialog) != QDialog::Accepted) return;
        ApplyPrintTitle(dialog.Data(), doc, app_.Settings());
        if (OffersChangedOnly()) changedOnly_ = dialog.Data().choice.changedOnly;
    });
}

void PrintCommands::OnPrint() {
    Busy([this] {
        CPrintSetDialog dialog(Choice(), OffersChangedOnly(), ui_, &window_);
        if (ui_.RunModal(dialog) != QDialog::Accepted) return;
        StorePrintChoice(dialog.Choice(), app_.Settings());
        if (OffersChangedOnly()) changedOnly_ = dialog.Choice().changedOnly;
        if (dialog.PreviewChosen()) ShowPreview();
        else PrintOnPrinter();
    });
}

void PrintCommands::OnPrintPreview() {
    Busy([this] { ShowPreview(); });
}

void PrintCommands::OnExportPdf() {
    Busy([this] {
        const CSolvaneDoc& doc = *app_.Document();
        PdfRequest request;
        request.choice = Choice();
        request.paper = PaperOfLocale();
        if (!ConfirmPrintChoice(request.choice, ui_)) return;
        const std::optional<std::string> path = ui_.AskSavePath({PdfNameOf(doc), kPdfFilter, "pdf", ""});
        if (!path) return;
        const PdfExportResult written = ExportPrintPdf(doc, request, *path);
        if (!written.ok) ui_.ShowMessage(kApplicationTitle, written.message, MessageIcon::Stop);
    });
}

bool PrintCommands::PaintPages(QPrinter& printer) {
    const QPageLayout page = printer.pageLayout();
    const PrintLayout layout =
        MakePrintLayout(*app_.Document(), Choice(), OrientationOf(page), PrintableArea(page));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    PaintPrintPages(painter, printer, layout);
    return painter.end();
}

void PrintCommands::PrintOnPrinter() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &window_);
    dialog.setObjectName("Print");
    if (ui_.RunModal(dialog) != QDialog::Accepted) return;
    if (!PaintPages(printer)) ui_.ShowMessage(kApplicationTitle, kCommandFailedMessage, MessageIcon::Warning);
}

void PrintCommands::ShowPreview() {
    if (!hasDefaultPrinter_()) {
        ui_.ShowMessage(kPrintPreviewCaption, kPrinterErrorMessage, MessageIcon::Warning);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, &window_);
    dialog.setObjectName("PrintPreview");
    bool painted = true;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this, &painted](QPrinter* target) { painted = PaintPages(*target) && painted; });
    ui_.SetViewInPrintPreview(true);
    ui_.RunModal(dialog);
    ui_.SetViewInPrintPreview(false);
    if (!painted) ui_.ShowMessage(kApplicationTitle, kCommandFailedMessage, MessageIcon::Warning);
}

}  // namespace telvor
