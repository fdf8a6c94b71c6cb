#include "logic/borderwidth.h"

#include "logic/numbertext.h"

#include <QLocale>

namespace vellumark {

QString FallbackBorderWidth()
{
    return QStringLiteral("5");
}

QString CheckedBorderWidth(const QString &text)
{
    // Readable as a number at all: the C locale, so the point is the decimal
    // separator whatever the desktop's language.
    bool isNumber = false;
    QLocale::c().toDouble(text.trimmed(), &isNumber);
    if (!isNumber)
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
