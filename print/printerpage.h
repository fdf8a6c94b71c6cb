#pragma once

#include "logic/page/printercalibration.h"

class QPrinter;

namespace vellumark {

// The printer's page as its description gives it: the sheet in its
// orientation and the printable area's margins, in millimetres.
PrinterPage DescribePrinter(const QPrinter &printer);

} // namespace vellumark
