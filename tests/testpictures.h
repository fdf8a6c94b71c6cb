#pragma once

// Picture files made at test time: good ones through QImage, broken ones
// byte by byte.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QString>
#include <QtEndian>

namespace vellumark::test {

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A picture of one colour.
inline QImage solid(Qt::GlobalColor colour, QSize size = QSize(16, 16))
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// Left half one colour, right half another, so that a turn shows.
inline QImage twoColourPicture(QSize size, QColor left = Qt::red, QColor right = Qt::blue)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(right);
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 0, size.width() / 2, size.height()), left);
    return picture;
}

inline QByteArray encoded(const QImage &picture, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(picture);
    return bytes;
}

inline QByteArray jpegBytes(QSize size = QSize(40, 20), bool progressive = false)
{
    return encoded(twoColourPicture(size), "jpeg", progressive);
}

// An APP1 segment with EXIF data holding only the orientation tag, put
// right after the start-of-image marker.
inline QByteArray withExifOrientation(const QByteArray &jpeg, quint16 orientation)
{
    QByteArray app1("\xFF\xE1\x00\x22"
                    "Exif\x00\x00"
                    "MM\x00\x2A\x00\x00\x00\x08" // big-endian TIFF, IFD at 8
                    "\x00\x01" // one entry
                    "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x00\x00\x00" // orientation, SHORT
                    "\x00\x00\x00\x00", // no next IFD
                    36);
    app1[4 + 6 + 8 + 2 + 8] = char(orientation >> 8);
    app1[4 + 6 + 8 + 2 + 9] = char(orientation & 0xFF);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

// A JPEG whose EXIF data carries a thumbnail: a whole small JPEG, end
// marker included, inside the APP1 segment.
inline QByteArray withThumbnailSegment(const QByteArray &jpeg, const QByteArray &thumbnail)
{
    QByteArray payload = QByteArray("Exif\x00\x00", 6) + thumbnail;
    QByteArray segment("\xFF\xE1", 2);
    const quint16 length = quint16(payload.size() + 2);
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// A JPEG whose frame header claims another size; the data stays small.
inline QByteArray jpegClaiming(QSize size)
{
    QByteArray jpeg = jpegBytes(QSize(16, 16));
    for (qsizetype i = 2; i + 9 < jpeg.size();) {
        const auto marker = uchar(jpeg[i + 1]);
        const int length = (uchar(jpeg[i + 2]) << 8) | uchar(jpeg[i + 3]);
        if (marker == 0xC0 || marker == 0xC2) { // baseline or progressive frame
            jpeg[i + 5] = char(size.height() >> 8);
            jpeg[i + 6] = char(size.height() & 0xFF);
            jpeg[i + 7] = char(size.width() >> 8);
            jpeg[i + 8] = char(size.width() & 0xFF);
            return jpeg;
        }
        i += 2 + length;
    }
    return QByteArray();
}

// A Windows bitmap header for a 24-bit picture of the given size, with no
// pixel data after it.
inline QByteArray bitmapHeaderClaiming(QSize size)
{
    QByteArray bytes(54, '\0');
    auto put32 = [&bytes](int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
    auto put16 = [&bytes](int at, quint16 value) { qToLittleEndian(value, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    const quint32 dataSize = quint32(size.width()) * 3 * quint32(size.height());
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(size.width()));
    put32(22, quint32(size.height()));
    put16(26, 1);
    put16(28, 24);
    put32(34, dataSize);
    return bytes;
}

// A whole 1 x 1 GIF of one red pixel (Qt writes no GIF).
inline QByteArray redGif()
{
    return QByteArray("GIF89a"
                      "\x01\x00\x01\x00\x80\x00\x00" // 1 x 1, two-colour table
                      "\xFF\x00\x00\x00\x00\x00" // red, black
                      "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00" // image descriptor
                      "\x02\x02\x44\x01\x00" // LZW: clear, 0, end
                      "\x3B",
                      35);
}

// A GIF whose signature is right but whose screen descriptor is cut short.
inline QByteArray gifWithBrokenHeader()
{
    return redGif().left(8);
}

// The dominant colour of a picture's pixel, for JPEG's approximate colours.
inline char dominant(QRgb pixel)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (r > 2 * g && r > 2 * b)
        return 'r';
    if (b > 2 * r && b > 2 * g)
        return 'b';
    if (g > 2 * r && g > 2 * b)
        return 'g';
    return '?';
}

} // namespace vellumark::test
