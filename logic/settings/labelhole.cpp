#include "logic/settings/labelhole.h"

#include "logic/numbertext.h"

namespace vellumark {

namespace {

bool inRange(double hole)
{
    return hole >= kNarrowestLabelHoleCm && hole <= kWidestLabelHoleCm;
}

} // namespace

QString LabelHoleSettingName()
{
    return QStringLiteral("Foro");
}

QString FallbackLabelHole()
{
    // The hole of the common label sheets.
    return QStringLiteral("4.1");
}

QString CheckedLabelHole(const QString &text)
{
    // The whole text must be one number, whatever the desktop's language.
    if (!ReadWholeNumber(text) || !inRange(ReadNumber(text)))
        return FallbackLabelHole();
    return text;
}

QString ShownLabelHole(const QString &stored)
{
    return FormatNumber(ReadNumber(stored));
}

double LabelHoleCm(const QString &stored)
{
    const double hole = ReadNumber(stored);
    return inRange(hole) ? hole : ReadNumber(FallbackLabelHole());
}

} // namespace vellumark
