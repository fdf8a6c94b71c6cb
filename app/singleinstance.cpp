#include "app/singleinstance.h"

#include "logic/programinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

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
    : m_path(lockFilePath())
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Never stale by age: a running program may hold its lock for weeks.
    m_lock->setStaleLockTime(0);
}

SingleInstance::Outcome SingleInstance::acquire()
{
    if (m_lock->tryLock(0))
        return Outcome::Only;
    if (m_lock->error() != QLockFile::LockFailedError || !QFileInfo(m_path).isFile())
        return noLock();
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (!m_lock->getLockInfo(&pid, &hostName, &appName)) {
        // Being written by a program starting at this very moment, or
        // damaged: a moment later it tells.
        QThread::msleep(100);
        if (!m_lock->getLockInfo(&pid, &hostName, &appName))
            return takeOver();
    }
    if (ownerIsRunning(pid))
        return Outcome::AnotherRuns;
    // Left behind by a run that crashed or was killed.
    return takeOver();
}

SingleInstance::Outcome SingleInstance::takeOver()
{
    const bool removed = m_lock->removeStaleLockFile();
    if (m_lock->tryLock(0))
        return Outcome::Only;
    // Another start got it first; or the old lock could not be removed.
    if (removed && m_lock->error() == QLockFile::LockFailedError && QFileInfo(m_path).isFile())
        return Outcome::AnotherRuns;
    return noLock();
}

SingleInstance::Outcome SingleInstance::noLock()
{
    const QFileInfo lock(m_path);
    const QFileInfo folder(lock.absolutePath());
    if (lock.exists() && !lock.isFile())
        m_failure = QStringLiteral("%1 is in the way and is not a file").arg(m_path);
    else if (!folder.isDir())
        m_failure = QStringLiteral("the folder %1 does not exist").arg(folder.filePath());
    else if (!folder.isWritable())
        m_failure = QStringLiteral("the folder %1 is not writable").arg(folder.filePath());
    else
        m_failure = QStringLiteral("%1 cannot be created").arg(m_path);
    return Outcome::NoLock;
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
