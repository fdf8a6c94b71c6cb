#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

class QImageReader;

namespace vellumark {

// Reads the reader's picture upright, as its camera recorded, decoded no
// larger than it takes to cover bound (keeping its proportions; an empty
// bound, at full size): the decoder then skips most of its work. A null
// picture when it cannot be read.
QImage ReadPictureCovering(QImageReader &reader, QSize bound);

// A picture as a cover holds it once loaded. From a file it keeps the
// file's bytes as they were read, so that a file deleted or rewritten later
// still prints what was shown, and one copy decoded no larger than the
// screen needs, from which the boxes draw; each page decodes the bytes
// again at the size it prints. Copies share their data.
class LoadedPicture
{
public:
    LoadedPicture() = default;
    // A picture already decoded, held whole: it is its own screen copy and
    // pages resample it. Implicit, so that any decoded picture can be shown.
    LoadedPicture(const QImage &picture); // NOLINT(google-explicit-constructor)

    // The picture in a file, turned upright as its camera recorded, with a
    // screen copy just large enough to cover `screen` (in pixels, keeping
    // its proportions). Nothing for every file LoadPicture refuses.
    static std::optional<LoadedPicture> fromFile(const QString &path, QSize screen);
    // The same for a file's bytes already read.
    static std::optional<LoadedPicture> fromBytes(const QByteArray &bytes, QSize screen);

    bool isNull() const { return m_size.isEmpty(); }
    // Its size in its own pixels, as shown: upright and turned.
    QSize size() const;
    const QImage &screenCopy() const { return m_screen; }
    int quarterTurns() const { return m_turns; }

    // Turned a quarter turn clockwise. Only the screen copy is turned now;
    // a page turns what it decodes.
    LoadedPicture turnedClockwise() const;

    // The picture as shown, decoded afresh at this size, stretched if the
    // proportions differ and never larger than the picture on either side.
    // A null picture when there is no memory for it.
    QImage decoded(QSize size) const;
    // Only a part of it, given in its own pixels as shown, decoded at that
    // size: the decoder skips what lies below the part and most of the work
    // beside it.
    QImage decoded(const QRect &part, QSize size) const;

private:
    QByteArray m_bytes; // empty for a picture held decoded
    QImage m_whole; // the picture held decoded, turned as shown
    QSize m_size; // upright, before the turns
    QImage m_screen; // turned as shown
    int m_turns = 0; // clockwise quarter turns the file's decodes still need
};

} // namespace vellumark
