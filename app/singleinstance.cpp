#include "app/singleinstance.h"

#include "logic/programinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace vellumark {

SingleInstance::SingleInstance()
    : m_path(lockFilePath())
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Never stale by age: a running program may hold its lock for weeks.
    m_lock->setStaleLockTime(0);
}

SingleInstance::Outcome SingleInstance::acquire()
{
    // QLockFile takes over by itself a lock whose owner is gone, or whose
    // process number now belongs to another program.
    if (m_lock->tryLock(0))
        return Outcome::Only;
    if (m_lock->error() != QLockFile::LockFailedError || !QFileInfo(m_path).isFile())
        return noLock();
    if (lockIsReadable())
        return Outcome::AnotherRuns;
    // An empty or damaged lock names no owner, and QLockFile would only call
    // it stale by its age, which a running program's lock never is. It may
    // be a starting program's, still being written: look again a moment
    // later, then take it over.
    QThread::msleep(100);
    if (m_lock->tryLock(0))
        return Outcome::Only;
    return lockIsReadable() ? Outcome::AnotherRuns : takeOver();
}

bool SingleInstance::lockIsReadable() const
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    return m_lock->getLockInfo(&pid, &hostName, &appName);
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
