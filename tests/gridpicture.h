#pragma once

// A picture of known lines, and where they must land on paper stretched,
// filled or fitted to a cover, from its measures and the cover's alone.

#include "pagescan.h"

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>

namespace vellumark::test {

// 3000 x 2000 on a pale yellow ground: a blue line down at every 100 px
// across (x from 100k to 100k + 20), a red line across at every 100 px
// down (y from 100k + 50 to 100k + 70).
inline constexpr int kGridWidth = 3000;
inline constexpr int kGridHeight = 2000;

inline QImage GridPicture()
{
    QImage picture(kGridWidth, kGridHeight, QImage::Format_RGB32);
    picture.fill(qRgb(255, 255, 160));
    QPainter painter(&picture);
    for (int y = 50; y < kGridHeight; y += 100)
        painter.fillRect(0, y, kGridWidth, 20, QColor(255, 0, 0));
    for (int x = 0; x < kGridWidth; x += 100)
        painter.fillRect(x, 0, 20, kGridHeight, QColor(0, 0, 255));
    return picture;
}

// How the grid lies on paper: the centimetres one of its pixels spans
// and where its corner falls; it shows only inside the cover.
struct GridLanding
{
    QRectF cover;
    double cmPerPixel = 0; // across
    double cmPerPixelDown = 0;
    QPointF corner;

    double x(double pixel) const { return corner.x() + pixel * cmPerPixel; }
    double y(double pixel) const { return corner.y() + pixel * cmPerPixelDown; }
    QRectF picture() const { return QRectF(corner, QPointF(x(kGridWidth), y(kGridHeight))); }
};

inline GridLanding StretchedGrid(const QRectF &cover)
{
    return { cover, cover.width() / kGridWidth, cover.height() / kGridHeight, cover.topLeft() };
}

// At a scale (cm per pixel), the point (cx, cy) of the grid (fractions of
// its width and height) on the cover's centre.
inline GridLanding CentredGrid(const QRectF &cover, double scale, double cx = 0.5, double cy = 0.5)
{
    return { cover, scale, scale,
             cover.center() - QPointF(cx * kGridWidth, cy * kGridHeight) * scale };
}

// Filled at a zoom, the part shown centred on (cx, cy).
inline GridLanding FilledGrid(const QRectF &cover, double zoom = 1, double cx = 0.5,
                              double cy = 0.5)
{
    const double scale = std::max(cover.width() / kGridWidth, cover.height() / kGridHeight);
    return CentredGrid(cover, zoom * scale, cx, cy);
}

inline GridLanding FittedGrid(const QRectF &cover)
{
    return CentredGrid(cover, std::min(cover.width() / kGridWidth, cover.height() / kGridHeight));
}

// What is wrong with the printed grid, or nothing: every line whole inside
// the cover where the landing puts it, to a pixel; nothing else inside the
// cover; blank where the picture does not reach.
inline QString GridFault(const QImage &page, const PagePixels &pixels, const GridLanding &grid)
{
    const QRectF shown = grid.cover.intersected(grid.picture());
    const QRectF area = pixels.rect(shown);
    // Blue lines across the row of picture row 1020 (between red ones), red
    // lines down the column of picture column 1060 (between blue ones); one
    // pixel in from the cover's edges, where lines may be cut.
    for (const bool across : { true, false }) {
        const auto at = [&](double pixel) {
            return across ? pixels.x(grid.x(pixel)) : pixels.y(grid.y(pixel));
        };
        const int from = int(std::ceil(across ? area.left() : area.top())) + 1;
        const int to = int(std::floor(across ? area.right() : area.bottom())) - 2;
        const int fixed
            = int(std::lround(across ? pixels.y(grid.y(1020)) : pixels.x(grid.x(1060))));
        QList<double> expected;
        for (int k = 0; k < (across ? kGridWidth : kGridHeight) / 100; ++k) {
            const int line = 100 * k + (across ? 0 : 50);
            const double start = at(line), end = at(line + 20);
            if (start > from && end < to)
                expected.append((start + end) / 2);
        }
        // The centres of the runs of the lines' colour that lie whole inside.
        QList<double> found;
        for (int i = from, start = -1; i <= to + 1; ++i) {
            const QRgb c = i > to ? 0 : across ? page.pixel(i, fixed) : page.pixel(fixed, i);
            const bool inside = i <= to && (across ? IsBlue(c) : IsRed(c));
            if (inside && start < 0)
                start = i;
            if (!inside && start >= 0) {
                if (start > from && i <= to)
                    found.append((start + i) / 2.0);
                start = -1;
            }
        }
        const auto listed = [](const QList<double> &centres) {
            QStringList numbers;
            for (double centre : centres)
                numbers.append(QString::number(centre, 'f', 1));
            return numbers.join(u' ');
        };
        bool same = found.size() == expected.size();
        for (qsizetype i = 0; same && i < found.size(); ++i)
            same = std::abs(found[i] - expected[i]) <= 1.0;
        if (!same)
            return QStringLiteral("%1: found %2; expected %3")
                .arg(across ? QStringLiteral("across") : QStringLiteral("down"), listed(found),
                     listed(expected));
    }

    // Ink exactly where the picture shows inside the cover.
    const QRect found = BoundsOf(
        page, [](QRgb c) { return !IsWhite(c); },
        pixels.rect(grid.cover).adjusted(-4, -4, 4, 4).toRect());
    if (!SameEdges(found, area))
        return QStringLiteral("picture: ") + Describe(found, area);
    return {};
}

} // namespace vellumark::test
