#pragma once

#include <QMarginsF>
#include <QPageLayout>

class QPainter;
class QPrinter;

namespace vellumark {

// The printable area's margins on the page as it lies, in millimetres. A
// printer describes them on the upright sheet, and Qt reports them so in
// either orientation; a landscape page lies on the sheet turned a quarter
// counter-clockwise (as PostScript and CUPS turn it), so its left margin is
// the sheet's bottom one, its top the sheet's left, and so on round.
QMarginsF PrintableMargins(const QPrinter &printer);

// The printer's paper and orientation with the printable area as its
// margins: its paint rectangle is the printable area, whose corner is the
// page's origin, whatever margins Qt or a dialog defaulted to.
QPageLayout PrintablePageLayout(const QPrinter &printer);

// Begins the painter on the printer with the origin at the printable area's
// corner of the chosen paper and orientation, in device pixels. Every page
// (print, preview, calibration) begins here. False when the printer
// refuses the page.
bool BeginAtPageOrigin(QPainter &painter, QPrinter &printer);

// The printable area's size in centimetres.
QSizeF PrintableSizeCm(const QPageLayout &layout);

} // namespace vellumark
