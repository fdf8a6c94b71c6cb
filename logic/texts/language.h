#pragma once

#include <QString>

namespace vellumark {

enum class Language { Italian, English, German };

// The language a marker names: "Italiano", "Tedesco", and English for
// "Inglese" and for any other text, as the dialogs read it.
Language LanguageOfMarker(const QString &marker);

// The marker of a language: "Italiano", "Inglese" or "Tedesco".
QString MarkerOfLanguage(Language language);

// The one of three texts (or tables of texts) that is in the language.
template<typename Texts>
const Texts &InLanguage(Language language, const Texts &italian, const Texts &english,
                        const Texts &german)
{
    switch (language) {
    case Language::Italian:
        return italian;
    case Language::German:
        return german;
    case Language::English:
        break;
    }
    return english;
}

} // namespace vellumark
