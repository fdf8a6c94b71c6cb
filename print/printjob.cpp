#include "print/printjob.h"

#include "logic/page/paintcalibrationpage.h"
#include "logic/page/paintcoverplan.h"
#include "logic/page/pdfexport.h"
#include "print/pageorigin.h"
#include "print/printerpage.h"
#include "widgets/busycursor.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace vellumark {

bool ShowSystemPrintDialog(QPrinter &printer, QWidget *parent)
{
    // Qt's dialog puts the queue's default paper and orientation back on
    // the printer each time it shows; the ones the user chose are kept
    // unless they are chosen anew in the dialog's properties.
    const QPageSize paper = printer.pageLayout().pageSize();
    const QPageLayout::Orientation orientation = printer.pageLayout().orientation();
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    // One page is printed: no ranges, but the choice of a PDF file stays.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    bool paperShown = false;
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->objectName() == u"properties")
            QObject::connect(button, &QPushButton::clicked, &dialog, [&] { paperShown = true; });
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!paperShown) {
        printer.setPageSize(paper);
        printer.setPageOrientation(orientation);
    }
    return true;
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

PrintOutcome PrintJob::print(const CoverPlan &plan, bool askFirst, QWidget *parent)
{
    return handOver(
        [this, &plan](QPainter &painter) {
            applyCorrection(painter);
            PaintCoverPlan(painter, plan);
        },
        &plan, askFirst, parent);
}

PrintOutcome PrintJob::printCalibrationPage(const PageLines &lines, bool askFirst, QWidget *parent)
{
    return handOver(
        [this, &lines](QPainter &painter) {
            const PrinterPage described = DescribePrinter(printer());
            PaintCalibrationPage(painter, { described, lines ? lines(described) : QStringList() });
        },
        nullptr, askFirst, parent);
}

PrintOutcome PrintJob::handOver(const std::function<void(QPainter &)> &paint, const CoverPlan *plan,
                                bool askFirst, QWidget *parent)
{
    m_correctedFor.clear();
    if (askFirst && !setUp(parent))
        return PrintOutcome::Cancelled;
    const bool reachable = printerReachable();
    if (reachable) {
        if (plan && !fitsOrPrintAnyway(*plan, parent))
            return PrintOutcome::CutOffDeclined;
        // A printer that fails the page says why; the dialog is not shown
        // again as if nothing had happened.
        return paintPage(paint) ? PrintOutcome::Printed : PrintOutcome::Failed;
    }
    // No printer: let the user choose another one (or a file) rather than
    // lose the page without a word.
    if (!setUp(parent))
        return PrintOutcome::NoPrinter;
    if (!printerReachable())
        return PrintOutcome::NoPrinter;
    if (plan && !fitsOrPrintAnyway(*plan, parent))
        return PrintOutcome::CutOffDeclined;
    return paintPage(paint) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

QString PrintJob::destination()
{
    QPrinter &out = printer();
    return out.outputFormat() == QPrinter::PdfFormat ? out.outputFileName() : out.printerName();
}

QPageLayout PrintJob::exportPageLayout()
{
    return printerReachable() ? PrintablePageLayout(printer()) : PaperCornerA4();
}

bool PrintJob::fitsOrPrintAnyway(const CoverPlan &plan, QWidget *parent)
{
    if (!m_cutOffQuestion)
        return true;
    const QList<CutOff> cuts = CutOffs(plan, PrintableSizeCm(PrintablePageLayout(printer())));
    return cuts.isEmpty() || m_cutOffQuestion(cuts, parent);
}

void PrintJob::applyCorrection(QPainter &painter)
{
    m_correctedFor.clear();
    const QPrinter &out = printer();
    if (out.outputFormat() != QPrinter::NativeFormat || !m_corrections)
        return;
    const std::optional<PrinterCorrection> correction = m_corrections(out.printerName());
    if (!correction || correction->isIdentity())
        return;
    painter.setWorldTransform(
        CorrectionTransform(*correction, out.logicalDpiX(), out.logicalDpiY()), true);
    m_correctedFor = out.printerName();
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

bool PrintJob::paintPage(const std::function<void(QPainter &)> &paint)
{
    const BusyCursor busy;
    QPainter painter;
    if (BeginAtPageOrigin(painter, printer())) {
        paint(painter);
        if (painter.end() && printer().printerState() != QPrinter::Error
            && printer().printerState() != QPrinter::Aborted)
            return true;
    }
    m_lastFault = printer().outputFormat() == QPrinter::PdfFormat ? PrintFault::FileNotWritable
        : printer().printerState() == QPrinter::Error
            || printer().printerState() == QPrinter::Aborted
        ? PrintFault::PrinterError
        : PrintFault::PageNotStarted;
    return false;
}

} // namespace vellumark
