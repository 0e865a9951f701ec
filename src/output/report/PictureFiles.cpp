#include "output/report/PictureFiles.h"

#include "output/OutputFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtEndian>

namespace
{
struct PictureInfo {
    PictureType type;
    const char *extension;
    const char *description;
};
constexpr PictureInfo kPictures[] = {
    {PictureType::Bmp, "bmp", "Windows Bitmap"},    {PictureType::Emf, "emf", "Enhanced Meta File"},
    {PictureType::Wmf, "wmf", "Windows Meta File"}, {PictureType::Png, "png", "PNG Image"},
    {PictureType::Svg, "svg", "SVG Drawing"},       {PictureType::Pdf, "pdf", "PDF Document"},
};

QString entryOf(const PictureInfo &p)
{
    return QString::fromLatin1(p.description) + QStringLiteral(" (*.") + QString::fromLatin1(p.extension) +
           QLatin1Char(')');
}

constexpr int kDpi = 96;

class Bytes
{
public:
    Bytes &u16(quint16 v) { return raw(qToLittleEndian(v)); }
    Bytes &u32(quint32 v) { return raw(qToLittleEndian(v)); }
    Bytes &i16(qint16 v) { return raw(qToLittleEndian(v)); }
    Bytes &i32(qint32 v) { return raw(qToLittleEndian(v)); }
    Bytes &bytes(const QByteArray &b)
    {
        m_data += b;
        return *this;
    }
    const QByteArray &data() const { return m_data; }

private:
    template <typename T> Bytes &raw(T v)
    {
        m_data.append(reinterpret_cast<const char *>(&v), sizeof v);
        return *this;
    }
    QByteArray m_data;
};

// A 24-bit bottom-up device-independent bitmap: its 40-byte header and its rows.
struct Dib {
    QByteArray header, bits;
};

Dib dibOf(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    Dib d;
    d.header = Bytes()
                   .u32(40)
                   .i32(w)
                   .i32(h)
                   .u16(1)
                   .u16(24)
                   .u32(0)
                   .u32(stride * h)
                   .i32(3780)
                   .i32(3780)
                   .u32(0)
                   .u32(0)
                   .data();
    d.bits = QByteArray(stride * h, '\0');
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(h - 1 - y));
        char *out = d.bits.data() + y * stride;
        for (int x = 0; x < w; ++x) {
            out[3 * x] = char(qBlue(line[x]));
            out[3 * x + 1] = char(qGreen(line[x]));
            out[3 * x + 2] = char(qRed(line[x]));
        }
    }
    return d;
}

QByteArray emfOf(const QImage &image)
{
    const int w = image.width(), h = image.height();
    const Dib dib = dibOf(image);
    const quint32 dibRecord = 80 + 40 + static_cast<quint32>(dib.bits.size());
    const quint32 total = 88 + dibRecord + 20;
    Bytes b;
    // EMR_HEADER: bounds in pixels, frame in hundredths of a millimetre, a 96-dpi reference device.
    b.u32(1).u32(88).i32(0).i32(0).i32(w - 1).i32(h - 1);
    b.i32(0).i32(0).i32(w * 2540 / kDpi).i32(h * 2540 / kDpi);
    b.u32(0x464D4520).u32(0x00010000).u32(total).u32(3).u16(1).u16(0).u32(0).u32(0).u32(0);
    b.i32(1920).i32(1080).i32(1920 * 254 / (kDpi * 10)).i32(1080 * 254 / (kDpi * 10));
    // EMR_STRETCHDIBITS copying the bitmap onto the whole picture.
    b.u32(0x51).u32(dibRecord).i32(0).i32(0).i32(w - 1).i32(h - 1);
    b.i32(0).i32(0).i32(0).i32(0).i32(w).i32(h);
    b.u32(80).u32(40).u32(120).u32(static_cast<quint32>(dib.bits.size()));
    b.u32(0).u32(0x00CC0020).i32(w).i32(h);
    b.bytes(dib.header).bytes(dib.bits);
    // EMR_EOF
    b.u32(0x0E).u32(20).u32(0).u32(16).u32(20);
    return b.data();
}

