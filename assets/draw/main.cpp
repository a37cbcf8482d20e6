// Draws the grade pictures and the program icon into the folder given as the one argument:
//   tallyfen-draw-assets assets
// or compares what it draws with the files in a folder, picture by picture:
//   tallyfen-draw-assets --compare assets
// Everything is drawn from fixed vector paths with no dates or random numbers, so a rerun
// writes the same bytes and the committed files only change when the drawing does.
#include "gradepictures.h"
#include "icofile.h"
#include "programicon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int dotsPerMeterAt72Dpi = 2835;

struct AssetFile
{
    QString path; // under the assets folder
    QByteArray bytes;
};

QByteArray jpeg(const QImage& image)
{
    QImage picture = image.convertToFormat(QImage::Format_RGB888);
    picture.setDotsPerMeterX(dotsPerMeterAt72Dpi);
    picture.setDotsPerMeterY(dotsPerMeterAt72Dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    // Huffman tables made for each picture: a smaller file of the same pixels.
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(false);
    writer.write(picture);
    return bytes;
}

QByteArray png(QImage image)
{
    image.setDotsPerMeterX(dotsPerMeterAt72Dpi);
    image.setDotsPerMeterY(dotsPerMeterAt72Dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    // Quality 0 is zlib's strongest compression: a smaller file of the same pixels.
    image.save(&buffer, "PNG", 0);
    return bytes;
}

std::vector<AssetFile> drawAssets()
{
    std::vector<AssetFile> files;
    for (const GradePicture& picture : gradePictures()) {
        files.push_back({"grades/" + picture.grade + ".jpg", jpeg(drawGradePicture(picture))});
        files.push_back(
            {"grades/" + picture.grade + "@2x.jpg", jpeg(drawGradePicture(picture, 2))});
    }
    for (int size : {16, 32, 48, 64, 128, 192, 256, 512})
        files.push_back({QString("icon/tallyfen-%1.png").arg(size), png(drawProgramIcon(size))});
    std::vector<QImage> icoImages;
    for (int size : {16, 32, 48, 256})
        icoImages.push_back(drawProgramIcon(size));
    files.push_back({"icon/tallyfen.ico", icoFile(icoImages)});
    files.push_back({"icon/tallyfen.svg", programIconSvg()});
    return files;
}

bool writeAll(const QDir& out)
{
    for (const AssetFile& asset : drawAssets()) {
        QFile file(out.filePath(asset.path));
        if (!out.mkpath(QFileInfo(asset.path).path()) || !file.open(QIODevice::WriteOnly) ||
            file.write(asset.bytes) != asset.bytes.size()) {
            std::fprintf(stderr, "tallyfen-draw-assets: cannot write %s\n",
                         qPrintable(file.fileName()));
            return false;
        }
    }
    return true;
}

std::vector<QImage> decodeAll(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    std::vector<QImage> images;
    // A PNG or JPEG holds one image, an .ico one per size.
    for (QImage image; reader.read(&image);) {
        images.push_back(image.convertToFormat(QImage::Format_ARGB32));
        if (!reader.jumpToNextImage())
            break;
    }
    return images;
}

// A newer image library may round a JPEG a level or two differently; a change to the drawing
// moves an edge or a colour by far more.
bool samePixels(const QImage& drawn, const QImage& committed)
{
    constexpr int tolerance = 8;
    if (drawn.size() != committed.size())
        return false;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y);
            const QRgb b = committed.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
                    return false;
        }
    return true;
}

bool compareAll(const QDir& committed)
{
    bool same = true;
    for (const AssetFile& asset : drawAssets()) {
        QFile file(committed.filePath(asset.path));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        bool matches = asset.path.endsWith(".svg") && bytes == asset.bytes;
        if (!asset.path.endsWith(".svg")) {
            const std::vector<QImage> drawn = decodeAll(asset.bytes);
            const std::vector<QImage> read = decodeAll(bytes);
            matches = drawn.size() == read.size() &&
                      std::equal(drawn.begin(), drawn.end(), read.begin(), samePixels);
        }
        if (!matches) {
            std::fprintf(stderr, "assets/%s is not what the tool draws: run `make assets`\n",
                         qPrintable(asset.path));
            same = false;
        }
    }
    return same;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool compare = argc == 3 && QByteArray(argv[1]) == "--compare";
    if (argc != 2 && !compare) {
        std::fprintf(stderr, "usage: tallyfen-draw-assets [--compare] ASSETS-FOLDER\n");
        return 2;
    }
    // The image plugins (JPEG) need an application object; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[argc - 1]));
    return (compare ? compareAll(folder) : writeAll(folder)) ? 0 : 1;
}
