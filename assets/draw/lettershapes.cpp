#include "lettershapes.h"

namespace {

// A rectangle whose four corners each get their own radius (0 leaves a corner square).
QPainterPath roundedBox(const QRectF& r, qreal topLeft, qreal topRight, qreal bottomRight,
                        qreal bottomLeft)
{
    QPainterPath path;
    path.moveTo(r.left() + topLeft, r.top());
    path.lineTo(r.right() - topRight, r.top());
    path.quadTo(r.right(), r.top(), r.right(), r.top() + topRight);
    path.lineTo(r.right(), r.bottom() - bottomRight);
    path.quadTo(r.right(), r.bottom(), r.right() - bottomRight, r.bottom());
    path.lineTo(r.left() + bottomLeft, r.bottom());
    path.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - bottomLeft);
    path.lineTo(r.left(), r.top() + topLeft);
    path.quadTo(r.left(), r.top(), r.left() + topLeft, r.top());
    path.closeSubpath();
    return path;
}

QPainterPath plainBox(const QRectF& r)
{
    QPainterPath path;
    path.addRect(r);
    return path;
}

// Three bars of equal thickness with two equal counters between them, as B needs.
qreal middleBarTop(const QRectF& box, qreal bar)
{
    return box.top() + (box.height() - bar) / 2;
}

QPainterPath letterA(const QRectF& box, const LetterWeights& w)
{
    const qreal counterWidth = box.width() - 2 * w.stem;
    const QRectF crossbar = crossbarOfA(box, w);
    QPainterPath glyph = roundedBox(box, w.corner, w.corner, 0, 0);
    glyph = glyph.subtracted(plainBox(QRectF(box.left() + w.stem, box.top() + w.bar, counterWidth,
                                             crossbar.top() - box.top() - w.bar)));
    // The open bottom runs a little past the box so no sliver of edge survives.
    return glyph.subtracted(plainBox(QRectF(box.left() + w.stem, crossbar.bottom(), counterWidth,
                                            box.bottom() - crossbar.bottom() + 1)));
}

QPainterPath letterB(const QRectF& box, const LetterWeights& w)
{
    const qreal middle = middleBarTop(box, w.bar);
    const qreal counterWidth = box.width() - 2 * w.stem;
    QPainterPath glyph = roundedBox(box, w.corner / 4, w.corner, w.corner, w.corner / 4);
    glyph = glyph.subtracted(plainBox(
        QRectF(box.left() + w.stem, box.top() + w.bar, counterWidth, middle - box.top() - w.bar)));
    glyph = glyph.subtracted(plainBox(QRectF(box.left() + w.stem, middle + w.bar, counterWidth,
                                             box.bottom() - w.bar - middle - w.bar)));
    // A small notch at the waist tells the B from a squared 8 or O.
    const qreal notch = w.stem * 0.45;
    QPainterPath waist;
    waist.moveTo(box.right() + 1, middle + w.bar * 0.2);
    waist.lineTo(box.right() - notch, middle + w.bar / 2);
    waist.lineTo(box.right() + 1, middle + w.bar * 0.8);
    waist.closeSubpath();
    return glyph.subtracted(waist);
}

QPainterPath letterC(const QRectF& box, const LetterWeights& w)
{
    const QPainterPath glyph = roundedBox(box, w.corner, w.corner, w.corner, w.corner);
    return glyph.subtracted(plainBox(
        QRectF(box.left() + w.stem, box.top() + w.bar, box.width(), box.height() - 2 * w.bar)));
}

QPainterPath letterD(const QRectF& box, const LetterWeights& w)
{
    const QPainterPath glyph =
        roundedBox(box, w.corner / 4, w.corner * 1.4, w.corner * 1.4, w.corner / 4);
    const QRectF counter(box.left() + w.stem, box.top() + w.bar, box.width() - 2 * w.stem,
                         box.height() - 2 * w.bar);
    return glyph.subtracted(roundedBox(counter, 0, w.corner / 3, w.corner / 3, 0));
}

} // namespace

QRectF crossbarOfA(const QRectF& box, const LetterWeights& w)
{
    // Below the top bar by a counter as tall as the bar, leaving the lower part open.
    const qreal top = box.top() + 2 * w.bar;
    return QRectF(box.left() + w.stem, top, box.width() - 2 * w.stem, w.bar);
}

QPainterPath letterPath(GradeLetter letter, const QRectF& box, const LetterWeights& weights)
{
    switch (letter) {
    case GradeLetter::A:
        return letterA(box, weights);
    case GradeLetter::B:
        return letterB(box, weights);
    case GradeLetter::C:
        return letterC(box, weights);
    case GradeLetter::D:
        return letterD(box, weights);
    }
    return {};
}
