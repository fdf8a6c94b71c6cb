#include "logic/page/leanplan.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <system_error>
#include <vector>

namespace vellumark {

namespace {

constexpr double kCentimetresPerInch = 2.54;

int pixelsFor(double centimetres, double pixelsPerInch)
{
    const double pixels = std::ceil(std::abs(centimetres) / kCentimetresPerInch * pixelsPerInch);
    return std::isfinite(pixels) ? int(std::clamp(pixels, 1.0, 1e6)) : 1;
}

// The pixels that print of a picture fitted to its cover: only its part
// that shows, with whole pixels round it so that its edges stay where they
// were, decoded at the scale its printed size needs.
void decodeFitted(PlacedPicture &placed, double pixelsPerInch)
{
    const QRect kept
        = placed.source.toAlignedRect().intersected(QRect(QPoint(0, 0), placed.picture.size()));
    if (kept.isEmpty()) {
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
    const QImage part = placed.picture.decoded(
        kept, QSize(scaled(kept.width(), scaleX), scaled(kept.height(), scaleY)));
    if (part.isNull())
        return; // painted whole, as a plan that was not made lean
    const double px = double(part.width()) / kept.width();
    const double py = double(part.height()) / kept.height();
    const QRectF source = placed.source.translated(-QPointF(kept.topLeft()));
    placed.pixels = part;
    placed.source
        = QRectF(source.x() * px, source.y() * py, source.width() * px, source.height() * py);
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
        const auto decode = [&placed, pixelsPerInch] { decodeForPage(placed, pixelsPerInch); };
        try {
            decodes.push_back(std::async(std::launch::async, decode));
        } catch (const std::system_error &) {
            decode(); // no thread to be had: one after the other
        }
    }
    if (!plan.pictures.isEmpty())
        decodeForPage(plan.pictures.first(), pixelsPerInch);
    for (std::future<void> &decode : decodes)
        decode.get();
    return plan;
}

} // namespace vellumark
