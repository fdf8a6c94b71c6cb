#include "logic/settings/programsettings.h"

#include "logic/programinfo.h"

namespace vellumark {

QString SettingsKeyPath()
{
    return QStringLiteral("Software\\Orvandi\\") + ProgramTitle() + QStringLiteral("\\Settings");
}

const QList<SettingDefinition> &MainSettingDefinitions()
{
    static const QList<SettingDefinition> table = {
        { QStringLiteral("Stampa"), QStringLiteral("C") },
        { QStringLiteral("Anteprima"), QStringLiteral("0") },
        { QStringLiteral("Percorso"), QString() },
        { QStringLiteral("BordoA"), QStringLiteral("0") },
        { QStringLiteral("BordoB"), QStringLiteral("0") },
        { QStringLiteral("TipoCoverA"), QStringLiteral("0") },
        { QStringLiteral("TipoCoverB"), QStringLiteral("0") },
        { QStringLiteral("Lingua"), QStringLiteral("Italiano") },
        { QStringLiteral("Skin"), QStringLiteral("1") },
        { QStringLiteral("Colore"), QStringLiteral("255") },
        { QStringLiteral("ApriFile"), QStringLiteral("1") },
        { QStringLiteral("Immagine"), QString() },
        { QStringLiteral("Elimina"), QStringLiteral("1") },
        { QStringLiteral("About"), QStringLiteral("1") },
        { QStringLiteral("Uscita"), QStringLiteral("0"), QStringLiteral("1") },
        { QStringLiteral("Aggiungi"), QStringLiteral("0") },
        { QStringLiteral("OnPassword"), QStringLiteral("0") },
        { QStringLiteral("Password"), QString() },
        { QStringLiteral("Stampante"), QStringLiteral("0"), QStringLiteral("1") },
        { QStringLiteral("Spessore"), QStringLiteral("5") },
    };
    return table;
}

const QList<SettingDefinition> &ChangeWrittenSettingDefinitions()
{
    static const QList<SettingDefinition> table = {
        { QStringLiteral("AdattaA"), QStringLiteral("0") },
        { QStringLiteral("AdattaB"), QStringLiteral("0") },
        { QStringLiteral("AdattaDVD"), QStringLiteral("0") },
        { QStringLiteral("Abbondanza"), QStringLiteral("0") },
    };
    return table;
}

namespace {

const SettingDefinition *definitionOf(const QString &name)
{
    for (const QList<SettingDefinition> *table :
         { &MainSettingDefinitions(), &ChangeWrittenSettingDefinitions() }) {
        for (const SettingDefinition &definition : *table) {
            if (definition.name == name)
                return &definition;
        }
    }
    return nullptr;
}

} // namespace

QString DefaultSettingValue(const QString &name)
{
    if (name == u"Percorso")
        return ProgramFolder();
    const SettingDefinition *definition = definitionOf(name);
    return definition ? definition->defaultValue : QString();
}

QString MissingSettingValue(const QString &name)
{
    const SettingDefinition *definition = definitionOf(name);
    if (definition && definition->missingValue)
        return *definition->missingValue;
    return DefaultSettingValue(name);
}

QString ProgramSettings::text(const QString &name) const
{
    return text(name, MissingSettingValue(name));
}

QString ProgramSettings::text(const QString &name, const QString &defaultValue) const
{
    return m_store.readText(SettingsKeyPath(), name, defaultValue);
}

bool ProgramSettings::contains(const QString &name) const
{
    return m_store.GetSettingValue(SettingsKeyPath(), name, QVariant()).isValid();
}

void ProgramSettings::setText(const QString &name, const QString &value) const
{
    m_store.writeText(SettingsKeyPath(), name, value);
}

} // namespace vellumark
