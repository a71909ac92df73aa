#pragma once
// Replays the drawing operations of printed pages on any paint device: paper,
// a print preview, a PDF or an image. One logical unit is 0.01 inch and y grows
// upwards from the top of the printable area, where the painter's origin stands.

#include <QFont>
#include <QPageLayout>

#include "print_layout.h"

class QPainter;
class QPagedPaintDevice;

namespace telvor {

// The print font on Debian: Liberation Mono stands in for "Courier New" and
// Liberation Sans for "Arial" (both metric-compatible), any fixed-pitch or sans
// family when they are missing.
QFont PrintQFont(PrintFont font);

void PaintPrintPage(QPainter& painter, const PageOperations& operations);

// Every page of the layout, a new sheet between them.
void PaintPrintPages(QPainter& painter, QPagedPaintDevice& device, const PrintLayout& layout);

// The printable area of a page layout in 0.01 inch.
PageArea PrintableArea(const QPageLayout& pageLayout);
PageOrientation OrientationOf(const QPageLayout& pageLayout);

}  // namespace telvor
