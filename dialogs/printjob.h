#pragma once

#include "logic/coverplan.h"

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace vellumark {

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

    explicit PrintJob(QObject *parent = nullptr);
    ~PrintJob() override;

    QPrinter &printer();

    // Sends every later page to this PDF file instead of a printer.
    void setOutputFile(const QString &path);

    // Replaces the system's print dialog (tests answer it this way).
    void setPrintDialog(PrintDialog dialog) { m_dialog = std::move(dialog); }

    // The print dialog on the program's printer; false when cancelled.
    bool setUp(QWidget *parent);

    // Prints the plan on one page, after the print dialog when askFirst.
    // Cancelling the dialog prints nothing. When the printer cannot be
    // reached, the dialog is offered once so that the user can pick another
    // printer or a file. Returns whether the page was handed over.
    bool print(const CoverPlan &plan, bool askFirst, QWidget *parent);

private:
    bool printerReachable();
    bool paintPage(const CoverPlan &plan);

    std::unique_ptr<QPrinter> m_printer;
    PrintDialog m_dialog;
};

// The system's print dialog, for one page.
bool ShowSystemPrintDialog(QPrinter &printer, QWidget *parent);

} // namespace vellumark
