#include "logic/page/printercalibration.h"

#include "logic/numbertext.h"

#include <algorithm>
#include <cmath>

namespace vellumark {

namespace {

constexpr double kLongestRulerX = 150.0;
constexpr double kLongestRulerY = 200.0;
// Room left past a ruler's end for its last figure.
constexpr double kRulerSpare = 5.0;
constexpr double kLengthTolerance = 0.05;
constexpr double kLargestOffset = 20.0;

double rulerLength(double longest, double printable, double start)
{
    const double room = std::floor((printable - start - kRulerSpare) / 10.0) * 10.0;
    return std::clamp(room, 10.0, longest);
}

// Whether the text, blanks aside, begins with something the number rule
// reads: digits, or a sign or a point before them.
bool beginsWithNumber(const QString &text)
{
    QString squeezed = text;
    squeezed.remove(u' ').remove(u'\t').remove(u'\n').remove(u'\r');
    qsizetype at = 0;
    if (at < squeezed.size() && (squeezed[at] == u'+' || squeezed[at] == u'-'))
        ++at;
    if (at < squeezed.size() && squeezed[at] == u'.')
        ++at;
    return at < squeezed.size() && squeezed[at].isDigit() && squeezed[at].unicode() < 0x80;
}

} // namespace

CalibrationLayout CalibrationLayoutFor(const PrinterPage &page)
{
    CalibrationLayout layout;
    const QSizeF printable = page.printable();
    layout.rulerX = rulerLength(kLongestRulerX, printable.width(), layout.cross);
    layout.rulerY = rulerLength(kLongestRulerY, printable.height(), layout.cross);
    return layout;
}

std::array<double, kCalibrationMeasures> ExpectedMeasures(const PrinterPage &page)
{
    const CalibrationLayout layout = CalibrationLayoutFor(page);
    return { layout.rulerX, layout.rulerY, page.margins.left() + layout.cross,
             page.margins.top() + layout.cross };
}

CalibrationOutcome ComputeCorrection(const PrinterPage &page,
                                     const std::array<QString, kCalibrationMeasures> &measured)
{
    CalibrationOutcome outcome;
    const auto expected = ExpectedMeasures(page);
    std::array<double, kCalibrationMeasures> value {};
    for (int i = 0; i < kCalibrationMeasures; ++i) {
        value[i] = ReadNumber(measured[i]);
        if (!beginsWithNumber(measured[i]) || !std::isfinite(value[i])) {
            outcome.fault = MeasureFault::NotANumber;
            outcome.measure = CalibrationMeasure(i);
            return outcome;
        }
    }
    // Lengths and distances from the paper's edge: a sign is a typing slip,
    // which would turn into a shift the other way.
    for (int i = 0; i < kCalibrationMeasures; ++i) {
        if (value[i] <= 0.0) {
            outcome.fault = MeasureFault::NotPositive;
            outcome.measure = CalibrationMeasure(i);
            return outcome;
        }
    }
    for (int i : { 0, 1 }) {
        if (std::abs(value[i] / expected[i] - 1.0) > kLengthTolerance) {
            outcome.fault = MeasureFault::LengthOff;
            outcome.measure = CalibrationMeasure(i);
            return outcome;
        }
    }

    // The printer puts a point painted p millimetres from the printable
    // corner at start + p / scale on the sheet; the crosshair at "cross"
    // gives start. Painting at scale * p + offset then lands every point
    // where the page means it: margin + p.
    const double cross = CalibrationLayoutFor(page).cross;
    const double scale[2] = { expected[0] / value[0], expected[1] / value[1] };
    const double margin[2] = { page.margins.left(), page.margins.top() };
    const double paper[2] = { page.paper.width(), page.paper.height() };
    double offset[2] = {};
    for (int axis : { 0, 1 }) {
        const double start = value[2 + axis] - cross / scale[axis];
        offset[axis] = scale[axis] * (margin[axis] - start);
        outcome.measure = CalibrationMeasure(2 + axis);
        if (std::abs(offset[axis]) > kLargestOffset) {
            outcome.fault = MeasureFault::OffsetOff;
            return outcome;
        }
        const double corner = margin[axis] + offset[axis];
        if (corner < 0.0 || corner > paper[axis]) {
            outcome.fault = MeasureFault::CornerOffPaper;
            return outcome;
        }
    }
    outcome.measure = CalibrationMeasure::RulerX;
    outcome.correction = { scale[0], scale[1], offset[0], offset[1] };
    return outcome;
}

} // namespace vellumark
