#include "widgets/backgroundshape.h"

#include <QPainter>

namespace vellumark {

BackgroundShape::BackgroundShape(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Shape1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BackgroundShape::setFillStyle(int style)
{
    if (style < 0 || style > 7)
        return;
    m_fillStyle = style;
    update();
}

void BackgroundShape::setFillColor(const QColor &colour)
{
    m_fillColor = colour;
    update();
}

Qt::BrushStyle BackgroundShape::brushStyleFor(int fillStyle)
{
    // "Upward" lines rise from lower left to upper right, Qt's BDiagPattern;
    // "downward" lines fall from upper left to lower right, FDiagPattern.
    switch (fillStyle) {
    case 0:
        return Qt::SolidPattern;
    case 2:
        return Qt::HorPattern;
    case 3:
        return Qt::VerPattern;
    case 4:
        return Qt::BDiagPattern;
    case 5:
        return Qt::FDiagPattern;
    case 6:
        return Qt::CrossPattern;
    case 7:
        return Qt::DiagCrossPattern;
    default:
        return Qt::NoBrush;
    }
}

void BackgroundShape::paintEvent(QPaintEvent *)
{
    const Qt::BrushStyle style = brushStyleFor(m_fillStyle);
    if (style == Qt::NoBrush)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(m_fillColor, style));
}

int ColourNumber(const QColor &colour)
{
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

QColor ColourFromNumber(int number)
{
    return QColor(number & 0xff, (number >> 8) & 0xff, (number >> 16) & 0xff);
}

} // namespace vellumark
