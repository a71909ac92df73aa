#include "page_painter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <string_view>

namespace telvor {
namespace {

constexpr double kPointsPerUnit = 0.72;  // a unit is 0.01 inch, a point 1/72 inch

QColor ColourOf(const PrintColour& colour) { return QColor(colour.red, colour.green, colour.blue); }

void PaintText(QPainter& painter, const TextOperation& text, double scale) {
    painter.setFont(PrintQFont(text.font));
    painter.setPen(ColourOf(text.colour));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double height = metrics.height();
    const double top = -text.y * scale;
    int flags = Qt::AlignTop | Qt::TextSingleLine;
    QRectF box;
    if (text.width > 0) {
        // Drawn inside its field and clipped at the field's end.
        box = QRectF(text.x * scale, top, text.width * scale, height);
        flags |= text.align == TextAlign::Right ? Qt::AlignRight : Qt::AlignLeft;
    } else if (text.align == TextAlign::Right) {
        const double width = metrics.horizontalAdvance(QString::fromStdString(text.text));
        box = QRectF(text.x * scale - width, top, width, height);
        flags |= Qt::AlignRight | Qt::TextDontClip;
    } else {
        box = QRectF(text.x * scale, top, metrics.horizontalAdvance(QString::fromStdString(text.text)), height);
        flags |= Qt::AlignLeft | Qt::TextDontClip;
    }
    painter.drawText(box, flags, QString::fromStdString(text.text));
}

void PaintLine(QPainter& painter, const LineOperation& line, double scale) {
    QPen pen(Qt::black, (line.thick ? 2 : 1) * scale, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(line.x1 * scale, -line.y1 * scale), QPointF(line.x2 * scale, -line.y2 * scale));
}

}  // namespace

QFont PrintQFont(PrintFont font) {
    const PrintFontLook look = FontLookOf(font);
    const bool fixed = std::string_view(look.face) == "Courier New";
    QFont qfont;
    qfont.setFamilies(fixed ? QStringList{"Liberation Mono", "DejaVu Sans Mono"}
                            : QStringList{"Liberation Sans", "DejaVu Sans"});
    qfont.setStyleHint(fixed ? QFont::TypeWriter : QFont::SansSerif);
    qfont.setFixedPitch(fixed);
    qfont.setPointSizeF(look.height * kPointsPerUnit);
    qfont.setWeight(look.weight >= 700 ? QFont::Bold : QFont::Normal);
    return qfont;
}

void PaintPrintPage(QPainter& painter, const PageOperations& operations) {
    const double scale = painter.device()->logicalDpiX() / 100.0;
    painter.save();
    for (const PrintOperation& operation : operations) {
        if (const auto* text = std::get_if<TextOperation>(&operation)) PaintText(painter, *text, scale);
        else PaintLine(painter, std::get<LineOperation>(operation), scale);
    }
    painter.restore();
}

void PaintPrintPages(QPainter& painter, QPagedPaintDevice& device, const PrintLayout& layout) {
    for (int page = 1; page <= layout.pageCount; ++page) {
        if (page > 1) device.newPage();
        PaintPrintPage(painter, DrawPrintPage(layout, page));
    }
}

PageArea PrintableArea(const QPageLayout& pageLayout) {
    const QRectF inches = pageLayout.paintRect(QPageLayout::Inch);
    return {static_cast<int>(inches.width() * 100), static_cast<int>(inches.height() * 100)};
}

PageOrientation OrientationOf(const QPageLayout& pageLayout) {
    return pageLayout.orientation() == QPageLayout::Landscape ? PageOrientation::Landscape : PageOrientation::Portrait;
}

}  // namespace telvor
