#pragma once

#include "logic/settings/settingsstore.h"

#include <QList>
#include <QString>

#include <optional>

namespace vellumark {

// "Software\Orvandi\Vellumark\Settings", built from the program's title.
QString SettingsKeyPath();

// One stored value of the settings: its name, the default that the first
// start writes, and what a read takes when the value is missing or unusable.
// The two differ only for the questions asked before exit and before
// printing: a store that lost them asks.
struct SettingDefinition
{
    QString name;
    QString defaultValue; // "Percorso" is resolved at run time: see DefaultSettingValue
    std::optional<QString> missingValue = std::nullopt; // none: the default
};

// The twenty main settings in the order the first start writes them.
const QList<SettingDefinition> &MainSettingDefinitions();

// Settings written when the user changes them, never by the first start:
// their defaults serve until then.
const QList<SettingDefinition> &ChangeWrittenSettingDefinitions();

// The default of a main setting ("Percorso": the program's folder); an
// unknown name gives the empty text.
QString DefaultSettingValue(const QString &name);
// What a read of a main setting gives when the value is missing.
QString MissingSettingValue(const QString &name);

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

    // The value as text, or the table's value for a missing one.
    QString text(const QString &name) const;
    QString text(const QString &name, const QString &defaultValue) const;
    // Whether the value is present and of a readable type.
    bool contains(const QString &name) const;
    void setText(const QString &name, const QString &value) const;

private:
    SettingsStore m_store;
};

} // namespace vellumark
