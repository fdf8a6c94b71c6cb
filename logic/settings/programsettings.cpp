#include "logic/settings/programsettings.h"

#include "logic/programinfo.h"

namespace vellumark {

QString SettingsKeyPath()
{
    return QStringLiteral("Software\\Orvandi\\") + ProgramTitle() + QStringLiteral("\\Settings");
}

const QList<SettingDefinition> &SettingDefinitions()
{
    namespace Name = SettingName;
    static const QList<SettingDefinition> table = {
        { Name::PrintSelection, QStringLiteral("C") },
        { Name::PreviewSwitch, QStringLiteral("0") },
        { Name::PictureFolder, QString() },
        { Name::BorderA, QStringLiteral("0") },
        { Name::BorderB, QStringLiteral("0") },
        { Name::TypologyA, QStringLiteral("0") },
        { Name::TypologyB, QStringLiteral("0") },
        { Name::Language, QStringLiteral("Italiano") },
        { Name::FillStyle, QStringLiteral("1") },
        { Name::FillColour, QStringLiteral("255") },
        { Name::OpenWithPreview, QStringLiteral("1") },
        { Name::BackgroundPicture, QString() },
        { Name::UnreadRemove, QStringLiteral("1") },
        { Name::ShowAbout, QStringLiteral("1") },
        { Name::ConfirmExit, QStringLiteral("0"), QStringLiteral("1") },
        { Name::UnreadAdd, QStringLiteral("0") },
        { Name::AskPassword, QStringLiteral("0") },
        { Name::Password, QString() },
        { Name::PrinterSetupFirst, QStringLiteral("0"), QStringLiteral("1") },
        { Name::BorderWidth, QStringLiteral("5") },
        // Added with the cut marks: a first start leaves it out, as it
        // always has.
        { Name::CutMarks, QStringLiteral("0"), std::nullopt, false },
        // Added with the fit modes and the bleed, written when changed.
        { Name::FitA, QStringLiteral("0"), std::nullopt, false },
        { Name::FitB, QStringLiteral("0"), std::nullopt, false },
        { Name::FitDvd, QStringLiteral("0"), std::nullopt, false },
        { Name::Bleed, QStringLiteral("0"), std::nullopt, false },
    };
    return table;
}

const QList<SettingDefinition> &MainSettingDefinitions()
{
    static const QList<SettingDefinition> written = [] {
        QList<SettingDefinition> list;
        for (const SettingDefinition &definition : SettingDefinitions()) {
            if (definition.writtenAtFirstStart)
                list.append(definition);
        }
        return list;
    }();
    return written;
}

QString DefaultSettingValue(const QString &name)
{
    if (name == SettingName::PictureFolder)
        return ProgramFolder();
    for (const SettingDefinition &definition : SettingDefinitions()) {
        if (definition.name == name)
            return definition.defaultValue;
    }
    return QString();
}

QString MissingSettingValue(const QString &name)
{
    for (const SettingDefinition &definition : SettingDefinitions()) {
        if (definition.name == name && definition.missingValue)
            return *definition.missingValue;
    }
    return DefaultSettingValue(name);
}

SettingsWrite ProgramSettings::writeDefaults() const
{
    const SettingsWrite key = createKey();
    if (!key.ok())
        return key;
    for (const SettingDefinition &definition : MainSettingDefinitions())
        setText(definition.name, DefaultSettingValue(definition.name));
    return key;
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

SettingsWrite ProgramSettings::setText(const QString &name, const QString &value) const
{
    const SettingsWrite result = m_store.writeText(SettingsKeyPath(), name, value);
    if (m_observer)
        m_observer(result);
    return result;
}

} // namespace vellumark
