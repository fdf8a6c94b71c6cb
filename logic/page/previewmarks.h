#pragma once

#include "logic/page/coverplan.h"

#include <QSizeF>

class QPainter;

namespace vellumark {

// What only the screen shows over a page painted by PaintCoverPlan: the
// printable area's edge as a thin dashed line, and every part of a cover
// that lies outside it hatched, since the printer will cut it off; with a
// bleed, each cover's cut line as a thin dashed line too. Same
// painter and units as PaintCoverPlan; printableCm is the area's size.
void PaintPreviewMarks(QPainter &painter, const CoverPlan &plan, const QSizeF &printableCm);

} // namespace vellumark
