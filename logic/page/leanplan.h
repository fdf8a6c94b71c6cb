#pragma once

#include "logic/page/coverplan.h"

namespace vellumark {

// The photo-print standard: finer detail does not show on paper.
inline constexpr double kPrintPixelsPerInch = 300.0;

// The plan with each picture cut to the part that prints and resampled,
// smoothly, to at most the given
// pixels per inch of its printed size; never enlarged. Done once per
// command, it keeps print jobs, previews and PDF files small and fast.
CoverPlan WithPrintResolution(CoverPlan plan, double pixelsPerInch = kPrintPixelsPerInch);

} // namespace vellumark
