#pragma once

#include "logic/settings/settingswrite.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

namespace vellumark {

// The per-user key/value store. A key path such as
// "Software\Orvandi\Vellumark\Settings" names a file below the root folder:
// the levels after "Software" are folders and the last level is a file
// (<root>/Orvandi/Vellumark/Settings.ini) that a person can edit: each value
// is read exactly as it stands after "=" (logic/settings/verbatimsettings.h). A key
// exists exactly when its file exists. Every call opens the file, does one
// thing and closes it: nothing is cached, so a value written is read back at
// once.
class SettingsStore
{
public:
    // Value types, as the callers name them.
    enum Type { Text = 1, Number = 4, TextList = 7 };

    // A store rooted at the given folder.
    explicit SettingsStore(QString rootFolder);

    // The current user's store: the configuration folder of the desktop
    // (XDG_CONFIG_HOME where it is set).
    static SettingsStore forCurrentUser();

    QString rootFolder() const { return m_root; }
    QString filePath(const QString &keyPath) const;
    bool keyExists(const QString &keyPath) const;

    // Creates the key when it is missing, readable and writable by its owner
    // only; an existing key and its values are left untouched. Every write
    // tells whether it stored what it was given, or why not.
    SettingsWrite CreateSettingsKey(const QString &keyPath) const;

    // Reads one value. A missing key or value, or a value of a type that is
    // not handled, gives the default. Values read as text; only a file still
    // in the older INI format can hold a number stored as such (read as int).
    QVariant GetSettingValue(const QString &keyPath, const QString &name,
                             const QVariant &defaultValue) const;

    // Writes one value, leaving every other line of the file as it is. Type
    // Text stores the value as text, type Number as the text of a 32-bit
    // integer; other types store nothing. A missing key, or a name that
    // cannot stand in the file, stores nothing.
    SettingsWrite SetSettingValue(const QString &keyPath, const QString &name,
                                  const QVariant &value, int type = Text) const;

    // Shorthands for the text values the program uses throughout.
    QString readText(const QString &keyPath, const QString &name,
                     const QString &defaultValue) const;
    SettingsWrite writeText(const QString &keyPath, const QString &name,
                            const QString &value) const;

    // Text values kept in a group of their own inside a key, apart from the
    // key's main values (one group per printer, say), as "<group>/<name>".
    // Any text names a group: "%", "/", "\", "=" and control characters are
    // escaped in the file. The values of one call are written in one replace
    // of the file; removing a group empties its values.
    QString readGroupText(const QString &keyPath, const QString &group, const QString &name,
                          const QString &defaultValue) const;
    SettingsWrite writeGroupTexts(const QString &keyPath, const QString &group,
                                  const QList<std::pair<QString, QString>> &values) const;
    SettingsWrite removeGroup(const QString &keyPath, const QString &group) const;

private:
    SettingsWrite missingKey(const QString &keyPath) const;
    // Writes the values into the file in one replace, under its lock.
    static SettingsWrite writeTexts(const QString &path,
                                    const QList<std::pair<QString, QString>> &values);

    QString m_root;
};

} // namespace vellumark
