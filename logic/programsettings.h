#pragma once

#include "logic/settingsstore.h"

#include <QList>
#include <QString>

namespace vellumark {

// "Software\Orvandi\Vellumark\Settings", built from the program's title.
QString SettingsKeyPath();

// One stored value of the main settings: its name and the default that
// the first start writes and that a missing or unusable value falls back to.
struct SettingDefinition
{
    QString name;
    QString defaultValue; // "Percorso" is resolved at run time: see DefaultSettingValue
};

// The twenty main settings in the order the first start writes them.
const QList<SettingDefinition> &MainSettingDefinitions();

// The default of a main setting ("Percorso": the program's folder); an
// unknown name gives the empty text.
QString DefaultSettingValue(const QString &name);

// The program's own key in a store. Reads fall back to the table's default
// unless the caller gives another one.
class ProgramSettings
{
public:
    explicit ProgramSettings(SettingsStore store)
        : m_store(std::move(store))
    { }

    const SettingsStore &store() const { return m_store; }
    bool keyExists() const { return m_store.keyExists(SettingsKeyPath()); }
    void createKey() const { m_store.CreateSettingsKey(SettingsKeyPath()); }

    // The value as text, or the table's default when it is missing.
    QString text(const QString &name) const;
    QString text(const QString &name, const QString &defaultValue) const;
    // Whether the value is present and of a readable type.
    bool contains(const QString &name) const;
    void setText(const QString &name, const QString &value) const;

private:
    SettingsStore m_store;
};

} // namespace vellumark
