#pragma once

#include "logic/settings/verbatimsettings.h"

#include <QByteArray>

namespace vellumark {

// The values of a settings file written with QSettings' INI rules, as the
// store read them: text (a list joined with ","), or a whole number that
// fits 32 bits. Values of other types are not read.
SettingsValues ReadIniSettings(const QByteArray &file);

} // namespace vellumark
