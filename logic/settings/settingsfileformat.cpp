#include "logic/settings/settingsfileformat.h"

#include "logic/settings/inisettings.h"

namespace vellumark {

SettingsValues ReadSettingsFile(const QByteArray &file)
{
    return IsVerbatimSettingsFile(file) ? ReadVerbatimSettings(file) : ReadIniSettings(file);
}

QByteArray WithSettingValue(const QByteArray &file, const QString &name, const QString &text)
{
    // The other values of a verbatim file live in its lines, which are kept.
    SettingsValues values = IsVerbatimSettingsFile(file) ? SettingsValues() : ReadIniSettings(file);
    values.insert(name, text);
    return WriteVerbatimSettings(file, values);
}

} // namespace vellumark
