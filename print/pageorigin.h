#pragma once

#include <QPageLayout>

class QPrinter;

namespace vellumark {

// The printer's paper and orientation with the device's minimum margins:
// its paint rectangle is the printable area, whose corner is the page's
// origin, whatever margins Qt or a dialog defaulted to.
QPageLayout PrintablePageLayout(const QPrinter &printer);

// Makes the painter's origin the printable area's corner of the printer's
// chosen paper. Every page (print, preview, PDF) is set up here.
void PreparePageOrigin(QPrinter &printer);

// The printable area's size in centimetres.
QSizeF PrintableSizeCm(const QPageLayout &layout);

} // namespace vellumark
