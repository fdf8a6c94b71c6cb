#include "logic/page/printercorrection.h"

namespace vellumark {

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

QTransform CorrectionTransform(const PrinterCorrection &correction, double dpiX, double dpiY)
{
    return QTransform(correction.scaleX, 0, 0, correction.scaleY,
                      correction.offsetX * dpiX / kMillimetresPerInch,
                      correction.offsetY * dpiY / kMillimetresPerInch);
}

} // namespace vellumark
