#pragma once

#include "logic/page/printercorrection.h"

#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <array>

namespace vellumark {

// A printer's page as its own description gives it, in millimetres: the
// sheet as it lies and the margins of the printable area.
struct PrinterPage
{
    QString printerName;
    QString paperName;
    QSizeF paper;
    QMarginsF margins;

    QSizeF printable() const
    {
        return QSizeF(paper.width() - margins.left() - margins.right(),
                      paper.height() - margins.top() - margins.bottom());
    }
};

// Where the calibration page puts its marks, in millimetres from the
// printable area's corner: the crosshair, and the rulers that start at it.
struct CalibrationLayout
{
    double cross = 10.0;
    double rulerX = 150.0;
    double rulerY = 200.0;
};

// The rulers are 15 and 20 cm, cut to whole centimetres that fit the
// printable area when it is smaller.
CalibrationLayout CalibrationLayoutFor(const PrinterPage &page);

// The four measures the user takes on the printed page, in this order.
enum class CalibrationMeasure { RulerX, RulerY, CrossX, CrossY };
inline constexpr int kCalibrationMeasures = 4;

// What a faultless printer would give for each measure: the rulers' lengths,
// and the crosshair's distance from the paper's left and top edges.
std::array<double, kCalibrationMeasures> ExpectedMeasures(const PrinterPage &page);

enum class MeasureFault {
    None,
    NotANumber,
    LengthOff, // a ruler more than 5 % off
    OffsetOff, // a shift of more than 20 mm
    CornerOffPaper, // the printable area's corner would leave the sheet
    NotPositive, // a length or a distance from the paper's edge of 0 or less
};

struct CalibrationOutcome
{
    PrinterCorrection correction;
    MeasureFault fault = MeasureFault::None;
    CalibrationMeasure measure = CalibrationMeasure::RulerX; // the one at fault
    bool accepted() const { return fault == MeasureFault::None; }
};

// The correction the measured texts call for, read by the number rule; or
// the first measure found wrong, and why.
CalibrationOutcome ComputeCorrection(const PrinterPage &page,
                                     const std::array<QString, kCalibrationMeasures> &measured);

} // namespace vellumark
