#pragma once

#include "logic/coverplan.h"
#include "logic/fitcheck.h"

#include <QObject>
#include <QPageLayout>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace vellumark {

// How a print command ended.
enum class PrintOutcome {
    Printed, // the page was handed to the printer
    Cancelled, // the print dialog was cancelled
    CutOffDeclined, // the user chose not to print covers that would be cut
    NoPrinter, // no printer could be reached, nor another one chosen
    Failed, // the printer refused the page
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
    // printer or a file. Covers that the printable area would cut are
    // printed only when the cut-off question says so.
    PrintOutcome print(const CoverPlan &plan, bool askFirst, QWidget *parent);

    // Where the page goes, for the user: the printer's name or the file.
    QString destination();

    // The page of an exported PDF: the printer's paper, orientation and
    // printable area's corner, or A4 at the paper's corner without any
    // printer.
    QPageLayout exportPageLayout();

private:
    bool printerReachable();
    bool paintPage(const CoverPlan &plan);
    bool fitsOrPrintAnyway(const CoverPlan &plan, QWidget *parent);

    std::unique_ptr<QPrinter> m_printer;
    PrintDialog m_dialog;
    CutOffQuestion m_cutOffQuestion;
};

// The system's print dialog, for one page.
bool ShowSystemPrintDialog(QPrinter &printer, QWidget *parent);

} // namespace vellumark
