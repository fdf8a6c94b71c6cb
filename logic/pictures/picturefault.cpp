#include "logic/pictures/picturefault.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace vellumark {

PictureFault DiagnosePictureFile(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return PictureFault::Unreadable;
    QImageReader reader(&file);
    if (!reader.canRead())
        return PictureFault::NotAPicture;
    return PictureFault::Damaged;
}

} // namespace vellumark
