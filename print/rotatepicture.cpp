#include "print/rotatepicture.h"

#include <QColorSpace>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <utility>

namespace vellumark {

namespace {

constexpr double kQuarter = std::numbers::pi / 2;
// An angle this close to a whole number of quarter turns is one: a
// single-precision 3π/2 is off by less than 2e-7, and over 10^5 pixels the
// difference moves nothing by a tenth of a pixel.
constexpr double kQuarterTolerance = 1e-6;
// Destination pixels are moved in square tiles so that the source rows a
// quarter turn reads across stay in the cache.
constexpr int kTile = 64;

std::optional<int> wholeQuarterTurns(double angle)
{
    if (!std::isfinite(angle))
        return std::nullopt;
    const double turns = angle / kQuarter;
    const double whole = std::round(turns);
    if (std::abs(turns - whole) * kQuarter > kQuarterTolerance)
        return std::nullopt;
    const int quarters = int(std::fmod(whole, 4.0));
    return (quarters + 4) % 4;
}

// Half of a doubled coordinate, halves rounded up, so that a source point
// midway between two pixels always takes the same one.
int halfRoundedUp(int doubled)
{
    const int n = doubled + 1;
    return n >= 0 ? n / 2 : -((1 - n) / 2);
}

// The steps dx for which start + slope * dx lies in [0, limit), within
// [from, to). slope is -1, 0 or 1.
std::pair<int, int> insideRange(int start, int slope, int limit, int from, int to)
{
    int lo = from;
    int hi = to;
    if (slope == 0) {
        if (start < 0 || start >= limit)
            return { 0, 0 };
    } else if (slope > 0) {
        lo = std::max(lo, -start);
        hi = std::min(hi, limit - start);
    } else {
        lo = std::max(lo, start - limit + 1);
        hi = std::min(hi, start + 1);
    }
    return { lo, std::max(lo, hi) };
}

// Where a quarter turn takes its pixels from: the source pixel of
// destination pixel (0, 0), and per step right in the destination the
// source moves (c, s), per step down (-s, c).
struct QuarterMap
{
    int c = 1;
    int s = 0;
    int originX = 0;
    int originY = 0;
};

QuarterMap quarterMap(int quarters, QSize source, QSize destination)
{
    static constexpr int cosines[] = { 1, 0, -1, 0 };
    static constexpr int sines[] = { 0, 1, 0, -1 };
    QuarterMap map;
    map.c = cosines[quarters];
    map.s = sines[quarters];
    // Centres in doubled coordinates keep the half pixels of even sizes exact.
    const int dw = destination.width() - 1;
    const int dh = destination.height() - 1;
    map.originX = halfRoundedUp(source.width() - 1 - map.c * dw + map.s * dh);
    map.originY = halfRoundedUp(source.height() - 1 - map.s * dw - map.c * dh);
    return map;
}

template<int Bytes>
void turnQuarterBytes(const QImage &source, QImage &destination, const QuarterMap &map)
{
    const int sw = source.width();
    const int sh = source.height();
    const int dw = destination.width();
    const int dh = destination.height();
    const qsizetype sourceLine = source.bytesPerLine();
    const qsizetype destinationLine = destination.bytesPerLine();
    const uchar *sourceBits = source.constBits();
    uchar *destinationBits = destination.bits();
    const qsizetype step = qsizetype(map.c) * Bytes + qsizetype(map.s) * sourceLine;

    for (int y0 = 0; y0 < dh; y0 += kTile) {
        const int y1 = std::min(dh, y0 + kTile);
        for (int x0 = 0; x0 < dw; x0 += kTile) {
            const int x1 = std::min(dw, x0 + kTile);
            for (int dy = y0; dy < y1; ++dy) {
                const int sx = map.originX - map.s * dy;
                const int sy = map.originY + map.c * dy;
                auto [lo, hi] = insideRange(sx, map.c, sw, x0, x1);
                std::tie(lo, hi) = insideRange(sy, map.s, sh, lo, hi);
                if (lo >= hi)
                    continue;
                const uchar *from = sourceBits + qsizetype(sy + map.s * lo) * sourceLine
                    + qsizetype(sx + map.c * lo) * Bytes;
                uchar *to
                    = destinationBits + qsizetype(dy) * destinationLine + qsizetype(lo) * Bytes;
                for (int dx = lo; dx < hi; ++dx, from += step, to += Bytes)
                    std::memcpy(to, from, Bytes);
            }
        }
    }
}

// Single pixels of any format, bit-sized ones included.
class PixelMover
{
public:
    PixelMover(const QImage &source, QImage &destination)
        : m_sourceBits(source.constBits())
        , m_sourceLine(source.bytesPerLine())
        , m_destinationBits(destination.bits())
        , m_destinationLine(destination.bytesPerLine())
        , m_depth(destination.depth())
        , m_lsbFirst(destination.format() == QImage::Format_MonoLSB)
    { }

