#include "logic/page/fitcheck.h"

#include <cmath>

namespace vellumark {

namespace {

// Less than this is the paper's own tolerance, not a cut.
constexpr double kToleranceCm = 0.005;

// Rounded up, so that "0.1 cm" is never said of a cut one could see as more.
double upToMillimetre(double centimetres)
{
    return std::ceil(centimetres * 10.0 - 1e-6) / 10.0;
}

} // namespace

QList<CutOff> CutOffs(const CoverPlan &plan, const QSizeF &printableCm)
{
    QList<CutOff> cuts;
    for (qsizetype i = 0; i < plan.pictures.size(); ++i) {
        const QRectF rect = plan.pictures.at(i).rect.normalized();
        const std::pair<PageSide, double> beyond[] = {
            { PageSide::Left, -rect.left() },
            { PageSide::Top, -rect.top() },
            { PageSide::Right, rect.right() - printableCm.width() },
            { PageSide::Bottom, rect.bottom() - printableCm.height() },
        };
        for (const auto &[side, amount] : beyond) {
            if (std::isfinite(amount) && amount > kToleranceCm)
                cuts.append({ plan.covers.value(i), side, upToMillimetre(amount) });
        }
    }
    return cuts;
}

} // namespace vellumark
