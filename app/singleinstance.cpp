#include "app/singleinstance.h"

#include "logic/programinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/types.h>
#endif

namespace vellumark {

namespace {

// Whether the process that wrote a lock still runs this program. A pid taken
// over by another program after a crash does not count.
bool ownerIsRunning(qint64 pid)
{
#ifdef Q_OS_UNIX
    if (pid <= 0)
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return false;
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    if (exe.isEmpty())
        return true; // cannot tell: assume it is ours
    const QString ours = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QFileInfo(exe).fileName().compare(ours, Qt::CaseInsensitive) == 0;
#else
    Q_UNUSED(pid);
    return true;
#endif
}

} // namespace

SingleInstance::SingleInstance()
    : m_lock(std::make_unique<QLockFile>(lockFilePath()))
{
    // Never stale by age: a running program may hold its lock for weeks.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    if (m_lock->tryLock(0))
        return true;
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (m_lock->error() != QLockFile::LockFailedError
        || !m_lock->getLockInfo(&pid, &hostName, &appName))
        return false;
    if (ownerIsRunning(pid))
        return false;
    // Left behind by a run that crashed or was killed: take it over.
    m_lock->removeStaleLockFile();
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