    void operator()(int sx, int sy, int dx, int dy) const
    {
        const uchar *fromLine = m_sourceBits + qsizetype(sy) * m_sourceLine;
        uchar *toLine = m_destinationBits + qsizetype(dy) * m_destinationLine;
        if (m_depth == 1) {
            const bool set = fromLine[sx >> 3] & bitMask(sx);
            if (set)
                toLine[dx >> 3] |= bitMask(dx);
            else
                toLine[dx >> 3] &= uchar(~bitMask(dx));
            return;
        }
        const int bytes = m_depth / 8;
        std::memcpy(toLine + qsizetype(dx) * bytes, fromLine + qsizetype(sx) * bytes,
                    std::size_t(bytes));
    }

private:
    uchar bitMask(int x) const { return uchar(m_lsbFirst ? 1u << (x & 7) : 0x80u >> (x & 7)); }

    const uchar *m_sourceBits;
    qsizetype m_sourceLine;
    uchar *m_destinationBits;
    qsizetype m_destinationLine;
    int m_depth;
    bool m_lsbFirst;
};

void turnQuarterPixels(const QImage &source, QImage &destination, const QuarterMap &map)
{
    const PixelMover move(source, destination);
    for (int dy = 0; dy < destination.height(); ++dy) {
        const int sx = map.originX - map.s * dy;
        const int sy = map.originY + map.c * dy;
        auto [lo, hi] = insideRange(sx, map.c, source.width(), 0, destination.width());
        std::tie(lo, hi) = insideRange(sy, map.s, source.height(), lo, hi);
        for (int dx = lo; dx < hi; ++dx)
            move(sx + map.c * dx, sy + map.s * dx, dx, dy);
    }
}

void turnQuarter(const QImage &source, QImage &destination, int quarters)
{
    const QuarterMap map = quarterMap(quarters, source.size(), destination.size());
    switch (destination.depth()) {
    case 8:
        return turnQuarterBytes<1>(source, destination, map);
    case 16:
        return turnQuarterBytes<2>(source, destination, map);
    case 24:
        return turnQuarterBytes<3>(source, destination, map);
    case 32:
        return turnQuarterBytes<4>(source, destination, map);
    case 64:
        return turnQuarterBytes<8>(source, destination, map);
    case 128:
        return turnQuarterBytes<16>(source, destination, map);
    default:
        return turnQuarterPixels(source, destination, map);
    }
}

void turnAnyAngle(const QImage &source, QImage &destination, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double sourceX = (source.width() - 1) / 2.0;
    const double sourceY = (source.height() - 1) / 2.0;
    const double centreX = (destination.width() - 1) / 2.0;
    const double centreY = (destination.height() - 1) / 2.0;
    const PixelMover move(source, destination);
    for (int dy = 0; dy < destination.height(); ++dy) {
        const double y = dy - centreY;
        for (int dx = 0; dx < destination.width(); ++dx) {
            const double x = dx - centreX;
            const double sx = std::floor(sourceX + c * x - s * y + 0.5);
            const double sy = std::floor(sourceY + s * x + c * y + 0.5);
            if (sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height())
                move(int(sx), int(sy), dx, dy);
        }
    }
}

} // namespace

void RotatePicture(const QImage &source, QImage &destination, double angle)
{
    if (source.isNull() || destination.isNull() || !std::isfinite(angle))
        return;
    // A copy of our own: the destination may share its data with the source.
    QImage from = source;
    if (from.format() != destination.format()) {
        from = destination.colorTable().isEmpty()
            ? from.convertToFormat(destination.format())
            : from.convertToFormat(destination.format(), destination.colorTable());
        if (from.isNull())
            return;
    }
    destination.detach();
    if (const std::optional<int> quarters = wholeQuarterTurns(angle))
        turnQuarter(from, destination, *quarters);
    else
        turnAnyAngle(from, destination, angle);
}

QImage QuarterTurnClockwise(const QImage &picture)
{
    if (picture.isNull())
        return {};
    QImage turned(picture.height(), picture.width(), picture.format());
    if (turned.isNull())
        return {}; // no memory for it
    turned.setColorTable(picture.colorTable());
    turned.setDotsPerMeterX(picture.dotsPerMeterY());
    turned.setDotsPerMeterY(picture.dotsPerMeterX());
    turned.setColorSpace(picture.colorSpace());
    RotatePicture(picture, turned, 3 * kQuarter);
    return turned;
}

} // namespace vellumark
