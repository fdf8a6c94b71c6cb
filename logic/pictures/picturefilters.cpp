#include "logic/pictures/picturefilters.h"

namespace vellumark {

namespace {

QStringList bothCases(const QStringList &extensions)
{
    QStringList patterns;
    for (const QString &extension : extensions)
        patterns << QStringLiteral("*.") + extension.toUpper() << QStringLiteral("*.") + extension;
    return patterns;
}

} // namespace

const QList<PictureKind> &PictureKinds()
{
    static const QList<PictureKind> kinds = {
        { QStringLiteral("Windows Bitmap - *.BMP"), { QStringLiteral("bmp") } },
        { QStringLiteral("JPEG Compilant - *.JPG"),
          { QStringLiteral("jpg"), QStringLiteral("jpeg") } },
        { QStringLiteral("Compuserve GIF - *.GIF"), { QStringLiteral("gif") } },
    };
    return kinds;
}

QString AllPictureKindsCaption()
{
    return QStringLiteral("Tutti i formati");
}

QStringList PictureFileFilters()
{
    QStringList filters;
    QStringList all;
    for (const PictureKind &kind : PictureKinds()) {
        const QStringList patterns = bothCases(kind.extensions);
        filters.append(kind.caption + QStringLiteral(" (") + patterns.join(u' ') + u')');
        all.append(patterns);
    }
    filters.append(AllPictureKindsCaption() + QStringLiteral(" (") + all.join(u' ') + u')');
    return filters;
}

} // namespace vellumark
