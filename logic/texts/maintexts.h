#pragma once

#include "logic/texts/language.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace vellumark {

// The main window's texts in one language, each element in the order the
// language switch sets it.
struct MainWindowTexts
{
    QString marker; // the language marker, as stored
    QString loadHint; // Label20 and Label21
    QString sizeHeadingA; // Label4
    QString sizeHeadingB; // Label5
    QString borderCaption; // Label22 and Label23
    QString printTool; // ID_Print
    QString positionHeadingA; // Label10
    QString positionHeadingB; // Label13
    QString listTip; // List1 and List2
    // ID_Uscita, ID_Lingua, ID_Duch, ID_English, ID_Italiano, in this order.
    QList<std::pair<QString, QString>> languageTools;
    QString checkedLanguageTool;
    // ID_Guida ... ID_Opzioni, then the print preview and the PDF export.
    QList<std::pair<QString, QString>> otherTools;
    QStringList typologies; // the entries of both lists, index 0 to 2
    // Label6, Label8, Label7, Label9, Label11, Label14, Label12, Label15.
    QList<std::pair<QString, QString>> fieldLabels;
};

const MainWindowTexts &MainTexts(Language language);

// The captions of the tools that read the same in every language.
const QList<std::pair<QString, QString>> &FixedToolCaptions();

// A tool's caption in a language, from the language's texts or else from
// the fixed captions; the empty text for an ID that has none.
QString ToolCaption(Language language, const QString &id);

// The exit question of the main window in the marker's language.
QString ExitQuestion(Language language, const QString &title);

} // namespace vellumark
