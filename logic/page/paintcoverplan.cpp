#include "logic/page/paintcoverplan.h"

#include "logic/page/discshape.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace vellumark {

namespace {

constexpr double kCentimetresPerInch = 2.54;

bool isFinite(const QRectF &rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
        && std::isfinite(rect.height());
}

// A disc label's border is its two edges, the cut guides.
void drawDiscEdges(QPainter &painter, const QRectF &rect, const QSizeF &hole,
                   const QTransform &toDevice)
{
    painter.drawPath(toDevice.map(DiscOutline(rect)));
    painter.drawPath(toDevice.map(DiscHole(rect, hole)));
}

// Its picture shows only on the ring between them.
void clipToRing(QPainter &painter, const QRectF &rect, const QSizeF &hole,
                const QTransform &toDevice)
{
    painter.setClipPath(toDevice.map(DiscRing(rect, hole)),
                        painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

} // namespace

void PaintCoverPlan(QPainter &painter, const CoverPlan &plan)
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return;
    const double perCmX = device->logicalDpiX() / kCentimetresPerInch;
    const double perCmY = device->logicalDpiY() / kCentimetresPerInch;

    painter.save();
    // Geometry goes through the painter's transform; the drawing itself is
    // in plain device pixels, so a scaled page keeps its lines' widths.
    const QTransform toDevice = painter.worldTransform();
    painter.resetTransform();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(QPen(Qt::black, plan.borderWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    for (const PlacedPicture &placed : plan.pictures) {
        const QRectF rect = QRectF(placed.rect.x() * perCmX, placed.rect.y() * perCmY,
                                   placed.rect.width() * perCmX, placed.rect.height() * perCmY)
                                .normalized();
        const QRectF deviceRect = toDevice.mapRect(rect);
        if (!isFinite(deviceRect))
            continue; // no geometry a painter could take
        const QSizeF hole(placed.holeCm * perCmX, placed.holeCm * perCmY);
        if (placed.border) {
            if (placed.disc)
                drawDiscEdges(painter, rect, hole, toDevice);
            else
                painter.drawRect(deviceRect);
        }
        if (!placed.picture.isNull() && !deviceRect.isEmpty()) {
            painter.save();
            if (placed.disc)
                clipToRing(painter, rect, hole, toDevice);
            painter.drawImage(deviceRect, placed.picture);
            painter.restore();
        }
    }
    painter.setPen(QPen(Qt::black, kCutMarkWidthCm * perCmX, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF &mark : plan.cutMarks) {
        const QLineF line = toDevice.map(
            QLineF(mark.x1() * perCmX, mark.y1() * perCmY, mark.x2() * perCmX, mark.y2() * perCmY));
        if (std::isfinite(line.x1()) && std::isfinite(line.y1()) && std::isfinite(line.x2())
            && std::isfinite(line.y2()))
            painter.drawLine(line);
    }
    painter.restore();
}

} // namespace vellumark
