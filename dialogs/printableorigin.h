#pragma once

class QPrinter;

namespace vellumark {

// Makes a painter begun on the printer start at the top-left corner of the
// printable area of the printer and paper chosen: the page margins become
// the device's own minimum margins, whatever margins Qt or a dialog left on
// the page layout. Call it after the last change of printer or paper and
// before painting; print, preview and export all count from there.
void PlaceOriginAtPrintableArea(QPrinter &printer);

} // namespace vellumark
