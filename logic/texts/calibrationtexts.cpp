#include "logic/texts/calibrationtexts.h"

#include "logic/numbertext.h"

#include <cmath>

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

const CalibrationTexts italian = {
    u"Calibra stampante..."_s,
    u"Stampare ora una pagina di calibrazione? Con No si inseriscono le misure di una pagina "
    u"già stampata."_s,
    u"Stampante: %1"_s,
    u"Carta: %1 (%2 x %3 mm)"_s,
    u"Data: %1"_s,
    u"Righelli stampati: orizzontale %1 mm, verticale %2 mm"_s,
    {
        u"1. Misurate in millimetri la lunghezza di ciascun righello, dal centro della croce "
        u"all'ultima tacca."_s,
        u"2. Misurate la distanza del centro della croce dal bordo sinistro e dal bordo "
        u"superiore del foglio."_s,
        u"3. Inserite le quattro misure nella finestra \"Calibra stampante...\" e premete OK."_s,
    },
    { u"Righello orizzontale (mm)"_s, u"Righello verticale (mm)"_s,
      u"Croce dal bordo sinistro (mm)"_s, u"Croce dal bordo superiore (mm)"_s },
    u"atteso %1 mm"_s,
    u"Correzione attuale: scala %1 x %2, spostamento %3 / %4 mm"_s,
    u"Nessuna correzione per questa stampante."_s,
    u"Annulla"_s,
    u"Ripristina"_s,
    u"non è un numero."_s,
    u"differisce più del 5 % dal valore atteso."_s,
    u"sposterebbe la pagina di più di 20 mm."_s,
    u"porterebbe l'angolo dell'area stampabile fuori dal foglio."_s,
    u"Corretta per %1."_s,
    u"deve essere maggiore di 0."_s,
    u"La calibrazione è per una stampante: scegliete una stampante (non un file PDF) nella "
    u"finestra di stampa e stampate la pagina di calibrazione. Nessuna correzione è stata "
    u"salvata."_s,
};

const CalibrationTexts english = {
    u"Calibrate Printer..."_s,
    u"Print a calibration page now? No enters the measures of a page printed earlier."_s,
    u"Printer: %1"_s,
    u"Paper: %1 (%2 x %3 mm)"_s,
    u"Date: %1"_s,
    u"Rulers printed: horizontal %1 mm, vertical %2 mm"_s,
    {
        u"1. Measure each ruler in millimetres, from the centre of the cross to its last tick."_s,
        u"2. Measure the distance of the cross's centre from the paper's left edge and from its "
        u"top edge."_s,
        u"3. Enter the four measures in the \"Calibrate Printer...\" window and press OK."_s,
    },
    { u"Horizontal ruler (mm)"_s, u"Vertical ruler (mm)"_s, u"Cross from left edge (mm)"_s,
      u"Cross from top edge (mm)"_s },
    u"expected %1 mm"_s,
    u"Current correction: scale %1 x %2, shift %3 / %4 mm"_s,
    u"No correction for this printer."_s,
    u"Cancel"_s,
    u"Reset"_s,
    u"is not a number."_s,
    u"is more than 5 % off the expected value."_s,
    u"would shift the page by more than 20 mm."_s,
    u"would put the printable area's corner outside the paper."_s,
    u"Corrected for %1."_s,
    u"must be more than 0."_s,
    u"Calibration is for a printer: choose a printer (not a PDF file) in the print dialog and "
    u"print the calibration page. No correction was stored."_s,
};

const CalibrationTexts german = {
    u"Drucker kalibrieren..."_s,
    u"Jetzt eine Kalibrierseite drucken? Mit Nein geben Sie die Maße einer früher gedruckten "
    u"Seite ein."_s,
    u"Drucker: %1"_s,
    u"Papier: %1 (%2 x %3 mm)"_s,
    u"Datum: %1"_s,
    u"Gedruckte Lineale: waagerecht %1 mm, senkrecht %2 mm"_s,
    {
        u"1. Messen Sie jedes Lineal in Millimetern, von der Mitte des Kreuzes bis zum letzten "
        u"Strich."_s,
        u"2. Messen Sie den Abstand der Kreuzmitte vom linken und vom oberen Rand des Blatts."_s,
        u"3. Geben Sie die vier Maße im Fenster \"Drucker kalibrieren...\" ein und drücken Sie "
        u"OK."_s,
    },
    { u"Lineal waagerecht (mm)"_s, u"Lineal senkrecht (mm)"_s, u"Kreuz vom linken Rand (mm)"_s,
      u"Kreuz vom oberen Rand (mm)"_s },
    u"erwartet %1 mm"_s,
    u"Aktuelle Korrektur: Maßstab %1 x %2, Verschiebung %3 / %4 mm"_s,
    u"Keine Korrektur für diesen Drucker."_s,
    u"Abbrechen"_s,
    u"Zurücksetzen"_s,
    u"ist keine Zahl."_s,
    u"weicht mehr als 5 % vom erwarteten Wert ab."_s,
    u"würde die Seite um mehr als 20 mm verschieben."_s,
    u"würde die Ecke des Druckbereichs außerhalb des Blatts legen."_s,
    u"Korrigiert für %1."_s,
    u"muss größer als 0 sein."_s,
    u"Die Kalibrierung gilt einem Drucker: Wählen Sie im Druckdialog einen Drucker (keine "
    u"PDF-Datei) und drucken Sie die Kalibrierseite. Es wurde keine Korrektur gespeichert."_s,
};

} // namespace

const CalibrationTexts &CalibrationTextsOf(Language language)
{
    return InLanguage(language, italian, english, german);
}

QStringList CalibrationPageLines(Language language, const PrinterPage &page, const QDate &date)
{
    const CalibrationTexts &texts = CalibrationTextsOf(language);
    const CalibrationLayout layout = CalibrationLayoutFor(page);
    QStringList lines;
    lines << texts.printerLine.arg(page.printerName)
          << texts.paperLine.arg(page.paperName, FormatNumber(std::round(page.paper.width())),
                                 FormatNumber(std::round(page.paper.height())))
          << texts.dateLine.arg(date.toString(Qt::ISODate))
          << texts.rulersLine.arg(FormatNumber(layout.rulerX), FormatNumber(layout.rulerY));
    return lines + texts.instructions;
}

QString RefusalMessage(Language language, const CalibrationOutcome &outcome)
{
    const CalibrationTexts &texts = CalibrationTextsOf(language);
    QString why;
    switch (outcome.fault) {
    case MeasureFault::None:
        return QString();
    case MeasureFault::NotANumber:
        why = texts.notANumber;
        break;
    case MeasureFault::LengthOff:
        why = texts.lengthOff;
        break;
    case MeasureFault::OffsetOff:
        why = texts.offsetOff;
        break;
    case MeasureFault::CornerOffPaper:
        why = texts.cornerOffPaper;
        break;
    case MeasureFault::NotPositive:
        why = texts.notPositive;
        break;
    }
    return texts.measures.at(std::size_t(outcome.measure)) + u": "_s + why;
}

} // namespace vellumark
