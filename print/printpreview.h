#pragma once

#include "logic/page/coverplan.h"
#include "logic/texts/language.h"
#include "print/printjob.h"

#include <functional>
#include <optional>

class QAction;
class QPrintPreviewDialog;
class QWidget;

namespace vellumark {

// Shows the plan on the job's printer in Qt's print preview, with the
// printable area's edge, the parts it would cut and every line at least a
// screen pixel wide marked on screen only, and the fit check's findings in
// words under the page. Page set-up and orientation changes made there are
// the printer's. Its print button prints the plan through job.print, with
// the same rules as the print command; a printed page closes the preview.
// Returns how that printing ended, or nothing when the preview was closed
// without it. The controls Qt leaves unnamed are named for screen readers
// in the language.
std::optional<PrintOutcome> ShowPrintPreview(PrintJob &job, const CoverPlan &plan, bool askFirst,
                                             Language language, QWidget *parent);

// Makes the preview's print button run print instead of Qt's own printing,
// which would skip the fit check and the correction. Qt's button is taken
// over when its connection can be undone; otherwise it is hidden and a
// button of ours takes its place in the toolbar. Returns the button.
QAction *RoutePrintButton(QPrintPreviewDialog &dialog, const std::function<void()> &print);

} // namespace vellumark
