#pragma once

#include "logic/page/printercalibration.h"

#include <QStringList>

class QPainter;

namespace vellumark {

// What the calibration page shows besides its marks: the lines that name
// the printer, the paper, the date and the rulers' lengths, then the
// instructions, all in the window's language.
struct CalibrationPage
{
    PrinterPage printer;
    QStringList lines;
};

// Paints the calibration page on a painter freshly begun on a device that
// knows its resolution, its origin at the printable area's corner: a
// crosshair at the layout's point and two rulers from it, with a tick at
// every millimetre and a figure at every centimetre.
void PaintCalibrationPage(QPainter &painter, const CalibrationPage &page);

} // namespace vellumark
