#include "logic/pictures/rotatepicture.h"

#include <QColorSpace>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace vellumark {

namespace {

constexpr double kQuarter = std::numbers::pi / 2;
// An angle this close to a whole number of quarter turns is one: a
// single-precision 3π/2 is off by less than 2e-7, and over 10^5 pixels the
// difference moves nothing by a tenth of a pixel.
constexpr double kQuarterTolerance = 1e-6;
// Destination pixels are moved in square tiles so that the source rows a
// quarter turn reads across stay in the cache.
constexpr int kTile = 128;

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

// A quarter turn of a picture whose pixels are Bytes bytes wide, moved in
// tiles; 32-bit pixels that turn across rows go four by four through SSE2.
template<int Bytes>
class QuarterTurn
{
public:
    QuarterTurn(const QImage &source, QImage &destination, const QuarterMap &map)
        : m_map(map)
        , m_sourceLine(source.bytesPerLine())
        , m_destinationLine(destination.bytesPerLine())
        , m_sourceBits(source.constBits())
        , m_destinationBits(destination.bits())
        , m_inside(static_cast<std::size_t>(destination.height()))
        , m_width(destination.width())
        , m_height(destination.height())
    {
        // The part of each destination row that has a source pixel.
        for (int dy = 0; dy < destination.height(); ++dy) {
            auto [lo, hi]
                = insideRange(sourceX(0, dy), map.c, source.width(), 0, destination.width());
            m_inside[std::size_t(dy)] = insideRange(sourceY(0, dy), map.s, source.height(), lo, hi);
        }
    }

    void run()
    {
        for (int y0 = 0; y0 < m_height; y0 += kTile) {
            const int y1 = std::min(m_height, y0 + kTile);
            for (int x0 = 0; x0 < m_width; x0 += kTile) {
                const int x1 = std::min(m_width, x0 + kTile);
                if (!fourByFour() || !allInside(x0, x1, y0, y1)) {
                    moveRows(x0, x1, y0, y1);
                    continue;
                }
                const int x4 = x0 + ((x1 - x0) & ~3);
                const int y4 = y0 + ((y1 - y0) & ~3);
                moveBlocks(x0, x4, y0, y4);
                moveRows(x4, x1, y0, y4);
                moveRows(x0, x1, y4, y1);
            }
        }
    }

private:
    int sourceX(int dx, int dy) const { return m_map.originX + m_map.c * dx - m_map.s * dy; }
    int sourceY(int dx, int dy) const { return m_map.originY + m_map.s * dx + m_map.c * dy; }
    const uchar *from(int dx, int dy) const
    {
        return m_sourceBits + qsizetype(sourceY(dx, dy)) * m_sourceLine
            + qsizetype(sourceX(dx, dy)) * Bytes;
    }
    uchar *to(int dx, int dy) const
    {
        return m_destinationBits + qsizetype(dy) * m_destinationLine + qsizetype(dx) * Bytes;
    }

    bool fourByFour() const
    {
#if defined(__SSE2__)
        return Bytes == 4 && m_map.c == 0;
#else
        return false;
#endif
    }

    bool allInside(int x0, int x1, int y0, int y1) const
    {
        for (int dy = y0; dy < y1; ++dy) {
            const auto [lo, hi] = m_inside[std::size_t(dy)];
            if (lo > x0 || hi < x1)
                return false;
        }
        return true;
    }

    void moveRows(int x0, int x1, int y0, int y1) const
    {
        const qsizetype step = qsizetype(m_map.c) * Bytes + qsizetype(m_map.s) * m_sourceLine;
        for (int dy = y0; dy < y1; ++dy) {
            const int lo = std::max(x0, m_inside[std::size_t(dy)].first);
            const int hi = std::min(x1, m_inside[std::size_t(dy)].second);
            if (lo >= hi)
                continue;
            const uchar *source = from(lo, dy);
            uchar *destination = to(lo, dy);
            for (int dx = lo; dx < hi; ++dx, source += step, destination += Bytes)
                std::memcpy(destination, source, Bytes);
        }
    }

