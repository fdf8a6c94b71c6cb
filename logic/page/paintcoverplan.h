#pragma once

#include "logic/page/coverplan.h"

class QPainter;

namespace vellumark {

// Paints a page on a painter freshly begun on any device that knows its
// resolution (a printer, a PDF writer, a picture with its dots per metre):
// the painter's origin is the page's origin and its unit the device pixel.
// Each border is a black line of the plan's width, centred on the edge of
// its rectangle and drawn before the picture, which then covers its inner
// half. A transform already set on the painter moves and sizes the
// rectangles but not the lines: they keep their width in device pixels.
void PaintCoverPlan(QPainter &painter, const CoverPlan &plan);

} // namespace vellumark
