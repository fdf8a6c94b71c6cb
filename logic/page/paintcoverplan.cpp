#include "logic/page/paintcoverplan.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace vellumark {

namespace {

constexpr double kCentimetresPerInch = 2.54;

bool isFinite(const QRectF &rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
        && std::isfinite(rect.height());
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
        const bool painted = !placed.picture.isNull() && !deviceRect.isEmpty();
        if (painted && placed.source.isEmpty()) {
            painter.drawImage(deviceRect, placed.picture);
        } else if (painted) {
            const QRectF target = cmToDevice.mapRect(placed.target);
            QPainterPath area;
            area.addRect(target);
            if (!placed.paintArea.isEmpty())
                area = area.intersected(cmToDevice.map(placed.paintArea));
            // Whole pixels of the picture, the target grown to match and
            // clipped back: a PDF takes no part of a pixel, and would
            // otherwise paint the part short of its target.
            const QRect whole = placed.source.toAlignedRect().intersected(placed.picture.rect());
            const double perPixelX = target.width() / placed.source.width();
            const double perPixelY = target.height() / placed.source.height();
            const QRectF grown(target.x() - (placed.source.x() - whole.x()) * perPixelX,
                               target.y() - (placed.source.y() - whole.y()) * perPixelY,
                               whole.width() * perPixelX, whole.height() * perPixelY);
            if (isFinite(grown) && !whole.isEmpty()) {
                painter.setClipPath(area);
                painter.drawImage(grown, placed.picture, QRectF(whole));
                painter.setClipping(false);
            }
        }
        if (!placed.border)
            continue;
        // Only the border's outer half shows round a picture, whatever part
        // of the cover the picture fills and however far it bleeds.
        if (painted) {
            QPainterPath outside;
            outside.addRect(deviceRect.adjusted(-plan.borderWidth, -plan.borderWidth,
                                                plan.borderWidth, plan.borderWidth));
            QPainterPath inside;
            inside.addRect(deviceRect);
            painter.setClipPath(outside.subtracted(inside));
        }
        painter.drawRect(deviceRect);
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
