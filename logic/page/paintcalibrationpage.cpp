#include "logic/page/paintcalibrationpage.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace vellumark {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kLineWidth = 0.1;
constexpr double kCrossArm = 5.0;
constexpr double kCentimetreTick = 3.0;
constexpr double kHalfTick = 2.0;
constexpr double kMillimetreTick = 1.0;
constexpr double kTextHeight = 3.2;
constexpr double kTextLeft = 25.0;
constexpr double kTextTop = 30.0;

double tickLength(int millimetre)
{
    if (millimetre % 10 == 0)
        return kCentimetreTick;
    return millimetre % 5 == 0 ? kHalfTick : kMillimetreTick;
}

// Millimetres of the page to device pixels.
class Millimetres
{
public:
    explicit Millimetres(const QPaintDevice &device)
        : m_x(device.logicalDpiX() / kMillimetresPerInch)
        , m_y(device.logicalDpiY() / kMillimetresPerInch)
    { }
    QPointF operator()(double x, double y) const { return QPointF(x * m_x, y * m_y); }
    double x(double mm) const { return mm * m_x; }
    double y(double mm) const { return mm * m_y; }

private:
    double m_x;
    double m_y;
};

void paintRulers(QPainter &painter, const Millimetres &mm, const CalibrationLayout &layout)
{
    const double c = layout.cross;
    painter.drawLine(mm(c - kCrossArm, c), mm(c + layout.rulerX, c));
    painter.drawLine(mm(c, c - kCrossArm), mm(c, c + layout.rulerY));
    painter.drawEllipse(mm(c, c), mm.x(kCrossArm / 2), mm.y(kCrossArm / 2));

    const int lengthX = int(std::lround(layout.rulerX));
    const int lengthY = int(std::lround(layout.rulerY));
    for (int i = 1; i <= lengthX; ++i)
        painter.drawLine(mm(c + i, c), mm(c + i, c + tickLength(i)));
    for (int i = 1; i <= lengthY; ++i)
        painter.drawLine(mm(c, c + i), mm(c + tickLength(i), c + i));

    const double box = 2 * kTextHeight;
    for (int i = 10; i <= lengthX; i += 10) {
        const QRectF at(mm(c + i - box, c + kCentimetreTick + 0.5), mm(c + i + box, c + 4 + box));
        painter.drawText(at, Qt::AlignHCenter | Qt::AlignTop, QString::number(i / 10));
    }
    for (int i = 10; i <= lengthY; i += 10) {
        const QRectF at(mm(c + kCentimetreTick + 1, c + i - box), mm(c + 4 + 2 * box, c + i + box));
        painter.drawText(at, Qt::AlignLeft | Qt::AlignVCenter, QString::number(i / 10));
    }
}

} // namespace

void PaintCalibrationPage(QPainter &painter, const CalibrationPage &page)
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return;
    const Millimetres mm(*device);
    const CalibrationLayout layout = CalibrationLayoutFor(page.printer);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, mm.x(kLineWidth), Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(std::lround(mm.y(kTextHeight)))));
    painter.setFont(font);

    paintRulers(painter, mm, layout);

    // The text stands in the corner between the rulers, wrapped to the
    // printable area.
    const double right = std::max(kTextLeft + 20, page.printer.printable().width() - 5);
    double top = kTextTop;
    for (const QString &line : page.lines) {
        const QRectF room(mm(kTextLeft, top), mm(right, top + 60));
        QRectF used;
        painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line, &used);
        top += std::max(used.height() / mm.y(1.0), kTextHeight) + kTextHeight * 0.6;
    }
    painter.restore();
}

} // namespace vellumark
