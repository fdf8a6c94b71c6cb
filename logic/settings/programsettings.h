#pragma once

#include "logic/settings/settingnames.h"
#include "logic/settings/settingsstore.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace vellumark {

// "Software\Orvandi\Vellumark\Settings", built from the program's title.
QString SettingsKeyPath();

// One stored value of the settings: its name, its default, and what a read
// takes when the value is missing or unusable. The two differ only for the
// questions asked before exit and before printing: a store that lost them
// asks.
struct SettingDefinition
{
    QString name;
    QString defaultValue; // the picture folder's is resolved at run time: see DefaultSettingValue
    std::optional<QString> missingValue = std::nullopt; // none: the default
    bool writtenAtFirstStart = true;
};

// Every value of the key with a fixed name, in the order the first start
// writes them; those it does not write come last.
const QList<SettingDefinition> &SettingDefinitions();
// The twenty that the first start writes, in that order.
const QList<SettingDefinition> &MainSettingDefinitions();

// The default of a setting (the picture folder: the program's folder); an
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
    SettingsWrite createKey() const { return m_store.CreateSettingsKey(SettingsKeyPath()); }
    // The first start: creates the key and writes the main settings'
    // defaults. What became of the key: when it cannot be made, nothing is
    // written.
    SettingsWrite writeDefaults() const;

    // The value as text, or the table's value for a missing one.
    QString text(const QString &name) const;
    QString text(const QString &name, const QString &defaultValue) const;
    // Whether the value is present and of a readable type.
    bool contains(const QString &name) const;
    SettingsWrite setText(const QString &name, const QString &value) const;

    // Told of what became of every value written through this object and
    // its copies, so that a failure is never lost where a caller did not look.
    using WriteObserver = std::function<void(const SettingsWrite &)>;
    void setWriteObserver(WriteObserver observer) { m_observer = std::move(observer); }

private:
    SettingsStore m_store;
    WriteObserver m_observer;
};

} // namespace vellumark
