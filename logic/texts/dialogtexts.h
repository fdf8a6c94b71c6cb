#pragma once

#include "logic/texts/language.h"

#include <QString>

namespace vellumark {

// The options dialog's texts in one language; "OK" is the same in all.
struct OptionsDialogTexts
{
    QString title;
    QString borderWidth; // Label1
    QString confirmExit; // Label2
    QString printerSetup; // Label3
    QString aboutAtStart; // Label4
    QString cancel; // Command2
    QString measureDefaults; // Command3
    QString measureDefaultsQuestion;
    QString cutMarks; // Label5
    QString bleed; // Label6
};
const OptionsDialogTexts &OptionsTexts(Language language);

// The texts of the picture dialog with preview that follow the language.
struct PictureDialogTexts
{
    QString caption;
    QString pictureType; // Label2
    QString preview; // Check1
    QString cancel; // Command2
};
const PictureDialogTexts &PictureTexts(Language language);

// The password prompt and the about window speak Italian only.
QString PasswordHeader(const QString &title);
QString PasswordMismatchWarning();
QString AboutCaption(const QString &title);
QString AboutPlatformLine();
QString AboutCreditLine();
QString AboutLegalNotice();

} // namespace vellumark
