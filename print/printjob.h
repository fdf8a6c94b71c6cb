#pragma once

#include "logic/page/coverplan.h"
#include "logic/page/fitcheck.h"
#include "logic/page/printercalibration.h"
#include "logic/page/printercorrection.h"
#include "logic/page/printfault.h"

#include <QObject>
#include <QPageLayout>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;
class QWidget;

namespace vellumark {

// How a print command ended.
enum class PrintOutcome {
    Printed, // the page was handed to the printer
    Cancelled, // the print dialog was cancelled
    CutOffDeclined, // the user chose not to print covers that would be cut
    NoPrinter, // no printer could be reached, nor another one chosen
    Failed, // the printer refused the page: see PrintJob::lastFault
};

// The program's one printer and the printing of a page on it. The printer
// is made at its first use and kept for the whole run, so that what the
// user chooses in the print dialog (printer, paper, orientation, copies)
// holds for every later page too.
class PrintJob : public QObject
{
    Q_OBJECT

public:
    // Shows the print dialog on the printer; true when the user confirms it.
    using PrintDialog = std::function<bool(QPrinter &printer, QWidget *parent)>;
    // Asks whether covers that would be cut off are printed all the same.
    using CutOffQuestion = std::function<bool(const QList<CutOff> &cuts, QWidget *parent)>;

    explicit PrintJob(QObject *parent = nullptr);
    ~PrintJob() override;

    QPrinter &printer();

    // Sends every later page to this PDF file instead of a printer.
    void setOutputFile(const QString &path);

    // Replaces the system's print dialog (tests answer it this way).
    void setPrintDialog(PrintDialog dialog) { m_dialog = std::move(dialog); }

    // Without a question, covers that would be cut are printed unasked.
    void setCutOffQuestion(CutOffQuestion question) { m_cutOffQuestion = std::move(question); }

    // The print dialog on the program's printer; false when cancelled.
    bool setUp(QWidget *parent);

    // Prints the plan on one page, after the print dialog when askFirst.
    // Cancelling the dialog prints nothing. When the printer cannot be
    // reached, the dialog is offered once so that the user can pick another
    // printer or a file; a reachable printer that fails the page ends the
    // command as Failed. Covers that the printable area would cut are
    // printed only when the cut-off question says so.
    PrintOutcome print(const CoverPlan &plan, bool askFirst, QWidget *parent);

    // Where the page goes, for the user: the printer's name or the file.
    QString destination();

    // The page of an exported PDF: the printer's paper, orientation and
    // printable area's corner, or A4 at the paper's corner without any
    // printer.
    QPageLayout exportPageLayout();

    // The calibrations of the printers, by printer name. A page of covers
    // sent to a printer that has one is painted through it; a PDF file
    // never is.
    using CorrectionLookup = std::function<std::optional<PrinterCorrection>(const QString &)>;
    void setCorrections(CorrectionLookup lookup) { m_corrections = std::move(lookup); }
    // The printer the last page was corrected for; empty when it went out
    // as laid out.
    QString correctedFor() const { return m_correctedFor; }
    // Why the last page that failed did.
    PrintFault lastFault() const { return m_lastFault; }

    // Prints the calibration page the same way, never corrected; its lines
    // are made once the printer and its paper are known.
    using PageLines = std::function<QStringList(const PrinterPage &)>;
    PrintOutcome printCalibrationPage(const PageLines &lines, bool askFirst, QWidget *parent);

private:
    // Hands a page over to the printer; a page of covers (plan given) is
    // checked against the printable area first.
    PrintOutcome handOver(const std::function<void(QPainter &)> &paint, const CoverPlan *plan,
                          bool askFirst, QWidget *parent);
    bool printerReachable();
    bool paintPage(const std::function<void(QPainter &)> &paint);
    bool fitsOrPrintAnyway(const CoverPlan &plan, QWidget *parent);
    // Sets the printer's correction, if it has one, on a painter begun on it.
    void applyCorrection(QPainter &painter);

    std::unique_ptr<QPrinter> m_printer;
    PrintDialog m_dialog;
    CutOffQuestion m_cutOffQuestion;
    CorrectionLookup m_corrections;
    QString m_correctedFor;
    PrintFault m_lastFault = PrintFault::PageNotStarted;
};

// The system's print dialog, for one page.
bool ShowSystemPrintDialog(QPrinter &printer, QWidget *parent);

} // namespace vellumark
