#include "logic/texts/language.h"

namespace vellumark {

Language LanguageOfMarker(const QString &marker)
{
    if (marker == u"Italiano")
        return Language::Italian;
    if (marker == u"Tedesco")
        return Language::German;
    return Language::English;
}

QString MarkerOfLanguage(Language language)
{
    return InLanguage<QString>(language, QStringLiteral("Italiano"), QStringLiteral("Inglese"),
                               QStringLiteral("Tedesco"));
}

} // namespace vellumark
