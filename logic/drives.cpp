#include "logic/drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace vellumark {

QStringList DriveRoots()
{
    QStringList roots;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        // Some mounts are single files (a container's /etc/hosts): not drives.
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir()
            && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    roots.sort();
    const QString root = QDir::rootPath();
    roots.removeAll(root);
    roots.prepend(root);
    return roots;
}

QString DriveRootOf(const QString &folder)
{
    if (folder.isEmpty() || !QDir(folder).exists())
        return QString();
    const QStorageInfo volume(folder);
    return volume.isValid() ? volume.rootPath() : QDir::rootPath();
}

} // namespace vellumark
