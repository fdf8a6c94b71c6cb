#pragma once

#include "logic/page/coverplan.h"

namespace vellumark {

// The photo-print standard: finer detail does not show on paper.
inline constexpr double kPrintPixelsPerInch = 300.0;

// The plan with each picture decoded for the page: only the part that
// prints, at most the given pixels per inch of its printed size and never
// more than the picture has, the source then in those pixels. Each picture
// is decoded once, the pictures of a page side by side. Done once per
// command, it keeps print jobs, previews and PDF files small and fast.
CoverPlan WithPrintResolution(CoverPlan plan, double pixelsPerInch = kPrintPixelsPerInch);

} // namespace vellumark
