#include "logic/artwork.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

// The resource lives in a static library: naming it here keeps the linker
// from dropping it from the programs that use these drawings.
static void loadArtworkResource()
{
    Q_INIT_RESOURCE(artwork);
}

namespace vellumark {

namespace {

constexpr QSize LinkPictureSize(32, 32);

void ensureResource()
{
    static const bool loaded = (loadArtworkResource(), true);
    Q_UNUSED(loaded);
}

} // namespace

QString ArtworkFile(const QString &name)
{
    ensureResource();
    return QStringLiteral(":/artwork/") + name + QStringLiteral(".svg");
}

QStringList ArtworkNames()
{
    ensureResource();
    QStringList names;
    const QStringList files = QDir(QStringLiteral(":/artwork")).entryList(QDir::Files);
    for (const QString &file : files)
        names.append(file.chopped(4));
    return names;
}

QPixmap ArtworkPixmap(const QString &name, QSize size, qreal devicePixelRatio)
{
    QImageReader reader(ArtworkFile(name));
    reader.setScaledSize(size * devicePixelRatio);
    QImage image = reader.read();
    if (image.isNull())
        return QPixmap();
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

QImage ProgramIconImage(int size)
{
    return ArtworkPixmap(QStringLiteral("vellumark"), QSize(size, size)).toImage();
}

QIcon ProgramIcon()
{
    return QIcon(ArtworkFile(QStringLiteral("vellumark")));
}

QIcon ToolIcon(const QString &id)
{
    const QString file = ArtworkFile(QStringLiteral("tool-") + id);
    return QFile::exists(file) ? QIcon(file) : QIcon();
}

QPixmap ClosedPadlockPicture(qreal devicePixelRatio)
{
    return ArtworkPixmap(QStringLiteral("padlock-closed"), LinkPictureSize, devicePixelRatio);
}

QPixmap OpenPadlockPicture(qreal devicePixelRatio)
{
    return ArtworkPixmap(QStringLiteral("padlock-open"), LinkPictureSize, devicePixelRatio);
}

QPixmap WebSitePicture(qreal devicePixelRatio)
{
    return ArtworkPixmap(QStringLiteral("link-website"), LinkPictureSize, devicePixelRatio);
}

QPixmap SocialNetworkPicture(int index, qreal devicePixelRatio)
{
    return ArtworkPixmap(QStringLiteral("link-social%1").arg(index == 0 || index == 1 ? index : 2),
                         LinkPictureSize, devicePixelRatio);
}

QCursor PictureCursor()
{
    // A cursor is one bitmap of the size the pointer has everywhere.
    return QCursor(ArtworkPixmap(QStringLiteral("cursor-hand"), QSize(32, 32)), 14, 6);
}

} // namespace vellumark
