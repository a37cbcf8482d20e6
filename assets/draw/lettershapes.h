#pragma once

#include <QPainterPath>
#include <QRectF>

// The squared display face of the grade pictures: straight strokes, curved outer corners.
enum class GradeLetter
{
    A,
    B,
    C,
    D
};

struct LetterWeights
{
    qreal stem;   // thickness of vertical strokes
    qreal bar;    // thickness of horizontal bars
    qreal corner; // radius of the curved outer corners
};

QPainterPath letterPath(GradeLetter letter, const QRectF& box, const LetterWeights& weights);

// The crossbar of an A in the same box, for pictures that colour it apart.
QRectF crossbarOfA(const QRectF& box, const LetterWeights& weights);
