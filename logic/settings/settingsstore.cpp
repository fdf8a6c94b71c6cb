#include "logic/settings/settingsstore.h"

#include "logic/settings/settingsfileformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

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

SettingsWrite SettingsStore::CreateSettingsKey(const QString &keyPath) const
{
    const QString path = filePath(keyPath);
    if (path.isEmpty())
        return { SettingsWrite::Failure::Other, keyPath, keyPath };
    if (QFileInfo::exists(path))
        return SettingsWrite::stored(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return SettingsWrite::failed(path, QString());
    QFile file(path);
    // NewOnly: never truncate a file that appeared in the meantime.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly)) {
        file.close();
        return SettingsWrite::stored(path);
    }
    if (QFileInfo(path).isFile())
        return SettingsWrite::stored(path);
    return SettingsWrite::failed(path, file.errorString());
}

QVariant SettingsStore::GetSettingValue(const QString &keyPath, const QString &name,
                                        const QVariant &defaultValue) const
{
    if (!keyExists(keyPath) || name.isEmpty())
        return defaultValue;
    // The file is replaced whole by every write, so reading it needs no lock.
    QFile file(filePath(keyPath));
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    return ReadSettingsFile(file.readAll()).value(name, defaultValue);
}

SettingsWrite SettingsStore::SetSettingValue(const QString &keyPath, const QString &name,
                                             const QVariant &value, int type) const
{
    if (!keyExists(keyPath))
        return missingKey(keyPath);
    if (!IsStorableSettingName(name))
        return { SettingsWrite::Failure::Other, filePath(keyPath), name };
    QVariant stored;
    if (type == Text) {
        stored = value.toString();
    } else if (type == Number) {
        // Wraps like a conversion to a signed 32-bit integer.
        stored = int(value.toLongLong());
    } else {
        return SettingsWrite::stored(filePath(keyPath)); // nothing to store
    }
    return writeTexts(filePath(keyPath), { { name, stored.toString() } });
}

SettingsWrite SettingsStore::missingKey(const QString &keyPath) const
{
    const QString path = filePath(keyPath);
    return { SettingsWrite::Failure::KeyMissing, path.isEmpty() ? keyPath : path, QString() };
}

SettingsWrite SettingsStore::writeTexts(const QString &path,
                                        const QList<std::pair<QString, QString>> &values)
{
    removeAbandonedLocks(path);
    // Read, change the values and replace the file whole, under the lock
    // file that QSettings (and so older versions) take too: a second writer
    // waits.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.lock())
        return SettingsWrite::failed(path, QString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SettingsWrite::failed(path, file.errorString());
    const QByteArray current = file.readAll();
    file.close();
    QByteArray updated = current;
    for (const auto &[name, text] : values)
        updated = WithSettingValue(updated, name, text);
    if (updated == current)
        return SettingsWrite::stored(path);
    QSaveFile replacement(path);
    if (!replacement.open(QIODevice::WriteOnly) || replacement.write(updated) != updated.size()) {
        const QString why = replacement.errorString();
        replacement.cancelWriting();
        return SettingsWrite::failed(path, why, updated.size());
    }
    if (!replacement.commit())
        return SettingsWrite::failed(path, replacement.errorString(), updated.size());
    keepPrivate(path);
    return SettingsWrite::stored(path);
}

QString SettingsStore::readText(const QString &keyPath, const QString &name,
                                const QString &defaultValue) const
{
    return GetSettingValue(keyPath, name, defaultValue).toString();
}

SettingsWrite SettingsStore::writeText(const QString &keyPath, const QString &name,
                                       const QString &value) const
{
    return SetSettingValue(keyPath, name, value, Text);
}

// Groups. A group's values are stored as "<group>/<name>"; the group is
// escaped so that it stays one level and any text can name it.
namespace {

QString groupPrefix(const QString &group)
{
    QString level = group;
    level.replace(u'%', QStringLiteral("%25"))
        .replace(u'/', QStringLiteral("%2F"))
        .replace(u'\\', QStringLiteral("%5C"))
        .replace(u'=', QStringLiteral("%3D"));
    for (qsizetype i = level.size() - 1; i >= 0; --i) {
        if (level.at(i).unicode() < 0x20 || level.at(i).unicode() == 0x7f)
            level.replace(
                i, 1, QStringLiteral("%%1").arg(int(level.at(i).unicode()), 2, 16, QChar(u'0')));
    }
    return level + u'/';
}

} // namespace

QString SettingsStore::readGroupText(const QString &keyPath, const QString &group,
                                     const QString &name, const QString &defaultValue) const
{
    if (group.isEmpty() || name.isEmpty())
        return defaultValue;
    // An emptied value is a removed one.
    const QString text = readText(keyPath, groupPrefix(group) + name, QString());
    return text.isEmpty() ? defaultValue : text;
}

SettingsWrite SettingsStore::writeGroupTexts(const QString &keyPath, const QString &group,
                                             const QList<std::pair<QString, QString>> &values) const
{
    if (!keyExists(keyPath))
        return missingKey(keyPath);
    if (group.isEmpty())
        return { SettingsWrite::Failure::Other, filePath(keyPath), group };
    const QString prefix = groupPrefix(group);
    QList<std::pair<QString, QString>> named;
    for (const auto &[name, value] : values) {
        if (IsStorableSettingName(prefix + name))
            named.append({ prefix + name, value });
    }
    return writeTexts(filePath(keyPath), named);
}

SettingsWrite SettingsStore::removeGroup(const QString &keyPath, const QString &group) const
{
    if (!keyExists(keyPath))
        return missingKey(keyPath);
    if (group.isEmpty())
        return { SettingsWrite::Failure::Other, filePath(keyPath), group };
    QFile file(filePath(keyPath));
    if (!file.open(QIODevice::ReadOnly))
        return SettingsWrite::failed(filePath(keyPath), file.errorString());
    const QString prefix = groupPrefix(group);
    // The group's lines stay, emptied: lines are never taken out of a file
    // that a person may have written.
    QList<std::pair<QString, QString>> emptied;
    const SettingsValues values = ReadSettingsFile(file.readAll());
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.key().startsWith(prefix))
            emptied.append({ it.key(), QString() });
    }
    file.close();
    return writeTexts(filePath(keyPath), emptied);
}

} // namespace vellumark
