#pragma once

#include "logic/page/coverplan.h"

#include <QList>
#include <QSizeF>
#include <QString>

namespace vellumark {

enum class PageSide { Left, Top, Right, Bottom };

// A cover reaching beyond one side of the printable area: the printer
// cuts that much off.
struct CutOff
{
    QString cover; // "A", "B" or "DVD"
    PageSide side = PageSide::Right;
    double centimetres = 0; // rounded up to the millimetre
};

// Every side of every cover of the plan that lies beyond a printable area
// of the given size (in cm, the page's origin at its corner), in painting
// order and then left, top, right, bottom. Empty when everything fits.
QList<CutOff> CutOffs(const CoverPlan &plan, const QSizeF &printableCm);

} // namespace vellumark
