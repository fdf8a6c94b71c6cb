#include "dialogs/settingsfailurebox.h"

#include "logic/texts/failuretexts.h"

#include <QMessageBox>

namespace vellumark {

void ShowSettingsNotSaved(QWidget *parent, Language language, const SettingsWrite &write)
{
    QMessageBox box(QMessageBox::Warning, parent ? parent->windowTitle() : QString(),
                    SettingsNotSavedMessage(language, write), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("SettingsNotSaved"));
    box.exec();
}

} // namespace vellumark
