#include "programicon.h"

#include <QPainter>
#include <QPolygonF>
#include <QTextStream>
#include <algorithm>
#include <iterator>

namespace {

const QColor sheetColour(0xFFFFFF);
const QColor titleBarColour(0x00C8E8);
const QColor pointerColour(0xA0A0A0);
const QColor outlineColour(0x383838);

// One version of the drawing on a square canvas of its own units.
struct IconDrawing
{
    qreal canvas;
    qreal outlineWidth;
    QPolygonF sheet; // top left, top right, bottom right, bottom left
    qreal titleBarBottom;
    QPolygonF pointer; // empty: set pixel by pixel instead
};

// An arrow pointer, tip up and to the left, placed with its tip at the given point.
QPolygonF arrowPointer(QPointF tip, qreal unit)
{
    const QPolygonF shape({{0, 0}, {0, 17}, {4, 13}, {7, 19.5}, {10, 18}, {7, 12}, {12.5, 12}});
    QPolygonF placed;
    for (const QPointF& p : shape)
        placed << tip + p * unit;
    return placed;
}

// The sheet leans back: its top edge is shorter and sits further in than its bottom edge.
// Horizontal edges lie on pixel centres at 32 pixels (8 units), so they stay sharp there.
const IconDrawing detailed{256, 8, QPolygonF({{56, 36}, {196, 36}, {226, 204}, {14, 204}}), 76,
                           arrowPointer({164, 140}, 5.6)};

// At 16 pixels the same picture on the pixel grid.
const IconDrawing small{
    16, 1, QPolygonF({{3.5, 1.5}, {12.5, 1.5}, {14.5, 12.5}, {0.5, 12.5}}), 4.5, {}};

// At 16 pixels the pointer is too small for a path; it is set pixel by pixel (o outline, g grey).
constexpr QPoint smallPointerTopLeft(9, 6);
constexpr const char* smallPointer[] = {
    "o     ", //
    "oo    ", //
    "ogo   ", //
    "oggo  ", //
    "ogggo ", //
    "oggggo", //
    "oggooo", //
    "ooogo ", //
    "o  ogo", //
    "    oo", //
};

void drawSmallPointer(QPainter& painter)
{
    for (int row = 0; row < int(std::size(smallPointer)); ++row)
        for (int column = 0; smallPointer[row][column] != '\0'; ++column) {
            const char pixel = smallPointer[row][column];
            if (pixel != ' ')
                painter.fillRect(QRect(smallPointerTopLeft + QPoint(column, row), QSize(1, 1)),
                                 pixel == 'o' ? outlineColour : pointerColour);
        }
}

QPolygonF titleBar(const IconDrawing& drawing)
{
    const QPolygonF& sheet = drawing.sheet;
    const qreal depth = (drawing.titleBarBottom - sheet[0].y()) / (sheet[3].y() - sheet[0].y());
    const auto down = [depth](QPointF top, QPointF bottom) { return top + (bottom - top) * depth; };
    return QPolygonF({sheet[0], sheet[1], down(sheet[1], sheet[2]), down(sheet[0], sheet[3])});
}

void appendSvgPolygon(QTextStream& out, const QPolygonF& polygon, const QColor& fill)
{
    out << "    <polygon fill=\"" << fill.name() << "\" points=\"";
    for (qsizetype i = 0; i < polygon.size(); ++i)
        out << (i ? " " : "") << polygon[i].x() << ',' << polygon[i].y();
    out << "\"/>\n";
}

} // namespace

QImage drawProgramIcon(int size)
{
    const IconDrawing& drawing = size <= small.canvas ? small : detailed;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / drawing.canvas;
    painter.scale(scale, scale);
    // Never thinner than one pixel, so the outlines survive at the small sizes.
    QPen outline(outlineColour, std::max(drawing.outlineWidth, 1.0 / scale));
    outline.setJoinStyle(Qt::MiterJoin);
    painter.setPen(outline);

    painter.setBrush(sheetColour);
    painter.drawPolygon(drawing.sheet);
    painter.setBrush(titleBarColour);
    painter.drawPolygon(titleBar(drawing));
    if (&drawing == &small) {
        drawSmallPointer(painter);
        return image;
    }
    outline.setJoinStyle(Qt::RoundJoin);
    painter.setPen(outline);
    painter.setBrush(pointerColour);
    painter.drawPolygon(drawing.pointer);
    return image;
}

QByteArray programIconSvg()
{
    QByteArray svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << detailed.canvas
        << "\" height=\"" << detailed.canvas << "\" viewBox=\"0 0 " << detailed.canvas << ' '
        << detailed.canvas << "\">\n"
        << "  <title>Tallyfen</title>\n"
        << "  <g stroke=\"" << outlineColour.name() << "\" stroke-width=\"" << detailed.outlineWidth
        << "\">\n";
    appendSvgPolygon(out, detailed.sheet, sheetColour);
    appendSvgPolygon(out, titleBar(detailed), titleBarColour);
    out << "  </g>\n"
        << "  <g stroke=\"" << outlineColour.name() << "\" stroke-width=\"" << detailed.outlineWidth
        << "\" stroke-linejoin=\"round\">\n";
    appendSvgPolygon(out, detailed.pointer, pointerColour);
    out << "  </g>\n</svg>\n";
    out.flush();
    return svg;
}
