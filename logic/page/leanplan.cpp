#include "logic/page/leanplan.h"

#include <algorithm>
#include <cmath>

namespace vellumark {

namespace {

constexpr double kCentimetresPerInch = 2.54;

int pixelsFor(double centimetres, double pixelsPerInch)
{
    const double pixels = std::ceil(std::abs(centimetres) / kCentimetresPerInch * pixelsPerInch);
    return std::isfinite(pixels) ? int(std::clamp(pixels, 1.0, 1e6)) : 1;
}

} // namespace

CoverPlan WithPrintResolution(CoverPlan plan, double pixelsPerInch)
{
    for (PlacedPicture &placed : plan.pictures) {
        if (placed.picture.isNull())
            continue;
        if (placed.source.isEmpty()) {
            const QSize full = placed.picture.size();
            // Each axis on its own: the picture is stretched to its rectangle.
            const QSize lean(
                std::min(full.width(), pixelsFor(placed.rect.width(), pixelsPerInch)),
                std::min(full.height(), pixelsFor(placed.rect.height(), pixelsPerInch)));
            if (lean != full)
                placed.picture
                    = placed.picture.scaled(lean, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            continue;
        }
        // Only the part that prints travels, counted against the size it
        // prints at; whole pixels round it, so its edges stay as they were.
        const QRect kept = placed.source.toAlignedRect().intersected(placed.picture.rect());
        if (kept.isEmpty())
            continue;
        const double wanted_w = pixelsFor(placed.target.width(), pixelsPerInch) * kept.width()
            / placed.source.width();
        const double wanted_h = pixelsFor(placed.target.height(), pixelsPerInch) * kept.height()
            / placed.source.height();
        const QSize lean(std::min(kept.width(), int(std::ceil(std::min(wanted_w, 1e6)))),
                         std::min(kept.height(), int(std::ceil(std::min(wanted_h, 1e6)))));
        if (kept == placed.picture.rect() && lean == kept.size())
            continue;
        const double sx = double(lean.width()) / kept.width();
        const double sy = double(lean.height()) / kept.height();
        // A large part is scaled with the rest and then cut, which spares a
        // full-size copy of it; a small one is cut first.
        const bool cutFirst = 2.0 * kept.width() * kept.height()
            < double(placed.picture.width()) * placed.picture.height();
        const QImage from = cutFirst ? placed.picture.copy(kept) : placed.picture;
        const QPoint origin = cutFirst ? kept.topLeft() : QPoint(0, 0);
        const QImage scaled = lean == kept.size()
            ? from
            : from.scaled(std::max(1, int(std::lround(from.width() * sx))),
                          std::max(1, int(std::lround(from.height() * sy))), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
        const double px = double(scaled.width()) / from.width();
        const double py = double(scaled.height()) / from.height();
        const QRect part = QRect(QPoint(int(std::lround((kept.x() - origin.x()) * px)),
                                        int(std::lround((kept.y() - origin.y()) * py))),
                                 lean)
                               .intersected(scaled.rect());
        const QRectF source = placed.source.translated(-origin);
        placed.source = QRectF(source.x() * px - part.x(), source.y() * py - part.y(),
                               source.width() * px, source.height() * py);
        placed.picture = part == scaled.rect() ? scaled : scaled.copy(part);
    }
    return plan;
}

} // namespace vellumark
