#include "program_icon.h"

#include <QPainter>
#include <QPolygonF>
#include <QTextStream>
#include <algorithm>

namespace {

// The drawing lives on a 256-unit square; every size is that drawing scaled.
constexpr qreal canvas = 256;
constexpr qreal outlineWidth = 7;

const QColor sheetColour(0xFFFFFF);
const QColor titleBarColour(0x00C8E8);
const QColor pointerColour(0xA0A0A0);
const QColor outlineColour(0x383838);

// The sheet leans back: its top edge is shorter and sits further in than its bottom edge.
const QPointF sheetTopLeft(56, 40);
const QPointF sheetTopRight(196, 40);
const QPointF sheetBottomRight(226, 204);
const QPointF sheetBottomLeft(14, 204);
constexpr qreal titleBarDepth = 0.2; // share of the sheet's height

QPolygonF sheet()
{
    return QPolygonF({sheetTopLeft, sheetTopRight, sheetBottomRight, sheetBottomLeft});
}

QPolygonF titleBar()
{
    const auto down = [](QPointF top, QPointF bottom) {
        return top + (bottom - top) * titleBarDepth;
    };
    return QPolygonF({sheetTopLeft, sheetTopRight, down(sheetTopRight, sheetBottomRight),
                      down(sheetTopLeft, sheetBottomLeft)});
}

// An arrow pointer, tip up and to the left, over the sheet's lower right corner.
QPolygonF pointer()
{
    const QPointF tip(168, 142);
    const qreal unit = 5.6;
    const QPolygonF shape({{0, 0}, {0, 17}, {4, 13}, {7, 19.5}, {10, 18}, {7, 12}, {12.5, 12}});
    QPolygonF placed;
    for (const QPointF& p : shape)
        placed << tip + p * unit;
    return placed;
}

void appendSvgPolygon(QTextStream& out, const QPolygonF& polygon, const QColor& fill)
{
    out << "  <polygon fill=\"" << fill.name() << "\" points=\"";
    for (qsizetype i = 0; i < polygon.size(); ++i)
        out << (i ? " " : "") << polygon[i].x() << ',' << polygon[i].y();
    out << "\"/>\n";
}

} // namespace

QImage drawProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / canvas;
    painter.scale(scale, scale);
    // Never thinner than one pixel, so the small sizes keep their outlines.
    QPen outline(outlineColour, std::max(outlineWidth, 1.0 / scale));
    outline.setJoinStyle(Qt::RoundJoin);
    painter.setPen(outline);

    painter.setBrush(sheetColour);
    painter.drawPolygon(sheet());
    painter.setBrush(titleBarColour);
    painter.drawPolygon(titleBar());
    painter.setBrush(pointerColour);
    painter.drawPolygon(pointer());
    return image;
}

QByteArray programIconSvg()
{
    QByteArray svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << canvas
        << "\" height=\"" << canvas << "\" viewBox=\"0 0 " << canvas << ' ' << canvas << "\">\n"
        << "  <title>Tallyfen</title>\n"
        << "  <g stroke=\"" << outlineColour.name() << "\" stroke-width=\"" << outlineWidth
        << "\" stroke-linejoin=\"round\">\n";
    appendSvgPolygon(out, sheet(), sheetColour);
    appendSvgPolygon(out, titleBar(), titleBarColour);
    appendSvgPolygon(out, pointer(), pointerColour);
    out << "  </g>\n</svg>\n";
    out.flush();
    return svg;
}
