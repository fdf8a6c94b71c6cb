#pragma once

#include <QTransform>

namespace vellumark {

// What undoes one printer's own error: the page is scaled about the
// printable area's corner, then shifted. The shift is in millimetres of the
// page as the program lays it out.
struct PrinterCorrection
{
    double scaleX = 1.0;
    double scaleY = 1.0;
    double offsetX = 0.0;
    double offsetY = 0.0;

    bool isIdentity() const
    {
        return scaleX == 1.0 && scaleY == 1.0 && offsetX == 0.0 && offsetY == 0.0;
    }
    bool operator==(const PrinterCorrection &) const = default;
};

// The correction in device pixels of a device of the given resolution, for
// a painter whose origin is the printable area's corner.
QTransform CorrectionTransform(const PrinterCorrection &correction, double dpiX, double dpiY);

} // namespace vellumark
