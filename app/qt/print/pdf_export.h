#pragma once
// The printed pages as a PDF file: A4 or Letter, portrait or landscape.

#include <QPageLayout>
#include <QPageSize>
#include <string>

#include "atomic_file.h"
#include "print_layout.h"

namespace telvor {

// Letter where the system's locale measures in US units, A4 everywhere else.
QPageSize::PageSizeId PaperOfLocale();

// A PDF page has no unprintable edge: the printable area is laid so that the
// table stands in the middle of the sheet, close to its top, and ends with the table.
QPageLayout PdfPageLayout(QPageSize::PageSizeId paper, PageOrientation orientation);

struct PdfRequest {
    PrintChoice choice;
    PageOrientation orientation = PageOrientation::Portrait;
    QPageSize::PageSizeId paper = QPageSize::A4;
    WriteMode mode = WriteMode::Replace;
};

struct PdfExportResult {
    bool ok = false;
    bool fileExists = false;  // CreateOnly and the file is there: nothing written
    int pageCount = 0;
    std::string message;      // when not ok: names the file and the reason
};

// Writes the whole file or nothing: an existing file keeps its contents on failure.
PdfExportResult ExportPrintPdf(const CSolvaneDoc& doc, const PdfRequest& request, const std::string& path);

}  // namespace telvor
