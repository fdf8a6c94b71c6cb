#include "logic/programinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vellumark {

QString ProgramVersion()
{
    return QStringLiteral("%1.%2.%3")
        .arg(VELLUMARK_VERSION_MAJOR)
        .arg(VELLUMARK_VERSION_MINOR)
        .arg(VELLUMARK_VERSION_PATCH);
}

QString ProgramCaption()
{
    return ProgramTitle() + u' ' + ProgramVersion();
}

QString ProgramFolder()
{
    if (!QCoreApplication::instance())
        return QDir::currentPath();
    const QString exeDir = QCoreApplication::applicationDirPath();
    // Installed: <prefix>/bin/vellumark with its data in <prefix>/share/vellumark.
    const QString installed
        = QDir::cleanPath(exeDir + QStringLiteral("/../") + QStringLiteral(VELLUMARK_DATA_SUBDIR));
    if (QFileInfo(exeDir).fileName() == u"bin" && QFileInfo(installed).isDir())
        return installed;
    return exeDir;
}

} // namespace vellumark
