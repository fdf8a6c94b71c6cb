#include "app/toolicons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vellumark {

namespace {

using Drawing = void (*)(QPainter &);

void drawArrow(QPainter &p, bool toRight)
{
    // Two small picture frames with an arrow from one to the other.
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(120, 160, 210));
    p.drawRect(QRectF(1.5, 5.5, 7, 7));
    p.drawRect(QRectF(15.5, 5.5, 7, 7));
    p.setPen(QPen(QColor(30, 120, 40), 2));
    QPainterPath arrow;
    if (toRight) {
        arrow.moveTo(4, 18);
        arrow.lineTo(19, 18);
        arrow.moveTo(16, 15);
        arrow.lineTo(19, 18);
        arrow.lineTo(16, 21);
    } else {
        arrow.moveTo(20, 18);
        arrow.lineTo(5, 18);
        arrow.moveTo(8, 15);
        arrow.lineTo(5, 18);
        arrow.lineTo(8, 21);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
}

void drawDvd(QPainter &p)
{
    p.setPen(QPen(QColor(40, 40, 60), 1));
    p.setBrush(QColor(60, 60, 80));
    p.drawRoundedRect(QRectF(4.5, 1.5, 15, 21), 1.5, 1.5);
    p.setBrush(QColor(200, 210, 230));
    p.drawEllipse(QPointF(12, 12), 5.5, 5.5);
    p.setBrush(QColor(60, 60, 80));
    p.drawEllipse(QPointF(12, 12), 1.5, 1.5);
}

void drawOptions(QPainter &p)
{
    p.setPen(QPen(QColor(70, 70, 70), 2));
    for (int row = 0; row < 3; ++row) {
        const double y = 6 + row * 6;
        p.drawLine(QPointF(3, y), QPointF(21, y));
    }
    p.setBrush(QColor(240, 200, 60));
    p.setPen(QPen(QColor(90, 70, 20), 1));
    p.drawEllipse(QPointF(8, 6), 2.5, 2.5);
    p.drawEllipse(QPointF(16, 12), 2.5, 2.5);
    p.drawEllipse(QPointF(10, 18), 2.5, 2.5);
}

void drawPicture(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(170, 210, 240));
    p.drawRect(QRectF(2.5, 4.5, 19, 15));
    p.setBrush(QColor(80, 150, 70));
    QPainterPath hills;
    hills.moveTo(3, 19);
    hills.lineTo(9, 11);
    hills.lineTo(13, 16);
    hills.lineTo(16, 13);
    hills.lineTo(21, 19);
    hills.closeSubpath();
    p.drawPath(hills);
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QPointF(17, 8), 2, 2);
}

void drawPrinter(QPainter &p)
{
    p.setPen(QPen(QColor(50, 50, 50), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(8, 17), QPointF(16, 17));
    p.drawLine(QPointF(8, 19), QPointF(14, 19));
}

Drawing drawingFor(const QString &id)
{
    if (id == u"left_to_right")
        return [](QPainter &p) { drawArrow(p, true); };
    if (id == u"right_to_left")
        return [](QPainter &p) { drawArrow(p, false); };
    if (id == u"ID_covers")
        return drawDvd;
    if (id == u"ID_Opzioni")
        return drawOptions;
    if (id == u"ID_Immagine")
        return drawPicture;
    if (id == u"ID_Print")
        return drawPrinter;
    return nullptr;
}

} // namespace

QIcon ToolIcon(const QString &id)
{
    const Drawing draw = drawingFor(id);
    if (!draw)
        return QIcon();
    QIcon icon;
    for (int scale : { 1, 2 }) {
        QImage image(24 * scale, 24 * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace vellumark
