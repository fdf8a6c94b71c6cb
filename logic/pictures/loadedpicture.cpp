#include "logic/pictures/loadedpicture.h"

#include "logic/pictures/jpegend.h"
#include "logic/pictures/rotatepicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace vellumark {

namespace {

bool isAcross(int quarterTurns)
{
    return quarterTurns % 2 != 0;
}

QSize turnedSize(QSize size, bool across)
{
    return across ? size.transposed() : size;
}

// Whether a full decode of the picture would fit within Qt's allocation
// limit. A smaller decode always would; the check keeps refusing the
// pictures that a full decode refuses, as the page may need the whole.
bool fitsAllocationLimit(const QImageReader &reader, QSize size)
{
    const int limitMb = QImageReader::allocationLimit();
    if (limitMb <= 0)
        return true;
    const QImage::Format format = reader.imageFormat();
    const qint64 bits = format == QImage::Format_Invalid
        ? 32
        : qint64(QImage::toPixelFormat(format).bitsPerPixel());
    const qint64 bytesPerLine = (qint64(size.width()) * bits + 31) / 32 * 4;
    return bytesPerLine * size.height() <= (qint64(limitMb) << 20);
}

// A reader over the kept bytes, turning upright as the file says.
struct BytesReader
{
    explicit BytesReader(const QByteArray &bytes)
        : data(bytes)
        , buffer(&data)
    {
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
        reader.setAutoTransform(true);
    }
    // A size turned as the file's orientation turns it: the upright sides
    // from the file's, and the file's from the upright ones.
    QSize acrossFile(QSize upright) const
    {
        return turnedSize(
            upright, reader.transformation().testFlag(QImageIOHandler::TransformationRotate90));
    }

    QByteArray data;
    QBuffer buffer;
    QImageReader reader;
};

// The scale that makes size cover bound, never above 1.
QSize coveringSize(QSize size, QSize bound)
{
    if (bound.isEmpty())
        return size;
    const double scale = std::min(
        1.0,
        std::max(double(bound.width()) / size.width(), double(bound.height()) / size.height()));
    return QSize(std::max(1, int(std::ceil(size.width() * scale - 1e-9))),
                 std::max(1, int(std::ceil(size.height() * scale - 1e-9))));
}

bool isScaledWhenDecoded(QImageReader &reader)
{
    return reader.format() == "jpeg";
}

} // namespace

