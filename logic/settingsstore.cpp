#include "logic/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace vellumark {

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions GroupAndOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup
    | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
    | QFileDevice::ExeOther;

// Keeps the file private however it was created or rewritten. The atomic
// replace keeps the old file's mode, so this rarely has anything to do.
void keepPrivate(const QString &path)
{
    if (QFile::permissions(path) & GroupAndOthers)
        QFile::setPermissions(path, OwnerOnly);
}

// A writer killed while it held the file's lock leaves the lock file behind.
// When it died before writing its process id into it (or while removing a
// stale lock, which is guarded by "<lock>.rmlock", "<lock>.rmlock.rmlock"...),
// the next write waits half a minute before taking the lock for stale. A
// live writer holds its lock file locked for as long as it writes, so a lock
// file nobody holds is such a leftover: remove it. A writer caught between
// creating its lock file and locking it could lose its lock this way; the
// file is still replaced whole by either writer.
void removeAbandonedLocks(const QString &settingsFile)
{
#ifdef Q_OS_UNIX
    QByteArray name = QFile::encodeName(settingsFile) + ".lock";
    // A guard may outlive the lock it guarded, so look one level past a
    // missing lock.
    for (int level = 0; level < 64; ++level, name += ".rmlock") {
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (level == 0)
                continue;
            break;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(name.constData());
        ::close(fd);
    }
#else
    Q_UNUSED(settingsFile); // the leftovers above are those of POSIX lock files
#endif
}

} // namespace

SettingsStore::SettingsStore(QString rootFolder)
    : m_root(std::move(rootFolder))
{ }

SettingsStore SettingsStore::forCurrentUser()
{
    return SettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString SettingsStore::filePath(const QString &keyPath) const
{
    QStringList levels = keyPath.split(u'\\', Qt::SkipEmptyParts);
    if (!levels.isEmpty() && levels.first().compare(u"Software", Qt::CaseInsensitive) == 0)
        levels.removeFirst();
    if (levels.isEmpty())
        return QString();
    for (const QString &level : std::as_const(levels)) {
        // A level may not climb out of the root or name the root itself.
        if (level == u"." || level == u".." || level.contains(u'/'))
            return QString();
    }
    return m_root + u'/' + levels.join(u'/') + QStringLiteral(".ini");
}

bool SettingsStore::keyExists(const QString &keyPath) const
{
    const QString path = filePath(keyPath);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void SettingsStore::CreateSettingsKey(const QString &keyPath) const
{
    const QString path = filePath(keyPath);
    if (path.isEmpty() || QFileInfo::exists(path))
        return;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return;
    QFile file(path);
    // NewOnly: never truncate a file that appeared in the meantime.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly))
        file.close();
}

QVariant SettingsStore::GetSettingValue(const QString &keyPath, const QString &name,
                                        const QVariant &defaultValue) const
{
    if (!keyExists(keyPath) || name.isEmpty())
        return defaultValue;
    const QSettings settings(filePath(keyPath), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return defaultValue;
    const QVariant stored = settings.value(name);
    switch (stored.typeId()) {
    case QMetaType::QString:
        return stored;
    case QMetaType::QStringList:
        // A hand-written "12,5" comes back as a list; give the text as written.
        return stored.toStringList().join(u',');
    case QMetaType::Int:
        return stored;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong number = stored.toLongLong(&ok);
        if (ok && number >= std::numeric_limits<int>::min()
            && number <= std::numeric_limits<int>::max())
            return int(number);
        return defaultValue;
    }
    default:
        return defaultValue;
    }
}

void SettingsStore::SetSettingValue(const QString &keyPath, const QString &name,
                                    const QVariant &value, int type) const
{
    if (!keyExists(keyPath) || name.isEmpty())
        return;
    QVariant stored;
    if (type == Text) {
        stored = value.toString();
    } else if (type == Number) {
        // Wraps like a conversion to a signed 32-bit integer.
        stored = int(value.toLongLong());
    } else {
        return;
    }
    const QString path = filePath(keyPath);
    removeAbandonedLocks(path);
    {
        // QSettings replaces the file atomically under its own lock file.
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(name, stored);
        settings.sync();
    }
    keepPrivate(path);
}

QString SettingsStore::readText(const QString &keyPath, const QString &name,
                                const QString &defaultValue) const
{
    return GetSettingValue(keyPath, name, defaultValue).toString();
}

void SettingsStore::writeText(const QString &keyPath, const QString &name,
                              const QString &value) const
{
    SetSettingValue(keyPath, name, value, Text);
}

// Groups. QSettings reads a slash as a step into a subgroup and a
// backslash as one too in its files, so those two (and the escape itself)
// are escaped first: a group is always one level.
namespace {

QString groupLevel(const QString &group)
{
    QString level = group;
    level.replace(u'%', QStringLiteral("%25"))
        .replace(u'/', QStringLiteral("%2F"))
        .replace(u'\\', QStringLiteral("%5C"));
    return level;
}

} // namespace

QString SettingsStore::readGroupText(const QString &keyPath, const QString &group,
                                     const QString &name, const QString &defaultValue) const
{
    if (!keyExists(keyPath) || group.isEmpty() || name.isEmpty())
        return defaultValue;
    QSettings settings(filePath(keyPath), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return defaultValue;
    settings.beginGroup(groupLevel(group));
    const QVariant stored = settings.value(name);
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(u',');
    return stored.typeId() == QMetaType::QString ? stored.toString() : defaultValue;
}

void SettingsStore::writeGroupTexts(const QString &keyPath, const QString &group,
                                    const QList<std::pair<QString, QString>> &values) const
{
    if (!keyExists(keyPath) || group.isEmpty())
        return;
    const QString path = filePath(keyPath);
    removeAbandonedLocks(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.beginGroup(groupLevel(group));
        for (const auto &[name, value] : values) {
            if (!name.isEmpty())
                settings.setValue(name, value);
        }
        settings.endGroup();
        settings.sync();
    }
    keepPrivate(path);
}

void SettingsStore::removeGroup(const QString &keyPath, const QString &group) const
{
    if (!keyExists(keyPath) || group.isEmpty())
        return;
    const QString path = filePath(keyPath);
    removeAbandonedLocks(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        // Within the group: a main value of the group's name stays.
        settings.beginGroup(groupLevel(group));
        settings.remove(QString());
        settings.endGroup();
        settings.sync();
    }
    keepPrivate(path);
}

} // namespace vellumark
