#include "logic/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vellumark {

QImage ProgramIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The jewel case.
    p.setPen(QPen(QColor(40, 52, 80), 2));
    p.setBrush(QColor(70, 110, 170));
    p.drawRoundedRect(QRectF(4, 8, 40, 48), 3, 3);
    p.setBrush(QColor(235, 240, 250));
    p.drawRect(QRectF(9, 13, 30, 38));

    // The disc sliding out of it.
    QRadialGradient shine(QPointF(40, 30), 24);
    shine.setColorAt(0.0, QColor(250, 250, 255));
    shine.setColorAt(0.5, QColor(190, 205, 230));
    shine.setColorAt(1.0, QColor(150, 165, 200));
    p.setPen(QPen(QColor(60, 70, 95), 1.5));
    p.setBrush(shine);
    p.drawEllipse(QPointF(40, 32), 21, 21);
    p.setBrush(QColor(70, 110, 170));
    p.drawEllipse(QPointF(40, 32), 6, 6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(40, 32), 2.5, 2.5);
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

QCursor PictureCursor()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    // Pointing finger whose tip is at (14, 6).
    hand.moveTo(12, 6);
    hand.cubicTo(12, 3, 16, 3, 16, 6);
    hand.lineTo(16, 14);
    hand.cubicTo(17, 12, 20, 12, 20, 15);
    hand.cubicTo(21, 13, 24, 13, 24, 16);
    hand.cubicTo(25, 14, 28, 14, 28, 17);
    hand.lineTo(28, 23);
    hand.cubicTo(28, 27, 25, 30, 21, 30);
    hand.lineTo(16, 30);
    hand.cubicTo(13, 30, 11, 28, 9, 25);
    hand.lineTo(5, 19);
    hand.cubicTo(4, 17, 6, 15, 8, 17);
    hand.lineTo(12, 21);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.end();
    return QCursor(QPixmap::fromImage(image), 14, 6);
}

} // namespace vellumark
