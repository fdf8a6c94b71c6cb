#pragma once

#include <QString>

namespace vellumark {

// The diameter of a disc label's centre hole, in cm: the default of
// its setting ("Foro") and the range the options dialog takes.
QString FallbackLabelHole();
inline constexpr double kNarrowestLabelHoleCm = 1.5;
inline constexpr double kWidestLabelHoleCm = 4.5;

// The hole field's text after its check: a text that is not one number,
// or whose number lies outside the range, becomes the fallback; any other
// text stays as it is.
QString CheckedLabelHole(const QString &text);

// How a stored hole is shown when the dialog opens: its leading number
// written back as text; the check then applies.
QString ShownLabelHole(const QString &stored);

// The hole of a stored text in cm, by the number rule; a number outside
// the range gives the fallback.
double LabelHoleCm(const QString &stored);

} // namespace vellumark
