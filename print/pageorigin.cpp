#include "print/pageorigin.h"

#include <QPrinter>

namespace vellumark {

QPageLayout PrintablePageLayout(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    return layout;
}

void PreparePageOrigin(QPrinter &printer)
{
    printer.setFullPage(false);
    const QPageLayout layout = PrintablePageLayout(printer);
    printer.setPageMargins(layout.margins(), layout.units());
}

QSizeF PrintableSizeCm(const QPageLayout &layout)
{
    return layout.paintRect(QPageLayout::Millimeter).size() / 10.0;
}

} // namespace vellumark
