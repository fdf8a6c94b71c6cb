#pragma once

#include "logic/page/fitcheck.h"
#include "logic/pictures/picturefault.h"
#include "logic/texts/language.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vellumark {

// The fit check's question and the status bar's messages in one language.
struct MessageTexts
{
    QString coverA; // the covers as the subject of the question
    QString coverB;
    QString coverDvd;
    QString cutOff; // %1 cover, %2 centimetres, %3 side
    QStringList sides; // left, top, right, bottom
    QString printAnyway;
    QChar decimalSeparator;

    QString pageSent; // %1 printer, %2 the covers
    QString sentA;
    QString sentB;
    QString sentAB;
    QString sentDvd;
    QString pdfSaved; // %1 file
    QString pdfNotSaved; // %1 file
    QString exportCancelled;
    QString printCancelled;
    QString noPrinter;
    QString unreadable; // %1 file name
    QString notAPicture;
    QString damaged;
};

const MessageTexts &Messages(Language language);

// "Cover B goes 1.3 cm beyond the bottom of the printable area and will be
// cut off. Print anyway?", one sentence per cut.
QString CutOffQuestion(Language language, const QList<CutOff> &cuts);

// The same sentences without the question, as the print preview says them;
// empty when nothing is cut.
QString CutOffWarning(Language language, const QList<CutOff> &cuts);

// Which covers went to which printer; covers are named "A", "B", "DVD".
QString PageSentMessage(Language language, const QString &printer, const QStringList &covers);

QString PictureFaultMessage(Language language, const QString &fileName, PictureFault fault);

} // namespace vellumark
