#include "logic/picturefiles.h"

#include "logic/picturefilters.h"

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
    // The entry for every kind first, then the kinds from the last.
    QStringList types = { AllPictureKindsCaption() };
    for (auto kind = PictureKinds().crbegin(); kind != PictureKinds().crend(); ++kind)
        types.append(kind->caption);
    return types;
}

QString InitialPictureType()
{
    return PictureTypes().at(2);
}

std::optional<QString> PatternOfPictureType(const QString &type)
{
    const qsizetype index = PictureTypes().indexOf(type);
    if (index < 0)
        return std::nullopt;
    QStringList wildcards;
    for (const PictureKind &kind : PictureKinds()) {
        if (index == 0 || kind.caption == type) {
            for (const QString &extension : kind.extensions)
                wildcards.append(QStringLiteral("*.") + extension);
        }
    }
    return wildcards.join(u';');
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
