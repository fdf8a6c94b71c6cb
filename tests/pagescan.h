#pragma once

// Reading printed pages back: rasterising a PDF and finding where colours
// landed, in pixels and in centimetres of the printable area.

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPointF>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QStringList>

#include <cmath>
#include <functional>
#include <numbers>

namespace vellumark::test {

// The page of a one-page PDF as a picture at the given resolution, cropped
// to the given pixels when crop is not empty; a null picture when
// pdftocairo is missing or fails.
inline QImage RasterisePdf(const QString &pdf, int dpi, const QRect &crop = {})
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftocairo"));
    QTemporaryDir dir;
    if (tool.isEmpty() || !dir.isValid())
        return {};
    const QString base = dir.filePath(QStringLiteral("page"));
    QStringList arguments { QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                            QStringLiteral("-singlefile") };
    if (!crop.isEmpty()) {
        arguments << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
                  << QString::number(crop.y()) << QStringLiteral("-W")
                  << QString::number(crop.width()) << QStringLiteral("-H")
                  << QString::number(crop.height());
    }
    arguments << pdf << base;
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The page of an open print preview drawn as the screen shows it: the whole
// sheet at the given resolution; a null picture when it shows no page.
inline QImage PreviewedPage(QPrintPreviewDialog *preview, const QPrinter &printer, int dpi)
{
    auto *view = preview->findChild<QGraphicsView *>();
    if (!view || !view->scene() || view->scene()->items().isEmpty())
        return {};
    const QGraphicsItem *page = view->scene()->items().last();
    const QSizeF paper = printer.pageLayout().fullRectPixels(printer.resolution()).size();
    QImage image((paper * dpi / printer.resolution()).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view->scene()->render(&painter, QRectF(image.rect()), QRectF(page->pos(), paper));
    return image;
}

inline bool IsRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
}
inline bool IsGreen(QRgb c)
{
    return qGreen(c) > 100 && qRed(c) < 80 && qBlue(c) < 80;
}
inline bool IsBlue(QRgb c)
{
    return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80;
}
inline bool IsDark(QRgb c)
{
    return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
}
inline bool IsWhite(QRgb c)
{
    return qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230;
}

// The smallest rectangle holding every pixel that matches, within area
// when it is given.
inline QRect BoundsOf(const QImage &page, const std::function<bool(QRgb)> &matches, QRect area = {})
{
    area = area.isEmpty() ? page.rect() : area.intersected(page.rect());
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (matches(line[x]))
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

// How much ink a row holds between two columns, in pixels' worth: a line
// one pixel wide gives about 1 however it falls on the pixel grid.
inline double InkAlongRow(const QImage &page, int y, int fromX, int toX)
{
    double ink = 0;
    for (int x = fromX; x < toX; ++x)
        ink += (255 - qGray(page.pixel(x, y))) / 255.0;
    return ink;
}

inline double InkIn(const QImage &page, const QRect &area)
{
    double ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        ink += InkAlongRow(page, y, area.left(), area.right() + 1);
    return ink;
}

// Centimetres of the printable area to pixels of the whole sheet
// rasterised at dpi. The printable area's corner comes from the printer's
// own description (its PPD), never from what the program was told; a PDF
// file's printable area is the whole sheet.
class PagePixels
{
public:
    explicit PagePixels(int dpi, QPointF printableCornerCm = {})
        : m_dpi(dpi)
        , m_left(printableCornerCm.x())
        , m_top(printableCornerCm.y())
    { }

    double x(double cm) const { return (m_left + cm) * m_dpi / 2.54; }
    double y(double cm) const { return (m_top + cm) * m_dpi / 2.54; }
    // The pixels a rectangle in cm covers, widened on every side by the
    // given device pixels of a printer at printerDpi.
    QRectF rect(const QRectF &cm, double widen = 0, int printerDpi = 1200) const
    {
        const double grow = widen * m_dpi / printerDpi;
        return QRectF(QPointF(x(cm.left()), y(cm.top())), QPointF(x(cm.right()), y(cm.bottom())))
            .adjusted(-grow, -grow, grow, grow);
    }

private:
    int m_dpi;
    double m_left = 0;
    double m_top = 0;
};

// Whether found pixels (a QRect of whole pixels) cover the expected area
// to within one pixel on every edge.
inline bool SameEdges(const QRect &found, const QRectF &expected, double tolerance = 1.0)
{
    return !found.isEmpty() && std::abs(found.left() - expected.left()) <= tolerance
        && std::abs(found.top() - expected.top()) <= tolerance
        && std::abs(found.right() + 1 - expected.right()) <= tolerance
        && std::abs(found.bottom() + 1 - expected.bottom()) <= tolerance;
}

inline QString Describe(const QRect &found, const QRectF &expected)
{
    return QStringLiteral("found %1,%2 to %3,%4; expected %5,%6 to %7,%8")
        .arg(found.left())
        .arg(found.top())
        .arg(found.right() + 1)
        .arg(found.bottom() + 1)
        .arg(expected.left(), 0, 'f', 1)
        .arg(expected.top(), 0, 'f', 1)
        .arg(expected.right(), 0, 'f', 1)
        .arg(expected.bottom(), 0, 'f', 1);
}

// What is off when the pixels that match do not cover the expected area
// (within area, when given) to a pixel; empty when they do.
inline QString EdgesFault(const QImage &page, const std::function<bool(QRgb)> &matches,
                          const QRectF &expected, const QRect &area = {})
{
    const QRect found = BoundsOf(page, matches, area);
    return SameEdges(found, expected) ? QString() : Describe(found, expected);
}

// How alike two pictures are over an area of both, as the peak
// signal-to-noise ratio of their red, green and blue in decibels: infinite
// when equal, about 10 where different pictures lie.
inline double Psnr(const QImage &a, const QImage &b, const QRect &area)
{
    double squares = 0;
    qint64 samples = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : { qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q) })
                squares += double(d) * d;
            samples += 3;
        }
    }
    return samples == 0 ? 0.0 : 10 * std::log10(255.0 * 255.0 * samples / squares);
}

