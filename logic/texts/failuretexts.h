#pragma once

#include "logic/page/printfault.h"
#include "logic/settings/settingswrite.h"
#include "logic/texts/language.h"

#include <QString>

namespace vellumark {

// The words for what failed: settings not written, a page not printed, a
// link not opened, in one language.
struct FailureTexts
{
    QString settingsNotSaved; // %1 file, %2 why
    QString settingsKeyNotCreated; // %1 file, %2 why
    QString windowSettingsNotSaved; // %1 file, %2 why
    QString keyMissing;
    QString folderNotWritable;
    QString fileReadOnly;
    QString diskFull;
    QString otherFault; // %1 the system's words
    QString pageNotPrinted; // %1 printer or file, %2 why
    QString fileNotWritable;
    QString printerError;
    QString pageNotStarted;
    QString calibrationPageCancelled;
    QString calibrationPageNotPrinted; // %1 printer or file, %2 why
    QString linkNotOpened; // %1 address
};

const FailureTexts &FailuresIn(Language language);

// Why a settings write failed, in words: "the file is read-only".
QString SettingsFailureReason(Language language, const SettingsWrite &write);
// The status bar's word on a failed settings write.
QString SettingsNotSavedMessage(Language language, const SettingsWrite &write);

QString PrintFaultReason(Language language, PrintFault fault);

} // namespace vellumark
