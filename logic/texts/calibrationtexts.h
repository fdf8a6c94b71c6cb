#pragma once

#include "logic/page/printercalibration.h"
#include "logic/texts/language.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

namespace vellumark {

// The texts of the printer calibration in one language: its page, its
// dialog, its refusals and the status bar's word on a corrected print.
struct CalibrationTexts
{
    QString title;
    QString printFirstQuestion; // Yes prints a page, No measures an earlier one
    // The page.
    QString printerLine; // %1 printer
    QString paperLine; // %1 paper, %2 x %3 its size in mm
    QString dateLine; // %1 date
    QString rulersLine; // %1, %2 the rulers' lengths in mm
    QStringList instructions;
    // The dialog.
    std::array<QString, kCalibrationMeasures> measures;
    QString expected; // %1 mm
    QString currentCorrection; // %1 %2 scales, %3 %4 shifts in mm
    QString noCorrection;
    QString cancel;
    QString reset;
    // Why a measure is refused, after its name.
    QString notANumber;
    QString lengthOff;
    QString offsetOff;
    QString cornerOffPaper;
    QString correctedFor; // %1 printer; a sentence after the page-sent one
    QString notPositive;
    // Said instead of the dialog when the page goes to a file, or nowhere.
    QString onlyForPrinters;
};

const CalibrationTexts &CalibrationTextsOf(Language language);

// The lines of the calibration page: printer, paper, date, the rulers'
// lengths, then the instructions.
QStringList CalibrationPageLines(Language language, const PrinterPage &page, const QDate &date);

// "<measure>: <why>" for a refused measure; empty when nothing was refused.
QString RefusalMessage(Language language, const CalibrationOutcome &outcome);

} // namespace vellumark
