#include "pdf_export.h"

#include <QBuffer>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cerrno>

#include "page_painter.h"

namespace telvor {
namespace {

constexpr double kTableWidth = 7.4;       // inches: the table spans 0.3 to 7.7 of the printable area
constexpr double kTableIndent = 0.3;
constexpr double kPdfTopMargin = 0.05;    // inches
constexpr int kPdfResolution = 600;

}  // namespace

QPageSize::PageSizeId PaperOfLocale() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

QPageLayout PdfPageLayout(QPageSize::PageSizeId paper, PageOrientation orientation) {
    const QPageLayout::Orientation qtOrientation =
        orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    const QPageSize size(paper);
    QSizeF inches = size.size(QPageSize::Inch);
    if (orientation == PageOrientation::Landscape) inches.transpose();
    // The printable area ends where the table does, so the heading's rule and the page number end with it.
    const double side = std::max(kTableIndent, (inches.width() - kTableWidth) / 2);
    return QPageLayout(size, qtOrientation, QMarginsF(side - kTableIndent, kPdfTopMargin, side, kPdfTopMargin),
                       QPageLayout::Inch);
}

PdfExportResult ExportPrintPdf(const CSolvaneDoc& doc, const PdfRequest& request, const std::string& path) {
    PdfExportResult result;
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
        writer.setResolution(kPdfResolution);
        writer.setCreator("Telvor");
        writer.setTitle(QString::fromStdString(doc.title));
        const QPageLayout pageLayout = PdfPageLayout(request.paper, request.orientation);
        writer.setPageLayout(pageLayout);
        const PrintLayout layout =
            MakePrintLayout(doc, request.choice, request.orientation, PrintableArea(pageLayout));
        QPainter painter;
        if (!painter.begin(&writer)) {
            result.message = "Error: The PDF could not be made.\n";
            return result;
        }
        PaintPrintPages(painter, writer, layout);
        painter.end();
        result.pageCount = layout.pageCount;
    }
    const QByteArray& data = bytes.data();
    const AtomicWriteResult written =
        WriteFileAtomically(path, std::string_view(data.constData(), static_cast<std::size_t>(data.size())), request.mode);
    if (!written.ok) {
        result.fileExists = written.error == EEXIST;
        result.message = SaveFailureMessage(path, written.reason);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace telvor
