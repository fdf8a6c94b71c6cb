#include "logic/settings/borderwidth.h"

#include "logic/numbertext.h"
#include "logic/settings/programsettings.h"

namespace vellumark {

QString FallbackBorderWidth()
{
    return DefaultSettingValue(SettingName::BorderWidth);
}

QString CheckedBorderWidth(const QString &text)
{
    // The whole text must be one number, whatever the desktop's language.
    if (!ReadWholeNumber(text))
        return FallbackBorderWidth();
    const double width = ReadNumber(text);
    if (width > 10 || width <= 0)
        return FallbackBorderWidth();
    return text;
}

QString ShownBorderWidth(const QString &stored)
{
    return FormatNumber(ReadNumber(stored));
}

} // namespace vellumark
