#pragma once

#include "logic/texts/language.h"

#include <QString>

namespace vellumark {

// The help document of a language, as it lies in the program's folder:
// "help-it.html", "help-en.html" or "help-de.html".
QString HelpFileName(Language language);

// The help document to show for a language: the language's own, else the
// English one, else the Italian one. Empty when the folder holds none.
QString HelpFilePath(const QString &programFolder, Language language);

} // namespace vellumark
