#include "app/singleinstance.h"

#include "app/programinfo.h"

#include <QDir>
#include <QStandardPaths>

namespace vellumark {

SingleInstance::SingleInstance()
    : m_lock(std::make_unique<QLockFile>(lockFilePath()))
{
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock->tryLock(0);
}

QString SingleInstance::lockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/vellumark.lock");
}

QString SingleInstance::refusalMessage()
{
    return QStringLiteral("Una istanza di ") + ProgramTitle()
        + QStringLiteral(" è già in esecuzione.");
}

} // namespace vellumark
