#include "logic/page/leanplan.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <vector>

namespace vellumark {

namespace {

constexpr double kCentimetresPerInch = 2.54;

int pixelsFor(double centimetres, double pixelsPerInch)
{
    const double pixels = std::ceil(std::abs(centimetres) / kCentimetresPerInch * pixelsPerInch);
    return std::isfinite(pixels) ? int(std::clamp(pixels, 1.0, 1e6)) : 1;
}

// The pixels that print of a picture fitted to its cover: the picture is
// decoded at the scale its printed part needs, and that part cut out with
// whole pixels round it, so that its edges stay where they were.
void decodeFitted(PlacedPicture &placed, double pixelsPerInch)
{
    const QSize full = placed.picture.size();
    if (!placed.source.intersects(QRectF(QPointF(0, 0), QSizeF(full)))) {
        placed.picture = LoadedPicture(); // nothing of it shows
        return;
    }
    const double scaleX
        = std::min(1.0, pixelsFor(placed.target.width(), pixelsPerInch) / placed.source.width());
    const double scaleY
        = std::min(1.0, pixelsFor(placed.target.height(), pixelsPerInch) / placed.source.height());
    const auto scaled = [](int side, double scale) {
        return std::clamp(int(std::ceil(side * scale - 1e-9)), 1, side);
    };
    const QImage decoded = placed.picture.decoded(
        QSize(scaled(full.width(), scaleX), scaled(full.height(), scaleY)));
    if (decoded.isNull())
        return; // painted whole, as a plan that was not made lean
    const double px = double(decoded.width()) / full.width();
    const double py = double(decoded.height()) / full.height();
    const QRectF source(placed.source.x() * px, placed.source.y() * py, placed.source.width() * px,
                        placed.source.height() * py);
    const QRect part = source.toAlignedRect().intersected(decoded.rect());
    placed.pixels = part == decoded.rect() ? decoded : decoded.copy(part);
    placed.source = source.translated(-QPointF(part.topLeft()));
}

void decodeForPage(PlacedPicture &placed, double pixelsPerInch)
{
    if (placed.picture.isNull())
        return;
    if (placed.source.isEmpty()) {
        // Each axis on its own: the picture is stretched to its rectangle.
        const QSize full = placed.picture.size();
        placed.pixels = placed.picture.decoded(
            QSize(std::min(full.width(), pixelsFor(placed.rect.width(), pixelsPerInch)),
                  std::min(full.height(), pixelsFor(placed.rect.height(), pixelsPerInch))));
        return;
    }
    decodeFitted(placed, pixelsPerInch);
}

} // namespace

CoverPlan WithPrintResolution(CoverPlan plan, double pixelsPerInch)
{
    // Decoding is most of the work, and each picture's is its own.
    std::vector<std::future<void>> decodes;
    for (qsizetype i = 1; i < plan.pictures.size(); ++i) {
        PlacedPicture &placed = plan.pictures[i];
        decodes.push_back(std::async(std::launch::async, [&placed, pixelsPerInch] {
            decodeForPage(placed, pixelsPerInch);
        }));
    }
    if (!plan.pictures.isEmpty())
        decodeForPage(plan.pictures.first(), pixelsPerInch);
    for (std::future<void> &decode : decodes)
        decode.get();
    return plan;
}

} // namespace vellumark
