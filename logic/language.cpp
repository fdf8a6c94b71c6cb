#include "logic/language.h"

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
    switch (language) {
    case Language::Italian:
        return QStringLiteral("Italiano");
    case Language::German:
        return QStringLiteral("Tedesco");
    case Language::English:
        break;
    }
    return QStringLiteral("Inglese");
}

} // namespace vellumark
