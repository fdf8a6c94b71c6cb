#pragma once

#include "logic/page/coverplan.h"
#include "logic/texts/language.h"
#include "print/printjob.h"

#include <optional>

class QWidget;

namespace vellumark {

// Shows the plan on the job's printer in Qt's print preview, with the
// printable area's edge and the parts it would cut marked on screen only.
// Page set-up and orientation changes made there are the printer's. Its
// print button prints the plan through job.print, with the same rules as
// the print command; a printed page closes the preview. Returns how that
// printing ended, or nothing when the preview was closed without it. The
// controls Qt leaves unnamed are named for screen readers in the language.
std::optional<PrintOutcome> ShowPrintPreview(PrintJob &job, const CoverPlan &plan, bool askFirst,
                                             QWidget *parent, Language language);

} // namespace vellumark
