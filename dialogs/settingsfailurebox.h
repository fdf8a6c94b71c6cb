#pragma once

#include "logic/settings/settingswrite.h"
#include "logic/texts/language.h"

class QWidget;

namespace vellumark {

// Tells, over a dialog that stays open, that its values were not written
// to the settings and why.
void ShowSettingsNotSaved(QWidget *parent, Language language, const SettingsWrite &write);

} // namespace vellumark
