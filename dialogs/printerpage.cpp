#include "dialogs/printerpage.h"

#include <QPageLayout>
#include <QPrinter>

namespace vellumark {

PrinterPage DescribePrinter(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    // The minimum margins are what the printer itself cannot reach.
    layout.setUnits(QPageLayout::Millimeter);
    PrinterPage page;
    page.printerName = printer.printerName();
    page.paperName = layout.pageSize().name();
    page.paper = layout.fullRect(QPageLayout::Millimeter).size();
    page.margins = layout.minimumMargins();
    return page;
}

} // namespace vellumark
