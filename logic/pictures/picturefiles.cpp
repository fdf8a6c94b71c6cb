#include "logic/pictures/picturefiles.h"

#include "logic/pictures/loadedpicture.h"
#include "logic/pictures/picturefilters.h"

#include <QDir>
#include <QImageReader>

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

QStringList MatchingFiles(const QString &folder, const QString &pattern)
{
    QStringList wildcards;
    for (const QString &wildcard : pattern.split(u';', Qt::SkipEmptyParts))
        wildcards.append(wildcard.trimmed());
    if (wildcards.isEmpty())
        return {}; // an empty filter would list every file
    // Without QDir::CaseSensitive the wildcards match in any case, as
    // "*.JPG" files from cameras need.
    return QDir(folder).entryList(wildcards, QDir::Files | QDir::NoDotAndDotDot,
                                  QDir::Name | QDir::IgnoreCase);
}

QImage ReadPreviewPicture(const QString &path, QSize box)
{
    QImageReader reader(path);
    return ReadPictureCovering(reader, box);
}

} // namespace vellumark
