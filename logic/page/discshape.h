#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QSizeF>

namespace vellumark {

// A disc label's outer edge: the ellipse inscribed in its rectangle, a
// circle when the rectangle is square.
QPainterPath DiscOutline(const QRectF &outer);
// The centre hole, of the given size, in the middle of the rectangle.
QPainterPath DiscHole(const QRectF &outer, const QSizeF &hole);
// What a disc label prints on: the outline less the hole.
QPainterPath DiscRing(const QRectF &outer, const QSizeF &hole);

} // namespace vellumark
