#include "gradepictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr QSize singleLetterSize{52, 53};
constexpr LetterWeights singleLetter{7, 11, 9};

// One pass of a box average along rows (step 1) or columns (step = width).
void boxBlur(std::vector<float>& values, int lineCount, int lineLength, int lineStride, int step,
             int radius)
{
    std::vector<float> line(static_cast<size_t>(lineLength));
    for (int l = 0; l < lineCount; ++l) {
        const auto at = [&](int i) -> float& {
            return values[static_cast<size_t>(l * lineStride + i * step)];
        };
        for (int i = 0; i < lineLength; ++i) {
            float sum = 0;
            for (int k = i - radius; k <= i + radius; ++k)
                sum += (k >= 0 && k < lineLength) ? at(k) : 0.0f;
            line[static_cast<size_t>(i)] = sum / static_cast<float>(2 * radius + 1);
        }
        for (int i = 0; i < lineLength; ++i)
            at(i) = line[static_cast<size_t>(i)];
    }
}

// A soft halo: the letters' coverage, blurred by three box passes (close to a Gaussian), in a
// picture drawn at the given scale.
QImage glowLayer(const QPainterPath& letters, QColor colour, qreal radius, int scale)
{
    const QSize size = gradePictureSize * scale;
    const int width = size.width();
    const int height = size.height();
    radius *= scale;
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.fillPath(letters, Qt::white);
    }
    std::vector<float> coverage(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            coverage[static_cast<size_t>(y * width + x)] =
                static_cast<float>(mask.constScanLine(y)[x]) / 255.0f;

    // Three passes of a third of the radius each spread the halo about radius pixels out.
    const int passRadius = std::max(1, static_cast<int>(std::lround(radius / 1.5)));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(coverage, height, width, width, 1, passRadius);
        boxBlur(coverage, width, height, 1, width, passRadius);
    }

    QImage layer(size, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < width; ++x) {
            // Faded out towards the border, so the picture's edges stay white.
            const int border = std::min({x, y, width - 1 - x, height - 1 - y});
            const float fade =
                std::clamp(static_cast<float>(border - scale) / (3.0f * static_cast<float>(scale)),
                           0.0f, 1.0f);
            // Doubled so the halo stays visible a few pixels out, then capped.
            const float strength =
                fade * std::min(1.0f, 2.0f * coverage[static_cast<size_t>(y * width + x)]);
            row[x] = qRgba(colour.red(), colour.green(), colour.blue(),
                           static_cast<int>(std::lround(strength * 255.0f)));
        }
    }
    return layer;
}

} // namespace

const std::vector<GradePicture>& gradePictures()
{
    static const std::vector<GradePicture> pictures{
        {.grade = "AAAA",
         .letter = GradeLetter::A,
         .letterCount = 4,
         .letterSize = {31, 60},
         .weights = {6.5, 12, 7},
         .fill = QColor(0xF4A4A2),
         .rim = QColor(0xC8453F),
         .crossbar = QColor(0xD0524C)},
        {.grade = "AAA",
         .letter = GradeLetter::A,
         .letterCount = 3,
         .letterSize = {33, 56},
         .weights = {6.5, 11.5, 7},
         .fill = QColor(0x99FFFF),
         .glow = QColor(0x00D8F0),
         .glowRadius = 3},
        {.grade = "AA",
         .letter = GradeLetter::A,
         .letterCount = 2,
         .letterSize = {47, 50},
         .weights = {7, 10.5, 8},
         .fill = QColor(0xCCFF66),
         .crossbar = QColor(0x66CC00),
         .glow = QColor(0x44DD22),
         .glowRadius = 3},
        {.grade = "A",
         .letter = GradeLetter::A,
         .letterCount = 1,
         .letterSize = singleLetterSize,
         .weights = singleLetter,
         .fill = QColor(0x99FF99)},
        {.grade = "B",
         .letter = GradeLetter::B,
         .letterCount = 1,
         .letterSize = singleLetterSize,
         .weights = singleLetter,
         .fill = QColor(0x99CCFF)},
        {.grade = "C",
         .letter = GradeLetter::C,
         .letterCount = 1,
         .letterSize = singleLetterSize,
         .weights = singleLetter,
         .fill = QColor(0xCC00CC)},
        {.grade = "D",
         .letter = GradeLetter::D,
         .letterCount = 1,
         .letterSize = singleLetterSize,
         .weights = singleLetter,
         .fill = QColor(0xCC0066)},
    };
    return pictures;
}

QImage drawGradePicture(const GradePicture& picture, int scale)
{
    // Whole-pixel offsets keep the straight edges crisp.
    const int rowWidth = picture.letterCount * picture.letterSize.width();
    const int left = (gradePictureSize.width() - rowWidth) / 2;
    const int top = (gradePictureSize.height() - picture.letterSize.height()) / 2;

    std::vector<QPainterPath> letters;
    QPainterPath allLetters;
    QPainterPath crossbars;
    for (int i = 0; i < picture.letterCount; ++i) {
        const QRectF box(left + i * picture.letterSize.width(), top, picture.letterSize.width(),
                         picture.letterSize.height());
        letters.push_back(letterPath(picture.letter, box, picture.weights));
        allLetters.addPath(letters.back());
        if (picture.letter == GradeLetter::A)
            crossbars.addRect(crossbarOfA(box, picture.weights));
    }

    QImage image(gradePictureSize * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (picture.glow.isValid())
        painter.drawImage(0, 0, glowLayer(allLetters, picture.glow, picture.glowRadius, scale));
    painter.scale(scale, scale);
    painter.fillPath(allLetters, picture.fill);
    if (picture.crossbar.isValid())
        painter.fillPath(crossbars, picture.crossbar);
    if (picture.rim.isValid())
        for (const QPainterPath& letter : letters) {
            // Clipped to the letter, so the rim stays inside it and the edges stay white.
            painter.setClipPath(letter);
            painter.strokePath(letter, QPen(picture.rim, 2.4));
        }
    return image;
}
