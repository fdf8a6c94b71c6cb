#pragma once

#include <QString>

namespace vellumark {

// The width shown when the border field holds no usable width: the
// default of "Spessore".
QString FallbackBorderWidth();

// The border field's text after its check: a text that is not a number
// (the empty text included), or whose number is 0 or less or above 10,
// becomes the fallback width; any other text stays as it is, fractions included.
QString CheckedBorderWidth(const QString &text);

// How a stored width is shown when the dialog opens: its leading number
// written back as text ("7" for "7abc"). The check then applies.
QString ShownBorderWidth(const QString &stored);

} // namespace vellumark