QByteArray wmfOf(const QImage &image)
{
    const int w = image.width(), h = image.height();
    const Dib dib = dibOf(image);
    const quint32 dibWords = static_cast<quint32>(28 + 40 + dib.bits.size()) / 2;
    const quint32 totalWords = 9 + 5 + 5 + dibWords + 3;
    Bytes placeable;
    placeable.u32(0x9AC6CDD7)
        .u16(0)
        .i16(0)
        .i16(0)
        .i16(static_cast<qint16>(w))
        .i16(static_cast<qint16>(h))
        .u16(kDpi)
        .u32(0);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(placeable.data().constData() + i);
    placeable.u16(checksum);
    Bytes b;
    b.bytes(placeable.data());
    b.u16(1).u16(9).u16(0x0300).u32(totalWords).u16(0).u32(dibWords).u16(0);
    b.u32(5).u16(0x020B).i16(0).i16(0);                                           // SETWINDOWORG
    b.u32(5).u16(0x020C).i16(static_cast<qint16>(h)).i16(static_cast<qint16>(w)); // SETWINDOWEXT
    b.u32(dibWords).u16(0x0F43).u32(0x00CC0020).u16(0);                           // STRETCHDIB
    b.i16(static_cast<qint16>(h)).i16(static_cast<qint16>(w)).i16(0).i16(0);
    b.i16(static_cast<qint16>(h)).i16(static_cast<qint16>(w)).i16(0).i16(0);
    b.bytes(dib.header).bytes(dib.bits);
    b.u32(3).u16(0); // EOF
    return b.data();
}

QImage imageOf(const std::function<void(QPainter &)> &paint, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paint(p);
    return image;
}

} // namespace

QString pictureFilter()
{
    QStringList entries;
    for (const PictureInfo &p : kPictures)
        entries << entryOf(p);
    return entries.join(QStringLiteral(";;"));
}

std::optional<PictureType> pictureTypeOfFilter(const QString &entry)
{
    for (const PictureInfo &p : kPictures)
        if (entryOf(p) == entry)
            return p.type;
    return std::nullopt;
}

std::optional<PictureType> pictureTypeOfExtension(const QString &extension)
{
    for (const PictureInfo &p : kPictures)
        if (extension.compare(QLatin1String(p.extension), Qt::CaseInsensitive) == 0)
            return p.type;
    return std::nullopt;
}

QString withPictureExtension(const QString &path, PictureType type)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + QLatin1String(kPictures[static_cast<int>(type)].extension);
}

void writePicture(const std::function<void(QPainter &)> &paint, QSize size, PictureType type,
                  const QString &path)
{
    OutputFile file(path);
    QByteArray bytes;
    switch (type) {
    case PictureType::Bmp:
    case PictureType::Png: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        imageOf(paint, size).save(&buffer, type == PictureType::Bmp ? "BMP" : "PNG");
        break;
    }
    case PictureType::Emf:
        bytes = emfOf(imageOf(paint, size));
        break;
    case PictureType::Wmf:
        bytes = wmfOf(imageOf(paint, size));
        break;
    case PictureType::Svg: {
        QBuffer buffer(&bytes);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kDpi);
        QPainter p(&svg);
        paint(p);
        break;
    }
    case PictureType::Pdf: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kDpi);
        pdf.setPageSize(
            QPageSize(QSizeF(size.width() * 72.0 / kDpi, size.height() * 72.0 / kDpi), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        QPainter p(&pdf);
        paint(p);
        break;
    }
    }
    file.write(bytes);
    file.commit(); // reports a failed write
}

void paintPictureOnPage(QPagedPaintDevice &device, const std::function<void(QPainter &)> &paint, QSize size)
{
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter p(&device);
    if (size.isEmpty())
        return;
    const qreal scale =
        std::min(qreal(device.width()) / size.width(), qreal(device.height()) / size.height());
    p.translate((device.width() - size.width() * scale) / 2, (device.height() - size.height() * scale) / 2);
    p.scale(scale, scale);
    paint(p);
}
