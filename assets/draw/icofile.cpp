#include "icofile.h"

#include <QBuffer>
#include <QDataStream>

namespace {

// PNG for the 256 pixel image, as Windows expects; classic 32-bit DIBs for the small ones,
// which every reader of the format understands.
QByteArray iconPayload(const QImage& image)
{
    QByteArray bytes;
    if (image.width() >= 256) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int size = argb.width();
    const int maskRowBytes = ((size + 31) / 32) * 4;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(size) << qint32(2 * size) // the height counts the mask too
        << quint16(1) << quint16(32) << quint32(0) << quint32(size * size * 4 + maskRowBytes * size)
        << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = size - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < size; ++x)
            out << quint8(qBlue(row[x])) << quint8(qGreen(row[x])) << quint8(qRed(row[x]))
                << quint8(qAlpha(row[x]));
    }
    // The AND mask: set where the image is fully transparent, for readers that ignore alpha.
    for (int y = size - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QByteArray maskRow(maskRowBytes, '\0');
        for (int x = 0; x < size; ++x)
            if (qAlpha(row[x]) == 0)
                maskRow[x / 8] = static_cast<char>(maskRow[x / 8] | (0x80 >> (x % 8)));
        out.writeRawData(maskRow.constData(), maskRowBytes);
    }
    return bytes;
}

} // namespace

QByteArray icoFile(const std::vector<QImage>& images)
{
    std::vector<QByteArray> payloads;
    for (const QImage& image : images)
        payloads.push_back(iconPayload(image));

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        const auto sizeByte = static_cast<quint8>(size >= 256 ? 0 : size); // 0 stands for 256
        out << sizeByte << sizeByte << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(payloads[i].size()) << offset;
        offset += static_cast<quint32>(payloads[i].size());
    }
    for (const QByteArray& payload : payloads)
        out.writeRawData(payload.constData(), static_cast<int>(payload.size()));
    return bytes;
}
