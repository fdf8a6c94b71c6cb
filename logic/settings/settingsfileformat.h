#pragma once

#include "logic/settings/verbatimsettings.h"

#include <QByteArray>
#include <QString>

namespace vellumark {

// The values in a settings file: by the verbatim rules when the file is
// marked so, otherwise by the INI rules older versions wrote it with.
SettingsValues ReadSettingsFile(const QByteArray &file);

// The file with one value written into it. A verbatim file keeps every
// other line byte for byte (and comes back unchanged when it holds the value
// already); a file of the INI format is written anew, in the verbatim
// format, with all its values.
QByteArray WithSettingValue(const QByteArray &file, const QString &name, const QString &text);

} // namespace vellumark
