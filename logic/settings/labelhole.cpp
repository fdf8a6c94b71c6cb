#include "logic/settings/labelhole.h"

#include "logic/numbertext.h"
#include "logic/settings/programsettings.h"

namespace vellumark {

namespace {

bool inRange(double hole)
{
    return hole >= kNarrowestLabelHoleCm && hole <= kWidestLabelHoleCm;
}

} // namespace

QString FallbackLabelHole()
{
    return DefaultSettingValue(SettingName::LabelHole);
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
