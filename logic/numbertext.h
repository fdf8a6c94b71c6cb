#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace vellumark {

// The one rule by which the program reads a number out of a text: blanks,
// tabs and line feeds are skipped wherever they stand, then the longest
// prefix that forms a decimal number (sign, point, exponent) is taken.
// A text without a number gives 0; nothing is ever an error. A number too
// large for a double gives the largest finite double of its sign.
double ReadNumber(QStringView text);

// The number when the text, blanks at either end aside, is one number by
// the same rule and nothing else ("12", " 2.5 ", "1e3"); otherwise nothing
// ("", "12,1", "1 2", "5cm").
std::optional<double> ReadWholeNumber(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour; values
// beyond the int range are clamped to it, NaN gives 0.
int RoundHalfEven(double value);

// Writes a number with a point, no leading blank, no trailing zeros and at
// most 15 significant digits: 2 + 11.8 gives "13.8".
QString FormatNumber(double value);

} // namespace vellumark