// A picture's colour at least half strong over paper or ink.
inline bool IsMostlyRed(QRgb c)
{
    return qRed(c) >= 128 && qGreen(c) < 128 && qBlue(c) < 128;
}
inline bool IsMostlyGreen(QRgb c)
{
    return qGreen(c) >= 128 && qRed(c) < 128 && qBlue(c) < 128;
}

// What is wrong with a round label in the colour `matches` finds, bounded
// by `cm`, with a hole holeCm across: edges and hole to a pixel and centred,
// paper-white beyond them but for the outer half of a border borderPx wide
// where one is given (it must show on both edges).
inline QStringList DiscFaults(const QImage &page, const PagePixels &pixels, const QRectF &cm,
                              double holeCm, const std::function<bool(QRgb)> &matches,
                              double borderPx = 0)
{
    QStringList faults;
    const QRectF outer = pixels.rect(cm);
    const QRect search = outer.adjusted(-30, -30, 30, 30).toRect().intersected(page.rect());
    const QRect found = BoundsOf(page, matches, search);
    if (!SameEdges(found, outer))
        faults << QStringLiteral("outer edge: ") + Describe(found, outer);

    // The hole: what the colour leaves bare about the centre, well inside
    // the ring.
    const QPointF centre = outer.center();
    const double hole = pixels.rect(QRectF(0, 0, holeCm, holeCm)).width();
    const QRectF holeRect(centre - QPointF(hole, hole) / 2, QSizeF(hole, hole));
    const double margin = pixels.rect(QRectF(0, 0, 0.25, 0.25)).width();
    const QRect bare = BoundsOf(
        page, [&](QRgb c) { return !matches(c); },
        holeRect.adjusted(-margin, -margin, margin, margin).toRect());
    if (!SameEdges(bare, holeRect))
        faults << QStringLiteral("hole: ") + Describe(bare, holeRect);

    // Paper beyond the edges, a pixel and a half of antialiasing allowed.
    const double a = outer.width() / 2, b = outer.height() / 2, r = hole / 2;
    const double past = borderPx + 1.5;
    // Within the bounding rectangle, where cut marks never reach.
    const QRect square = outer.adjusted(-past, -past, past, past).toRect().intersected(page.rect());
    int inked = 0;
    QPoint firstInked;
    for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x = square.left(); x <= square.right(); ++x) {
            const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
            const bool outside
                = dx * dx / ((a + past) * (a + past)) + dy * dy / ((b + past) * (b + past)) > 1;
            const bool inHole = r > past && dx * dx + dy * dy < (r - past) * (r - past);
            if ((outside || inHole) && !IsWhite(page.pixel(x, y)) && inked++ == 0)
                firstInked = QPoint(x, y);
        }
    }
    if (inked > 0)
        faults << QStringLiteral("%1 pixels off the ring are inked, the first at %2, %3")
                      .arg(inked)
                      .arg(firstInked.x())
                      .arg(firstInked.y());

    // The border's outer half just outside the outer edge and inside the hole.
    if (borderPx > 0) {
        for (int step = 0; step < 8; ++step) {
            const double angle = step * std::numbers::pi / 4;
            const QPointF edge(centre.x() + (a + borderPx / 2) * std::cos(angle),
                               centre.y() + (b + borderPx / 2) * std::sin(angle));
            const QPointF rim(centre.x() + (r - borderPx / 2) * std::cos(angle),
                              centre.y() + (r - borderPx / 2) * std::sin(angle));
            for (const QPointF &point : { edge, rim }) {
                if (!IsDark(page.pixel(point.toPoint())))
                    faults << QStringLiteral("no border at %1, %2").arg(point.x()).arg(point.y());
            }
        }
    }
    return faults;
}

// The page of the two-slot layout (TwoSlotsLayout in testsupport.h):
// A red at (2, 2) 12.1 x 12.1 cm, its border showing 20 printer pixels
// outside A's edge (the outer half of a 40 pixel line), and B green at
// (2, 16) 10 x 5 cm. Empty when all lie at true size, else what is off.
// The border is looked for within searchCm only.
inline QString TwoSlotsPageFault(const QImage &page, const PagePixels &pixels,
                                 int printerDpi = 1200,
                                 const QRectF &searchCm = QRectF(0, 0, 20, 15))
{
    const QRectF a(2, 2, 12.1, 12.1);
    const QString faults[] = {
        EdgesFault(page, IsRed, pixels.rect(a)),
        EdgesFault(page, IsDark, pixels.rect(a, 20, printerDpi), pixels.rect(searchCm).toRect()),
        EdgesFault(page, IsGreen, pixels.rect(QRectF(2, 16, 10, 5))),
    };
    const char *names[] = { "A: ", "A's border: ", "B: " };
    for (int i = 0; i < 3; ++i)
        if (!faults[i].isEmpty())
            return QLatin1String(names[i]) + faults[i];
    return {};
}

} // namespace vellumark::test
