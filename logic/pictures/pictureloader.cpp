#include "logic/pictures/pictureloader.h"

#include "logic/pictures/jpegend.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace vellumark {

namespace {

// Only regular files: a pipe or a device would block or never end.
bool isRegularFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

bool jpegIsWhole(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && JpegReachesEnd(file);
}

} // namespace

QImage LoadPicture(const QString &path)
{
    if (path.isEmpty() || !isRegularFile(path))
        return QImage();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return QImage();
    if (reader.format() == "jpeg" && !jpegIsWhole(path))
        return QImage();
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        return QImage();
    return picture;
}

bool CanReadPicture(const QString &path)
{
    if (path.isEmpty() || !isRegularFile(path))
        return false;
    QImageReader reader(path);
    return reader.canRead();
}

} // namespace vellumark
