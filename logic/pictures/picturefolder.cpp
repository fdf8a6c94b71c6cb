#include "logic/pictures/picturefolder.h"

#include <QDir>

namespace vellumark {

QString PictureFolder(const QString &file)
{
    const QString path = QDir::fromNativeSeparators(file);
    const qsizetype separator = path.lastIndexOf(u'/');
    if (separator < 0)
        return QString();
    // "/front.jpg" lies in the root, which is "/" and not an empty folder.
    const QString folder = separator == 0 ? QStringLiteral("/") : path.left(separator);
    return QDir::toNativeSeparators(folder);
}

} // namespace vellumark
