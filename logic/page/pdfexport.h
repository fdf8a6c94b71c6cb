#pragma once

#include "logic/page/coverplan.h"

#include <QPageLayout>
#include <QString>

namespace vellumark {

// Writes the plan as a one-page PDF file on the given page, whose margins
// put the page's origin. The title also names the creator. The file is
// replaced whole or not at all: a failure leaves an existing file as it
// was and no half file behind. Returns whether the file was written.
bool ExportPdf(const CoverPlan &plan, const QPageLayout &layout, const QString &title,
               const QString &path);

// The name with ".pdf" added, unless it ends in ".pdf" already in any case:
// a dot elsewhere ("cover_v1.2") is part of the name, not its type.
QString WithPdfSuffix(const QString &name);

// The page of a PDF written without any printer: A4 portrait, the origin
// at the paper's corner.
QPageLayout PaperCornerA4();

} // namespace vellumark
