// Draws the grade pictures and the program icon into the folder given as the one argument:
//   tallyfen-draw-assets assets
// Everything is drawn from fixed vector paths with no dates or random numbers, so a rerun
// writes the same bytes and the committed files only change when the drawing does.
#include "grade_pictures.h"
#include "ico_file.h"
#include "program_icon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

namespace {

constexpr int dotsPerMeterAt72Dpi = 2835;

bool saveJpeg(const QImage& image, const QString& path)
{
    QImage picture = image.convertToFormat(QImage::Format_RGB888);
    picture.setDotsPerMeterX(dotsPerMeterAt72Dpi);
    picture.setDotsPerMeterY(dotsPerMeterAt72Dpi);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(95);
    writer.setOptimizedWrite(false);
    writer.setProgressiveScanWrite(false);
    return writer.write(picture);
}

bool savePng(QImage image, const QString& path)
{
    image.setDotsPerMeterX(dotsPerMeterAt72Dpi);
    image.setDotsPerMeterY(dotsPerMeterAt72Dpi);
    return image.save(path, "PNG");
}

bool saveBytes(const QByteArray& bytes, const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool fail(const QString& what)
{
    std::fprintf(stderr, "tallyfen-draw-assets: cannot write %s\n", qPrintable(what));
    return false;
}

bool drawAll(const QDir& out)
{
    if (!out.mkpath("grades") || !out.mkpath("icon"))
        return fail(out.path());
    for (const GradePicture& picture : gradePictures()) {
        const QString path = out.filePath("grades/" + picture.grade + ".jpg");
        if (!saveJpeg(drawGradePicture(picture), path))
            return fail(path);
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = out.filePath(QString("icon/tallyfen-%1.png").arg(size));
        if (!savePng(drawProgramIcon(size), path))
            return fail(path);
    }
    std::vector<QImage> icoImages;
    for (int size : {16, 32, 48, 256})
        icoImages.push_back(drawProgramIcon(size));
    if (!saveBytes(icoFile(icoImages), out.filePath("icon/tallyfen.ico")))
        return fail(out.filePath("icon/tallyfen.ico"));
    if (!saveBytes(programIconSvg(), out.filePath("icon/tallyfen.svg")))
        return fail(out.filePath("icon/tallyfen.svg"));
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallyfen-draw-assets OUTPUT-FOLDER\n");
        return 2;
    }
    // The image plugins (JPEG) need an application object; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return drawAll(QDir(QString::fromLocal8Bit(argv[1]))) ? 0 : 1;
}
