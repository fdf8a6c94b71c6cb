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
        const QSize full = placed.picture.size();
        // Each axis on its own: the picture is stretched to its rectangle.
        const QSize lean(std::min(full.width(), pixelsFor(placed.rect.width(), pixelsPerInch)),
                         std::min(full.height(), pixelsFor(placed.rect.height(), pixelsPerInch)));
        if (lean != full)
            placed.picture
                = placed.picture.scaled(lean, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return plan;
}

} // namespace vellumark
