#pragma once

#include <QString>
#include <QStringView>

namespace vellumark {

inline constexpr double kMostBleedMm = 5.0;

// The bleed shown when the field holds no usable one: the default of
// "Abbondanza".
QString FallbackBleed();

// The bleed field's text after its check, as for the border width: a text
// that is not one number, or below 0 or above 5 mm, becomes the fallback.
QString CheckedBleed(const QString &text);

// The bleed of a stored text in centimetres, by the number rule, held
// within 0 to 5 mm.
double BleedCentimetres(QStringView text);

} // namespace vellumark
