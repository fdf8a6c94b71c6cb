#include "dialogs/printjob.h"

#include "dialogs/printableorigin.h"
#include "logic/paintcoverplan.h"
#include "widgets/busycursor.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace vellumark {

bool ShowSystemPrintDialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    // One page is printed: no ranges, but the choice of a PDF file stays.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

PrintJob::PrintJob(QObject *parent)
    : QObject(parent)
    , m_dialog(ShowSystemPrintDialog)
{ }

PrintJob::~PrintJob() = default;

QPrinter &PrintJob::printer()
{
    // High resolution: borders are drawn in the printer's own pixels.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void PrintJob::setOutputFile(const QString &path)
{
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(path);
}

bool PrintJob::setUp(QWidget *parent)
{
    return m_dialog && m_dialog(printer(), parent);
}

bool PrintJob::print(const CoverPlan &plan, bool askFirst, QWidget *parent)
{
    if (askFirst && !setUp(parent))
        return false;
    if (printerReachable() && paintPage(plan))
        return true;
    // No printer, or it failed to start the page: let the user choose
    // another one (or a file) rather than lose the page without a word.
    return setUp(parent) && printerReachable() && paintPage(plan);
}

bool PrintJob::printerReachable()
{
    QPrinter &out = printer();
    // Without any printer Qt falls back to PDF with no file, a state in which
    // a failed start would lock the printer's settings for good.
    if (out.outputFormat() == QPrinter::PdfFormat)
        return !out.outputFileName().isEmpty();
    return !QPrinterInfo::printerInfo(out.printerName()).isNull();
}

bool PrintJob::paintPage(const CoverPlan &plan)
{
    const BusyCursor busy;
    PlaceOriginAtPrintableArea(printer());
    QPainter painter;
    if (!painter.begin(&printer()))
        return false;
    PaintCoverPlan(painter, plan);
    return painter.end();
}

} // namespace vellumark
