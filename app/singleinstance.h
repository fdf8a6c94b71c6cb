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
    SingleInstance();

    // True when this is the only running instance; the lock is then held
    // until this object is destroyed.
    bool acquire();

    static QString lockFilePath();

    // "Una istanza di Vellumark è già in esecuzione."
    static QString refusalMessage();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace vellumark
