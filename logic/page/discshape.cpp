#include "logic/page/discshape.h"

namespace vellumark {

QPainterPath DiscOutline(const QRectF &outer)
{
    QPainterPath path;
    path.addEllipse(outer.normalized());
    return path;
}

QPainterPath DiscHole(const QRectF &outer, const QSizeF &hole)
{
    QRectF rect(QPointF(0, 0), hole);
    rect.moveCenter(outer.normalized().center());
    QPainterPath path;
    path.addEllipse(rect);
    return path;
}

QPainterPath DiscRing(const QRectF &outer, const QSizeF &hole)
{
    const QRectF edge = outer.normalized();
    if (hole.width() <= 0 || hole.height() <= 0)
        return DiscOutline(edge);
    // A centred hole no wider nor taller than the outline lies within it:
    // the two ellipses filled odd-even are the ring, curves kept exact.
    if (hole.width() <= edge.width() && hole.height() <= edge.height()) {
        QPainterPath ring = DiscOutline(edge);
        ring.addPath(DiscHole(edge, hole));
        ring.setFillRule(Qt::OddEvenFill);
        return ring;
    }
    return DiscOutline(edge).subtracted(DiscHole(edge, hole));
}

} // namespace vellumark
