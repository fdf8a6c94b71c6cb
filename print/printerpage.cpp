#include "print/printerpage.h"

#include "print/pageorigin.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

namespace vellumark {

PrinterPage DescribePrinter(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    PrinterPage page;
    page.printerName = printer.printerName();
    if (page.printerName.isEmpty()) // a PDF file: named by its file
        page.printerName = QFileInfo(printer.outputFileName()).fileName();
    page.paperName = layout.pageSize().name();
    page.paper = layout.fullRect(QPageLayout::Millimeter).size();
    page.margins = PrintableMargins(printer);
    return page;
}

} // namespace vellumark
