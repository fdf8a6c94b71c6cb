#pragma once

#include "logic/texts/language.h"

#include <QString>
#include <QStringList>

namespace vellumark {

// The tools that stand on the toolbar as pictures have a menu entry of
// their own too, whose text says what the tool does.
const QStringList &ToolsWithMenuEntry();

// The entry's text in a language; empty for a tool without such an entry.
QString MenuEntryText(Language language, const QString &toolId);

} // namespace vellumark
