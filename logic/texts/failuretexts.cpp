#include "logic/texts/failuretexts.h"

#include <QDir>

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

const FailureTexts italian = {
    u"Impostazioni non salvate in %1: %2."_s,
    u"Impossibile creare le impostazioni %1 (%2): le modifiche non saranno conservate."_s,
    u"Non è stato possibile salvare le impostazioni della finestra in %1: %2."_s,
    u"il file delle impostazioni non esiste"_s,
    u"la sua cartella non è scrivibile"_s,
    u"il file è di sola lettura"_s,
    u"il disco è pieno"_s,
    u"errore: %1"_s,
    u"La pagina non è stata stampata su %1: %2."_s,
    u"il file non può essere scritto"_s,
    u"la stampante ha segnalato un errore"_s,
    u"la stampante non ha accettato la pagina"_s,
    u"Pagina di calibrazione annullata."_s,
    u"La pagina di calibrazione non è stata stampata su %1: %2."_s,
    u"Impossibile aprire %1."_s,
};

const FailureTexts english = {
    u"Settings not saved to %1: %2."_s,
    u"The settings %1 cannot be created (%2): changes will not be kept."_s,
    u"The window's settings could not be saved to %1: %2."_s,
    u"the settings file does not exist"_s,
    u"its folder cannot be written to"_s,
    u"the file is read-only"_s,
    u"the disk is full"_s,
    u"error: %1"_s,
    u"The page was not printed on %1: %2."_s,
    u"the file cannot be written"_s,
    u"the printer reported an error"_s,
    u"the printer did not take the page"_s,
    u"Calibration page cancelled."_s,
    u"The calibration page was not printed on %1: %2."_s,
    u"%1 cannot be opened."_s,
};

const FailureTexts german = {
    u"Einstellungen nicht gespeichert in %1: %2."_s,
    u"Die Einstellungen %1 können nicht angelegt werden (%2): Änderungen gehen verloren."_s,
    u"Die Einstellungen des Fensters konnten nicht in %1 gespeichert werden: %2."_s,
    u"die Einstellungsdatei existiert nicht"_s,
    u"ihr Ordner ist schreibgeschützt"_s,
    u"die Datei ist schreibgeschützt"_s,
    u"der Datenträger ist voll"_s,
    u"Fehler: %1"_s,
    u"Die Seite wurde nicht auf %1 gedruckt: %2."_s,
    u"die Datei kann nicht geschrieben werden"_s,
    u"der Drucker hat einen Fehler gemeldet"_s,
    u"der Drucker hat die Seite nicht angenommen"_s,
    u"Kalibrierungsseite abgebrochen."_s,
    u"Die Kalibrierungsseite wurde nicht auf %1 gedruckt: %2."_s,
    u"%1 kann nicht geöffnet werden."_s,
};

} // namespace

const FailureTexts &FailuresIn(Language language)
{
    return InLanguage(language, italian, english, german);
}

QString SettingsFailureReason(Language language, const SettingsWrite &write)
{
    const FailureTexts &texts = FailuresIn(language);
    switch (write.failure) {
    case SettingsWrite::Failure::KeyMissing:
        return texts.keyMissing;
    case SettingsWrite::Failure::FolderNotWritable:
        return texts.folderNotWritable;
    case SettingsWrite::Failure::FileReadOnly:
        return texts.fileReadOnly;
    case SettingsWrite::Failure::DiskFull:
        return texts.diskFull;
    case SettingsWrite::Failure::None:
    case SettingsWrite::Failure::Other:
        break;
    }
    return texts.otherFault.arg(write.detail);
}

QString SettingsNotSavedMessage(Language language, const SettingsWrite &write)
{
    return FailuresIn(language).settingsNotSaved.arg(QDir::toNativeSeparators(write.file),
                                                     SettingsFailureReason(language, write));
}

QString PrintFaultReason(Language language, PrintFault fault)
{
    const FailureTexts &texts = FailuresIn(language);
    switch (fault) {
    case PrintFault::FileNotWritable:
        return texts.fileNotWritable;
    case PrintFault::PrinterError:
        return texts.printerError;
    case PrintFault::PageNotStarted:
        break;
    }
    return texts.pageNotStarted;
}

} // namespace vellumark
