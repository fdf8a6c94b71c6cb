#include "logic/page/previewmarks.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace vellumark {

namespace {

constexpr double kCentimetresPerInch = 2.54;
constexpr double kHatchSpacingCm = 0.25;
const QColor kEdgeColour(0, 90, 200);
const QColor kHatchColour(180, 0, 90);
const QColor kCutLineColour(0, 160, 0);

} // namespace

void PaintPreviewMarks(QPainter &painter, const CoverPlan &plan, const QSizeF &printableCm)
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return;
    const double perCmX = device->logicalDpiX() / kCentimetresPerInch;
    const double perCmY = device->logicalDpiY() / kCentimetresPerInch;
    auto toDevice = [&](const QRectF &cm) {
        return QRectF(cm.x() * perCmX, cm.y() * perCmY, cm.width() * perCmX, cm.height() * perCmY)
            .normalized();
    };
    const QRectF printable = toDevice(QRectF(QPointF(0, 0), printableCm));

    QPainterPath covers;
    for (const PlacedPicture &placed : plan.pictures) {
        const QRectF rect = toDevice(placed.rect);
        if (std::isfinite(rect.width()) && std::isfinite(rect.height()) && !rect.isEmpty())
            covers.addRect(rect);
    }
    QPainterPath printablePath;
    printablePath.addRect(printable);
    const QPainterPath cut = covers.simplified().subtracted(printablePath);

    painter.save();
    // Crisp cosmetic pens: the same few screen pixels at any zoom.
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen hatchPen(kHatchColour, 2.0);
    hatchPen.setCosmetic(true);
    painter.setPen(hatchPen);
    if (!cut.isEmpty()) {
        painter.setClipPath(cut);
        const QRectF area = cut.boundingRect();
        const double step = kHatchSpacingCm * perCmX;
        for (double x = area.left() - area.height(); x < area.right(); x += step)
            painter.drawLine(QPointF(x, area.bottom()), QPointF(x + area.height(), area.top()));
        painter.setClipping(false);
    }
    // Borders and cut marks thinner than a screen pixel would vanish at
    // the zoom that shows the whole page: drawn once more a pixel wide.
    QPen linePen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap);
    linePen.setCosmetic(true);
    painter.setPen(linePen);
    painter.setBrush(Qt::NoBrush);
    for (const PlacedPicture &placed : plan.pictures) {
        const QRectF rect = toDevice(placed.rect);
        if (placed.border && std::isfinite(rect.width()) && std::isfinite(rect.height()))
            painter.drawRect(rect);
    }
    for (const QLineF &mark : plan.cutMarks) {
        const QLineF line(mark.x1() * perCmX, mark.y1() * perCmY, mark.x2() * perCmX,
                          mark.y2() * perCmY);
        if (std::isfinite(line.length()))
            painter.drawLine(line);
    }
    QPen edgePen(kEdgeColour, 1.0, Qt::DashLine);
    edgePen.setCosmetic(true);
    painter.setPen(edgePen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(printable);
    // With a bleed the pictures run past the covers: where to cut shows.
    if (plan.bleedCm > 0) {
        QPen cutPen(kCutLineColour, 1.0, Qt::DashLine);
        cutPen.setCosmetic(true);
        painter.setPen(cutPen);
        for (const PlacedPicture &placed : plan.pictures) {
            const QRectF rect = toDevice(placed.rect);
            if (std::isfinite(rect.width()) && std::isfinite(rect.height()))
                painter.drawRect(rect);
        }
    }
    painter.restore();
}

} // namespace vellumark
