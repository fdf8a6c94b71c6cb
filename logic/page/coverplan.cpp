#include "logic/page/coverplan.h"

#include "logic/numbertext.h"
#include "logic/settings/bleedwidth.h"

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
    placed.rect = SlotRect(slot);
    placed.border = slot.border;
    placed.picture = slot.picture;
    return placed;
}

// Each picture fitted to its cover grown by the bleed; the bleed stops
// where another cover of the page begins.
void fitPictures(QList<PlacedPicture> &pictures, const QList<PictureFit> &fits, double bleed)
{
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        PlacedPicture &placed = pictures[i];
        const QRectF cover = placed.rect.normalized();
        const QRectF painted = cover.adjusted(-bleed, -bleed, bleed, bleed);
        const FittedPicture fitted = FitPicture(placed.picture.size(), painted, fits.value(i));
        placed.source = fitted.source;
        placed.target = fitted.target;
        if (bleed <= 0)
            continue;
        QPainterPath others;
        for (qsizetype j = 0; j < pictures.size(); ++j) {
            if (j != i)
                others.addRect(pictures[j].rect.normalized());
        }
        QPainterPath own;
        own.addRect(cover);
        QPainterPath area;
        area.addRect(painted);
        placed.paintArea = area.subtracted(others).united(own);
    }
}

// Cut marks prolong each edge of a cover past its corners, from a gap away.
constexpr double kCutMarkGapCm = 0.1;
constexpr double kCutMarkLengthCm = 0.4;

QList<QLineF> cutMarksOf(const QRectF &cover, double bleed)
{
    const double near = bleed + kCutMarkGapCm;
    const double far = near + kCutMarkLengthCm;
    QList<QLineF> marks;
    for (const double y : { cover.top(), cover.bottom() }) {
        marks.append(QLineF(cover.left() - far, y, cover.left() - near, y));
        marks.append(QLineF(cover.right() + near, y, cover.right() + far, y));
    }
    for (const double x : { cover.left(), cover.right() }) {
        marks.append(QLineF(x, cover.top() - far, x, cover.top() - near));
        marks.append(QLineF(x, cover.bottom() + near, x, cover.bottom() + far));
    }
    return marks;
}

// The marks of every cover, less those that would be printed on another.
QList<QLineF> cutMarksOf(const QList<PlacedPicture> &covers, double bleed)
{
    QList<QLineF> marks;
    for (qsizetype i = 0; i < covers.size(); ++i) {
        const QRectF cover = covers[i].rect.normalized();
        for (const QLineF &mark : cutMarksOf(cover, bleed)) {
            const QRectF inked = QRectF(mark.p1(), mark.p2())
                                     .normalized()
                                     .adjusted(-kCutMarkWidthCm / 2, -kCutMarkWidthCm / 2,
                                               kCutMarkWidthCm / 2, kCutMarkWidthCm / 2);
            const bool onAnother
                = std::any_of(covers.begin(), covers.end(), [&](const auto &other) {
                      return &other != &covers[i] && other.rect.normalized().intersects(inked);
                  });
            if (!onAnother)
                marks.append(mark);
        }
    }
    return marks;
}

} // namespace

QRectF SlotRect(const SlotInput &slot)
{
    return QRectF(centimetres(slot.left), centimetres(slot.top), centimetres(slot.width),
                  centimetres(slot.height));
}

QRectF DvdRect(bool fullCase)
{
    // The two DVD formats are fixed: the slots play no part.
    return fullCase ? QRectF(1.0, 1.0, 18.3, 27.2) : QRectF(1.0, 1.0, 13.1, 18.3);
}

int BorderWidthFromText(QStringView text)
{
    return std::clamp(RoundHalfEven(ReadNumber(text)), 1, kWidestBorder);
}

CoverPlan BuildCoverPlan(const CoverPlanInput &input)
{
    CoverPlan plan;
    plan.dvdMode = input.dvdMode;
    plan.borderWidth = BorderWidthFromText(input.borderWidth);
    plan.bleedCm = BleedCentimetres(input.bleed);

    if (input.dvdMode) {
        plan.pictures.append({ DvdRect(input.dvdFullCase), true, input.dvdPicture, {}, {}, {} });
        plan.covers.append(QStringLiteral("DVD"));
        fitPictures(plan.pictures, { input.dvdFit }, plan.bleedCm);
        if (input.cutMarks)
            plan.cutMarks = cutMarksOf(plan.pictures, plan.bleedCm);
        return plan;
    }

    QList<PictureFit> fits;
    if (input.selection != PrintSelection::SlotB) {
        plan.pictures.append(placeSlot(input.slotA));
        plan.covers.append(QStringLiteral("A"));
        fits.append(input.fitA);
    }
    if (input.selection != PrintSelection::SlotA) {
        plan.pictures.append(placeSlot(input.slotB));
        plan.covers.append(QStringLiteral("B"));
        fits.append(input.fitB);
    }
    fitPictures(plan.pictures, fits, plan.bleedCm);
    if (input.cutMarks)
        plan.cutMarks = cutMarksOf(plan.pictures, plan.bleedCm);
    return plan;
}

} // namespace vellumark
