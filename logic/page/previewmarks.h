#pragma once

#include "logic/page/coverplan.h"

#include <QSizeF>

class QPainter;

namespace vellumark {

// What only the screen shows over a page painted by PaintCoverPlan: the
// printable area's edge as a thin dashed line, every part of a cover that
// lies outside it hatched, since the printer will cut it off, the borders
// and cut marks at least one screen pixel wide, and with a bleed each
// cover's cut line, thin and dashed. Same
// painter and units as PaintCoverPlan; printableCm is the area's size.
void PaintPreviewMarks(QPainter &painter, const CoverPlan &plan, const QSizeF &printableCm);

} // namespace vellumark
