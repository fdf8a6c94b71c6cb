#include "logic/settings/settingswrite.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace vellumark {

SettingsWrite SettingsWrite::failed(const QString &file, const QString &detail, qint64 bytes)
{
    const QFileInfo info(file);
    const QFileInfo folder(info.absolutePath());
    Failure failure = Failure::Other;
    if (info.exists() && !info.isWritable())
        failure = Failure::FileReadOnly;
    else if (!folder.isDir() || !folder.isWritable())
        failure = Failure::FolderNotWritable;
    else {
        // A replacement is written beside the file before it takes its place.
        const QStorageInfo disk(folder.absoluteFilePath());
        if (disk.isValid() && disk.bytesAvailable() < bytes + 4096)
            failure = Failure::DiskFull;
    }
    return { failure, file, detail };
}

} // namespace vellumark
