#include "dialogs/printableorigin.h"

#include <QPageLayout>
#include <QPrinter>

namespace vellumark {

void PlaceOriginAtPrintableArea(QPrinter &printer)
{
    // The minimum margins are what the device cannot print on (a PPD's
    // imageable area, none for a PDF file); in their own units, so that
    // the layout takes them without rounding.
    const QPageLayout layout = printer.pageLayout();
    printer.setFullPage(false);
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

} // namespace vellumark
