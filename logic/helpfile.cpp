#include "logic/helpfile.h"

#include <QDir>
#include <QFileInfo>

namespace vellumark {

QString HelpFileName(Language language)
{
    return InLanguage<QString>(language, QStringLiteral("help-it.html"),
                               QStringLiteral("help-en.html"), QStringLiteral("help-de.html"));
}

QString HelpFilePath(const QString &programFolder, Language language)
{
    if (programFolder.isEmpty())
        return QString();
    const QDir folder(programFolder);
    for (Language candidate : { language, Language::English, Language::Italian }) {
        const QFileInfo file(folder.filePath(HelpFileName(candidate)));
        if (file.isFile() && file.isReadable())
            return file.absoluteFilePath();
    }
    return QString();
}

} // namespace vellumark
