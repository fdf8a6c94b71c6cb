#include "dialogs/dialogartwork.h"

#include <QPainter>
#include <QPainterPath>

namespace vellumark {

namespace {

constexpr int Side = 32;

QImage blankPicture()
{
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage padlock(bool open)
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The shackle: lifted and swung aside when open.
    p.setPen(QPen(QColor(90, 90, 100), 3.5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    const qreal lift = open ? 6 : 0;
    const qreal left = open ? 16 : 9;
    shackle.moveTo(left, 16 - lift);
    shackle.lineTo(left, 10 - lift);
    shackle.arcTo(QRectF(left, 3 - lift, 14, 14), 180, -180);
    shackle.lineTo(left + 14, open ? 16 - lift : 16);
    p.drawPath(shackle);

    // The body with its keyhole.
    QLinearGradient metal(0, 15, 0, 30);
    const QColor face = open ? QColor(80, 170, 80) : QColor(210, 160, 40);
    metal.setColorAt(0, face.lighter(130));
    metal.setColorAt(1, face.darker(130));
    p.setPen(QPen(face.darker(180), 1));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(5, 15, 22, 15), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(16, 21), 2.2, 2.2);
    p.drawRect(QRectF(15.2, 21, 1.6, 5));
    return image;
}

QImage badge(const QColor &colour, const QString &letter)
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont font;
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, Side, Side), Qt::AlignCenter, letter);
    return image;
}

} // namespace

QImage ClosedPadlockPicture()
{
    return padlock(false);
}

QImage OpenPadlockPicture()
{
    return padlock(true);
}

QImage WebSitePicture()
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(QPointF(12, 11), 18);
    sea.setColorAt(0, QColor(120, 180, 240));
    sea.setColorAt(1, QColor(30, 90, 170));
    p.setPen(QPen(QColor(20, 60, 120), 1));
    p.setBrush(sea);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    // Meridians and parallels.
    p.setPen(QPen(QColor(230, 240, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 2, 12, 28));
    p.drawLine(QPointF(16, 2), QPointF(16, 30));
    p.drawLine(QPointF(2, 16), QPointF(30, 16));
    p.drawLine(QPointF(5, 9), QPointF(27, 9));
    p.drawLine(QPointF(5, 23), QPointF(27, 23));
    return image;
}

QImage SocialNetworkPicture(int index)
{
    switch (index) {
    case 0:
        return badge(QColor(59, 89, 152), QStringLiteral("f"));
    case 1:
        return badge(QColor(29, 161, 242), QStringLiteral("t"));
    default:
        return badge(QColor(200, 30, 30), QStringLiteral("\u25B6"));
    }
}

} // namespace vellumark
