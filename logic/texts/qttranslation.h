#pragma once

#include "logic/texts/language.h"

#include <memory>

class QTranslator;

namespace vellumark {

// Qt's own texts (message box buttons, the file, colour and print dialogs)
// in one of the window's languages, from the translations Qt ships. While
// it lives, it keeps at most one translation installed in the application.
class QtTranslation
{
public:
    QtTranslation();
    ~QtTranslation();
    QtTranslation(const QtTranslation &) = delete;
    QtTranslation &operator=(const QtTranslation &) = delete;

    // Replaces the translation in use. English needs none; a translation
    // that cannot be found leaves Qt's texts in English.
    void use(Language language);

private:
    std::unique_ptr<QTranslator> m_translator;
};

} // namespace vellumark
