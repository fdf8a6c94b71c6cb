#include "logic/coverplan.h"

#include "logic/numbertext.h"

#include <algorithm>
#include <cmath>

namespace vellumark {

namespace {

// A line wider than this (some 8 cm at 300 dpi) is a typing slip, not a border.
constexpr int kWidestBorder = 1000;

double centimetres(const QString &text)
{
    const double value = ReadNumber(text);
    if (std::isnan(value))
        return 0.0;
    return std::clamp(value, -kPageReachCm, kPageReachCm);
}

PlacedPicture placeSlot(const SlotInput &slot)
{
    PlacedPicture placed;
    placed.rect = QRectF(centimetres(slot.left), centimetres(slot.top), centimetres(slot.width),
                         centimetres(slot.height));
    placed.border = slot.border;
    placed.picture = slot.picture;
    return placed;
}

} // namespace

int BorderWidthFromText(QStringView text)
{
    return std::clamp(RoundHalfEven(ReadNumber(text)), 1, kWidestBorder);
}

CoverPlan BuildCoverPlan(const CoverPlanInput &input)
{
    CoverPlan plan;
    plan.dvdMode = input.dvdMode;
    plan.borderWidth = BorderWidthFromText(input.borderWidth);

    if (input.dvdMode) {
        // The two DVD formats are fixed: the slots play no part.
        const QRectF rect
            = input.dvdFullCase ? QRectF(1.0, 1.0, 18.3, 27.2) : QRectF(1.0, 1.0, 13.1, 18.3);
        plan.pictures.append({ rect, true, input.dvdPicture });
        plan.covers.append(QStringLiteral("DVD"));
        return plan;
    }

    if (input.selection != PrintSelection::SlotB) {
        plan.pictures.append(placeSlot(input.slotA));
        plan.covers.append(QStringLiteral("A"));
    }
    if (input.selection != PrintSelection::SlotA) {
        plan.pictures.append(placeSlot(input.slotB));
        plan.covers.append(QStringLiteral("B"));
    }
    return plan;
}

} // namespace vellumark
