#include "logic/page/paintcoverplan.h"

#include "logic/page/discshape.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vellumark {

namespace {

constexpr double kCentimetresPerInch = 2.54;

bool isFinite(const QRectF &rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
        && std::isfinite(rect.height());
}

// A label's picture shows on its ring, which the bleed grows past its
// edge and into its hole.
QPainterPath printedRing(const PlacedPicture &placed, double bleed)
{
    const QRectF outer = placed.rect.normalized().adjusted(-bleed, -bleed, bleed, bleed);
    const double hole = std::max(0.0, placed.holeCm - 2 * bleed);
    return DiscRing(outer, QSizeF(hole, hole));
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
    const QTransform cmToDevice = QTransform::fromScale(perCmX, perCmY) * toDevice;
    for (const PlacedPicture &placed : plan.pictures) {
        const QRectF deviceRect = cmToDevice.mapRect(placed.rect.normalized());
        if (!isFinite(deviceRect))
            continue; // no geometry a painter could take
        // A plan not made lean for the page paints the whole picture.
        const QImage pixels = placed.pixels.isNull() && !placed.picture.isNull()
            ? placed.picture.decoded(placed.picture.size())
            : placed.pixels;
        const bool painted = !pixels.isNull() && !deviceRect.isEmpty();
        if (painted && placed.disc)
            painter.setClipPath(cmToDevice.map(printedRing(placed, plan.bleedCm)));
        if (painted && placed.source.isEmpty()) {
            painter.drawImage(deviceRect, pixels);
        } else if (painted) {
            const QRectF target = cmToDevice.mapRect(placed.target);
            QPainterPath area;
            area.addRect(target);
            if (!placed.paintArea.isEmpty())
                area = area.intersected(cmToDevice.map(placed.paintArea));
            // Whole pixels of the picture, the target grown to match and
            // clipped back: a PDF takes no part of a pixel, and would
            // otherwise paint the part short of its target.
            const QRect whole = placed.source.toAlignedRect().intersected(pixels.rect());
            const double perPixelX = target.width() / placed.source.width();
            const double perPixelY = target.height() / placed.source.height();
            const QRectF grown(target.x() - (placed.source.x() - whole.x()) * perPixelX,
                               target.y() - (placed.source.y() - whole.y()) * perPixelY,
                               whole.width() * perPixelX, whole.height() * perPixelY);
            if (isFinite(grown) && !whole.isEmpty()) {
                // Within a label's ring: intersected by the painter, which
                // keeps its curves exact on paper.
                painter.setClipPath(area,
                                    painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
                painter.drawImage(grown, pixels, QRectF(whole));
            }
        }
        painter.setClipping(false);
        if (!placed.border)
            continue;
        // Only the border's outer half shows round a picture, whatever part
        // of the cover the picture fills and however far it bleeds: for a
        // label, outside its edge and inside its hole.
        const QPainterPath hole = placed.disc
            ? cmToDevice.map(DiscHole(placed.rect, QSizeF(placed.holeCm, placed.holeCm)))
            : QPainterPath();
        const QPainterPath outline
            = placed.disc ? cmToDevice.map(DiscOutline(placed.rect)) : QPainterPath();
        if (painted) {
            QPainterPath outside;
            outside.addRect(deviceRect.adjusted(-plan.borderWidth, -plan.borderWidth,
                                                plan.borderWidth, plan.borderWidth));
            if (placed.disc) {
                // Nested: odd-even keeps all but the ring.
                outside.addPath(outline);
                outside.addPath(hole);
                outside.setFillRule(Qt::OddEvenFill);
                painter.setClipPath(outside);
            } else {
                QPainterPath inside;
                inside.addRect(deviceRect);
                painter.setClipPath(outside.subtracted(inside));
            }
        }
        if (placed.disc) {
            painter.drawPath(outline);
            painter.drawPath(hole);
        } else {
            painter.drawRect(deviceRect);
        }
        painter.setClipping(false);
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
