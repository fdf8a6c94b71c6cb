#include "logic/page/picturefit.h"

#include <algorithm>
#include <cmath>

namespace vellumark {

namespace {

bool usable(const QSizeF &size)
{
    return std::isfinite(size.width()) && std::isfinite(size.height()) && size.width() > 0
        && size.height() > 0;
}

// The part of the picture a fill shows at zoom 1: the target's shape, as
// large as the picture holds.
QSizeF wholeCrop(const QSizeF &picture, const QSizeF &target)
{
    const double shape = target.width() / target.height();
    if (picture.width() / picture.height() > shape)
        return QSizeF(picture.height() * shape, picture.height());
    return QSizeF(picture.width(), picture.width() / shape);
}

double clampedZoom(double zoom)
{
    return std::isfinite(zoom) ? std::clamp(zoom, kLeastZoom, kMostZoom) : kLeastZoom;
}

QRectF cropRect(const QSizeF &picture, const QSizeF &target, const PictureCrop &crop)
{
    const QSizeF size = wholeCrop(picture, target) / clampedZoom(crop.zoom);
    const double half_w = size.width() / 2, half_h = size.height() / 2;
    const double cx = std::isfinite(crop.centre.x()) ? crop.centre.x() * picture.width() : 0;
    const double cy = std::isfinite(crop.centre.y()) ? crop.centre.y() * picture.height() : 0;
    const QPointF centre(std::clamp(cx, half_w, picture.width() - half_w),
                         std::clamp(cy, half_h, picture.height() - half_h));
    return QRectF(centre.x() - half_w, centre.y() - half_h, size.width(), size.height());
}

PictureCrop cropOf(const QSizeF &picture, const QRectF &source, double zoom)
{
    return {
        zoom, QPointF(source.center().x() / picture.width(), source.center().y() / picture.height())
    };
}

} // namespace

FitMode FitModeFromText(QStringView text)
{
    if (text == u"1")
        return FitMode::Fill;
    if (text == u"2")
        return FitMode::Fit;
    return FitMode::Stretch;
}

QString FitModeText(FitMode mode)
{
    return QString::number(int(mode));
}

FittedPicture FitPicture(const QSizeF &picture, const QRectF &target, const PictureFit &fit)
{
    const QRectF whole(QPointF(0, 0), picture);
    if (!usable(picture) || !usable(target.size()))
        return { whole, target };
    switch (fit.mode) {
    case FitMode::Stretch:
        break;
    case FitMode::Fill:
        return { cropRect(picture, target.size(), fit.crop), target };
    case FitMode::Fit: {
        const double scale
            = std::min(target.width() / picture.width(), target.height() / picture.height());
        const QSizeF size = picture * scale;
        QRectF placed(QPointF(0, 0), size);
        placed.moveCenter(target.center());
        return { whole, placed };
    }
    }
    return { whole, target };
}

PictureCrop KeptInside(const QSizeF &picture, const QSizeF &target, PictureCrop crop)
{
    if (!usable(picture) || !usable(target))
        return {};
    const double zoom = clampedZoom(crop.zoom);
    return cropOf(picture, cropRect(picture, target, crop), zoom);
}

PictureCrop Dragged(const QSizeF &picture, const QSizeF &target, PictureCrop crop, QPointF delta)
{
    if (!usable(picture) || !usable(target))
        return {};
    QRectF source = cropRect(picture, target, crop);
    const double perUnit = source.width() / target.width();
    source.translate(-delta * perUnit);
    return KeptInside(picture, target, cropOf(picture, source, crop.zoom));
}

PictureCrop Zoomed(const QSizeF &picture, const QSizeF &target, PictureCrop crop, double factor,
                   QPointF about)
{
    if (!usable(picture) || !usable(target))
        return {};
    const QRectF before = cropRect(picture, target, crop);
    const QPointF fixed = before.topLeft() + about * (before.width() / target.width());
    const double zoom = clampedZoom(clampedZoom(crop.zoom) * factor);
    const QSizeF size = wholeCrop(picture, target) / zoom;
    const QPointF topLeft = fixed - about * (size.width() / target.width());
    return KeptInside(picture, target, cropOf(picture, QRectF(topLeft, size), zoom));
}

} // namespace vellumark