    // Four destination pixels across come from one source column, four
    // down from one source row: load four source rows, transpose, store.
    void moveBlocks([[maybe_unused]] int x0, [[maybe_unused]] int x1, [[maybe_unused]] int y0,
                    [[maybe_unused]] int y1) const
    {
#if defined(__SSE2__)
        // Going down the destination runs along a source row, leftwards
        // when s is 1: load from the block's leftmost source pixel then.
        const int shift = m_map.s > 0 ? 3 : 0;
        // One step right in the destination is one source row up or down.
        const qsizetype rowStep = qsizetype(m_map.s) * m_sourceLine;
        for (int dy = y0; dy < y1; dy += 4) {
            const uchar *source = from(x0, dy) - shift * Bytes;
            uchar *destination = to(x0, dy);
            for (int dx = x0; dx < x1; dx += 4) {
                const __m128i a = load(source, shift);
                const __m128i b = load(source + rowStep, shift);
                const __m128i c = load(source + 2 * rowStep, shift);
                const __m128i d = load(source + 3 * rowStep, shift);
                source += 4 * rowStep;
                const __m128i ab01 = _mm_unpacklo_epi32(a, b);
                const __m128i cd01 = _mm_unpacklo_epi32(c, d);
                const __m128i ab23 = _mm_unpackhi_epi32(a, b);
                const __m128i cd23 = _mm_unpackhi_epi32(c, d);
                store(destination, _mm_unpacklo_epi64(ab01, cd01));
                store(destination + m_destinationLine, _mm_unpackhi_epi64(ab01, cd01));
                store(destination + 2 * m_destinationLine, _mm_unpacklo_epi64(ab23, cd23));
                store(destination + 3 * m_destinationLine, _mm_unpackhi_epi64(ab23, cd23));
                destination += 4 * Bytes;
            }
        }
#endif
    }

#if defined(__SSE2__)
    // Four source pixels along a row, in destination order.
    static __m128i load(const uchar *source, bool reversed)
    {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source));
        return reversed ? _mm_shuffle_epi32(pixels, _MM_SHUFFLE(0, 1, 2, 3)) : pixels;
    }
    static void store(uchar *destination, __m128i pixels)
    {
        _mm_storeu_si128(reinterpret_cast<__m128i *>(destination), pixels);
    }
#endif

    QuarterMap m_map;
    qsizetype m_sourceLine;
    qsizetype m_destinationLine;
    const uchar *m_sourceBits;
    uchar *m_destinationBits;
    std::vector<std::pair<int, int>> m_inside;
    int m_width;
    int m_height;
};

template<int Bytes>
void turnQuarterBytes(const QImage &source, QImage &destination, const QuarterMap &map)
{
    QuarterTurn<Bytes>(source, destination, map).run();
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
    return QuarterTurnsClockwise(picture, 1);
}

QImage QuarterTurnsClockwise(const QImage &picture, int turns)
{
    const int quarters = ((turns % 4) + 4) % 4;
    if (picture.isNull() || quarters == 0)
        return picture;
    const bool across = quarters % 2 == 1;
    QImage turned(across ? picture.height() : picture.width(),
                  across ? picture.width() : picture.height(), picture.format());
    if (turned.isNull())
        return {}; // no memory for it
    turned.setColorTable(picture.colorTable());
    turned.setDotsPerMeterX(across ? picture.dotsPerMeterY() : picture.dotsPerMeterX());
    turned.setDotsPerMeterY(across ? picture.dotsPerMeterX() : picture.dotsPerMeterY());
    turned.setColorSpace(picture.colorSpace());
    // The turn goes counter-clockwise: a clockwise quarter is three of them.
    RotatePicture(picture, turned, (4 - quarters) * kQuarter);
    return turned;
}

} // namespace vellumark
