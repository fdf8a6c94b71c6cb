#include "print/pageorigin.h"

#include <QPainter>
#include <QPrinter>

namespace vellumark {

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

QMarginsF PrintableMargins(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF sheet = layout.minimumMargins();
    if (layout.orientation() != QPageLayout::Landscape)
        return sheet;
    return QMarginsF(sheet.bottom(), sheet.left(), sheet.top(), sheet.right());
}

QPageLayout PrintablePageLayout(const QPrinter &printer)
{
    const QPageLayout chosen = printer.pageLayout();
    return QPageLayout(chosen.pageSize(), chosen.orientation(), PrintableMargins(printer),
                       QPageLayout::Millimeter);
}

bool BeginAtPageOrigin(QPainter &painter, QPrinter &printer)
{
    // The whole sheet is the device; the printable area's corner is then
    // placed by hand, since Qt would refuse margins smaller than the
    // upright sheet's on a landscape page.
    printer.setFullPage(true);
    if (!painter.begin(&printer))
        return false;
    const QMarginsF margins = PrintableMargins(printer);
    painter.translate(margins.left() * printer.logicalDpiX() / kMillimetresPerInch,
                      margins.top() * printer.logicalDpiY() / kMillimetresPerInch);
    return true;
}

QSizeF PrintableSizeCm(const QPageLayout &layout)
{
    return layout.paintRect(QPageLayout::Millimeter).size() / 10.0;
}

} // namespace vellumark
