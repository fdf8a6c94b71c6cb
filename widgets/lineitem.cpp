#include "widgets/lineitem.h"

#include "logic/twips.h"

#include <QPainter>

namespace vellumark {

LineItem::LineItem(const QString &name, int x1, int y1, int x2, int y2, QColor colour,
                   QWidget *parent)
    : QWidget(parent)
    , m_x1(x1)
    , m_y1(y1)
    , m_x2(x2)
    , m_y2(y2)
    , m_colour(colour)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void LineItem::setX1(int twips)
{
    m_x1 = twips;
    place();
}

void LineItem::setY1(int twips)
{
    m_y1 = twips;
    place();
}

void LineItem::setX2(int twips)
{
    m_x2 = twips;
    place();
}

void LineItem::setY2(int twips)
{
    m_y2 = twips;
    place();
}

void LineItem::place()
{
    const int left = TwipsToPixels(std::min(m_x1, m_x2));
    const int top = TwipsToPixels(std::min(m_y1, m_y2));
    const int right = TwipsToPixels(std::max(m_x1, m_x2));
    const int bottom = TwipsToPixels(std::max(m_y1, m_y2));
    setGeometry(left, top, right - left + 1, bottom - top + 1);
    update();
}

void LineItem::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_colour, 0));
    const QPoint from(TwipsToPixels(m_x1) - x(), TwipsToPixels(m_y1) - y());
    const QPoint to(TwipsToPixels(m_x2) - x(), TwipsToPixels(m_y2) - y());
    painter.drawLine(from, to);
}

} // namespace vellumark
