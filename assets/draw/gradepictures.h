#pragma once

#include "lettershapes.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

// How one grade's picture looks: its letters, their size and colours.
struct GradePicture
{
    QString grade; // also the file name, without ".jpg"
    GradeLetter letter;
    int letterCount;
    QSize letterSize; // of one letter, in pixels; the row of letters is centred
    LetterWeights weights;
    QColor fill;
    QColor rim{};      // invalid: no rim
    QColor crossbar{}; // invalid: crossbars in the fill colour
    QColor glow{};     // invalid: no glow
    qreal glowRadius = 0;
};

inline constexpr QSize gradePictureSize{127, 62};

const std::vector<GradePicture>& gradePictures();

// At scale 2 the same picture has twice the pixels each way, for screens above 1x.
QImage drawGradePicture(const GradePicture& picture, int scale = 1);
