#pragma once

#include "settings/verbatimsettings.h"

#include <QByteArray>
#include <QSettings>

namespace vellumark {

// The values in a settings file: by the verbatim rules when the file is
// marked so, otherwise by the INI rules older versions wrote it with.
SettingsValues ReadSettingsFile(const QByteArray &file);

// The format under which QSettings reads and writes the settings file (its
// lock file and atomic replace stay QSettings'). Every write is in the
// verbatim format; a file in the INI format is read by its rules once and
// written anew.
QSettings::Format SettingsFileFormat();

} // namespace vellumark
