#pragma once

#include <QString>

namespace vellumark {

enum class Language { Italian, English, German };

// The language a marker names: "Italiano", "Tedesco", and English for
// "Inglese" and for any other text, as the dialogs read it.
Language LanguageOfMarker(const QString &marker);

// The marker of a language: "Italiano", "Inglese" or "Tedesco".
QString MarkerOfLanguage(Language language);

} // namespace vellumark
