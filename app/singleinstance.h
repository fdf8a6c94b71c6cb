#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace vellumark {

// One running program per user: a lock file in the user's runtime folder.
// A lock left by a run that crashed is taken over, since its process no
// longer exists.
class SingleInstance
{
public:
    enum class Outcome {
        Only, // the lock is held until this object is destroyed
        AnotherRuns, // a live instance holds the lock
        NoLock, // the lock cannot be taken at all; see failure()
    };

    SingleInstance();

    Outcome acquire();

    // Why the lock could not be taken, after NoLock.
    QString failure() const { return m_failure; }

    static QString lockFilePath();

    // "Una istanza di Vellumark è già in esecuzione."
    static QString refusalMessage();

private:
    bool lockIsReadable() const;
    Outcome noLock();
    Outcome takeOver();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_failure;
};

} // namespace vellumark
