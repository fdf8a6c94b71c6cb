#include "logic/picturefiles.h"

#include <QDir>
#include <QImageReader>
#include <QRegularExpression>

namespace vellumark {

QString JoinPath(const QString &folder, const QString &fileName)
{
    return FolderWithSeparator(folder) + fileName;
}

QString FolderWithSeparator(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QStringList PictureTypes()
{
    return {
        QStringLiteral("Tutti i formati"),
        QStringLiteral("Compuserve GIF - *.GIF"),
        QStringLiteral("JPEG Compilant - *.JPG"),
        QStringLiteral("Windows Bitmap - *.BMP"),
    };
}

QString InitialPictureType()
{
    return PictureTypes().at(2);
}

std::optional<QString> PatternOfPictureType(const QString &type)
{
    static const QStringList patterns = {
        QStringLiteral("*.gif;*.jpg;*.jpeg;*.bmp"),
        QStringLiteral("*.gif;*.GIF"),
        QStringLiteral("*.jpg;*.jpeg"),
        QStringLiteral("*.bmp"),
    };
    const qsizetype index = PictureTypes().indexOf(type);
    if (index < 0)
        return std::nullopt;
    return patterns.at(index);
}

bool MatchesPattern(const QString &fileName, const QString &pattern)
{
    const QStringList wildcards = pattern.split(u';', Qt::SkipEmptyParts);
    for (const QString &wildcard : wildcards) {
        const QRegularExpression expression(
            QRegularExpression::wildcardToRegularExpression(wildcard.trimmed()),
            QRegularExpression::CaseInsensitiveOption);
        if (expression.match(fileName).hasMatch())
            return true;
    }
    return false;
}

QStringList MatchingFiles(const QString &folder, const QString &pattern)
{
    const QDir dir(folder);
    QStringList names;
    const QStringList all
        = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : all) {
        if (MatchesPattern(name, pattern))
            names.append(name);
    }
    return names;
}

QImage ReadPreviewPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace vellumark
