#include "logic/paintcoverplan.h"

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

} // namespace

void PaintCoverPlan(QPainter &painter, const CoverPlan &plan)
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return;
    const double perCmX = device->logicalDpiX() / kCentimetresPerInch;
    const double perCmY = device->logicalDpiY() / kCentimetresPerInch;

    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(QPen(Qt::black, plan.borderWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    for (const PlacedPicture &placed : plan.pictures) {
        const QRectF rect = QRectF(placed.rect.x() * perCmX, placed.rect.y() * perCmY,
                                   placed.rect.width() * perCmX, placed.rect.height() * perCmY)
                                .normalized();
        if (!isFinite(rect))
            continue; // no geometry a painter could take
        if (placed.border)
            painter.drawRect(rect);
        if (!placed.picture.isNull() && !rect.isEmpty())
            painter.drawImage(rect, placed.picture);
    }
    painter.restore();
}

} // namespace vellumark