QImage ReadPictureCovering(QImageReader &reader, QSize bound)
{
    reader.setAutoTransform(true);
    // Only a JPEG decoder skips work at a smaller size, and only its header
    // surely tells the size it decodes to (a GIF's may give its first
    // frame's); other kinds are decoded whole and then scaled.
    const QSize fileSize = isScaledWhenDecoded(reader) ? reader.size() : QSize();
    QImage picture;
    if (fileSize.isEmpty()) {
        if (!reader.read(&picture) || picture.isNull())
            return {};
        const QSize shown = coveringSize(picture.size(), bound);
        return shown == picture.size()
            ? picture
            : picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const bool across = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turnedSize(fileSize, across);
    const QSize shown = coveringSize(upright, bound);
    if (shown != upright)
        reader.setScaledSize(turnedSize(shown, across));
    if (!reader.read(&picture) || picture.isNull())
        return {};
    return picture;
}

LoadedPicture::LoadedPicture(const QImage &picture)
    : m_whole(picture)
    , m_size(picture.size())
    , m_screen(picture)
{ }

std::optional<LoadedPicture> LoadedPicture::fromFile(const QString &path, QSize screen)
{
    // Only regular files: a pipe or a device would block or never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return fromBytes(bytes, screen);
}

std::optional<LoadedPicture> LoadedPicture::fromBytes(const QByteArray &bytes, QSize screen)
{
    BytesReader read(bytes);
    QImageReader &reader = read.reader;
    if (!reader.canRead())
        return std::nullopt;
    LoadedPicture loaded;
    loaded.m_bytes = bytes;
    if (!isScaledWhenDecoded(reader)) {
        const QImage whole = ReadPictureCovering(reader, QSize());
        if (whole.isNull())
            return std::nullopt;
        loaded.m_size = whole.size();
        const QSize shown = coveringSize(whole.size(), screen);
        loaded.m_screen = shown == whole.size()
            ? whole
            : whole.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return loaded;
    }
    // Qt fills a cut-off JPEG with grey and calls it a success.
    QBuffer whole;
    whole.setData(bytes);
    if (!whole.open(QIODevice::ReadOnly) || !JpegReachesEnd(whole))
        return std::nullopt;
    const QSize fileSize = reader.size();
    if (fileSize.isEmpty() || !fitsAllocationLimit(reader, fileSize))
        return std::nullopt;
    loaded.m_size = read.acrossFile(fileSize); // upright
    loaded.m_screen = ReadPictureCovering(reader, screen);
    if (loaded.m_screen.isNull())
        return std::nullopt;
    return loaded;
}

QSize LoadedPicture::size() const
{
    return turnedSize(m_size, isAcross(m_turns));
}

LoadedPicture LoadedPicture::turnedClockwise() const
{
    if (isNull())
        return *this;
    LoadedPicture turned = *this;
    turned.m_screen = QuarterTurnClockwise(m_screen);
    if (turned.m_screen.isNull())
        return *this; // no memory for it: the picture stays as it was
    if (m_bytes.isEmpty()) {
        // Held decoded: the screen copy is the picture.
        turned.m_whole = turned.m_screen;
        turned.m_size = turned.m_whole.size();
    } else {
        turned.m_turns = (m_turns + 1) % 4;
    }
    return turned;
}

QImage LoadedPicture::decoded(QSize size) const
{
    return decoded(QRect(QPoint(0, 0), this->size()), size);
}

QImage LoadedPicture::decoded(const QRect &part, QSize size) const
{
    const QRect kept = part.intersected(QRect(QPoint(0, 0), this->size()));
    if (kept.isEmpty() || size.isEmpty())
        return {};
    const QSize wanted = size.boundedTo(kept.size());
    if (m_bytes.isEmpty()) {
        const QImage cut = kept == m_whole.rect() ? m_whole : m_whole.copy(kept);
        return wanted == cut.size()
            ? cut
            : cut.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    BytesReader read(m_bytes);
    const QImageIOHandler::Transformations file = read.reader.transformation();
    // The part and its size in the file's own pixels: our turns undone,
    // each a quarter turn back, then the file's turn and mirrors.
    QRect stored = kept;
    QSize frame = this->size();
    QSize asked = wanted;
    const auto turnBack = [&] {
        stored = QRect(stored.y(), frame.width() - stored.x() - stored.width(), stored.height(),
                       stored.width());
        frame.transpose();
        asked.transpose();
    };
    for (int turn = 0; turn < m_turns; ++turn)
        turnBack();
    if (file.testFlag(QImageIOHandler::TransformationRotate90))
        turnBack();
    if (file.testFlag(QImageIOHandler::TransformationMirror))
        stored.moveLeft(frame.width() - stored.x() - stored.width());
    if (file.testFlag(QImageIOHandler::TransformationFlip))
        stored.moveTop(frame.height() - stored.y() - stored.height());
    if (stored != QRect(QPoint(0, 0), frame))
        read.reader.setClipRect(stored);
    if (asked != stored.size())
        read.reader.setScaledSize(asked);
    QImage picture;
    if (!read.reader.read(&picture) || picture.isNull())
        return {};
    // Upright now, before our turns; a decoder that went its own way is
    // brought to the size asked.
    const QSize upright = turnedSize(wanted, isAcross(m_turns));
    if (picture.size() != upright)
        picture = picture.scaled(upright, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QuarterTurnsClockwise(picture, m_turns);
}

} // namespace vellumark
