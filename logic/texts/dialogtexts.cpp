#include "logic/texts/dialogtexts.h"

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

const OptionsDialogTexts italianOptions = {
    u"Opzioni..."_s,
    u"Spessore del bordo (da 1 a 10)..."_s,
    u"Conferma uscita dal programma..."_s,
    u"Visualizza impostazioni di stampa..."_s,
    u"Visualizza finestra di About all'avvio..."_s,
    u"Annulla"_s,
    u"Valori di default..."_s,
    u"Attenzione! I valori messi manualmente verranno eliminati. Sicuro di voler continuare?"_s,
    u"Segni di taglio"_s,
    u"Abbondanza (mm)"_s,
};

const OptionsDialogTexts englishOptions = {
    u"Options..."_s,
    u"Border size ( 1 to 10)..."_s,
    u"Confirm exit of program..."_s,
    u"View printer configuration..."_s,
    u"View About window at startup..."_s,
    u"Cancel"_s,
    u"Default value..."_s,
    u"Attention! The values manually written will be eliminated. Sure to continue?"_s,
    u"Cut marks"_s,
    u"Bleed (mm)"_s,
};

const OptionsDialogTexts germanOptions = {
    u"Möglichkeiten..."_s,
    u"Rand-Größe (1 bis 10)..."_s,
    u"Bestätigen Sie Ausgang von Programm..."_s,
    u"Sehen Sie Drucker-Konfiguration an..."_s,
    u"Veranschaulicht zum start fenster von About..."_s,
    u"Ausgang"_s,
    u"Standard Wert..."_s,
    u" Aufmerksamkeit! Die Werte, die von Hand geschrieben werden, werden ausgeschlossen werden. "
    u"Sicher fortzusetzen?"_s,
    u"Schnittmarken"_s,
    u"Beschnittzugabe (mm)"_s,
};

const PictureDialogTexts italianPicture = {
    u"Seleziona cover..."_s,
    u"Tipo di file..."_s,
    u"Anteprima..."_s,
    u"Annulla"_s,
};

const PictureDialogTexts englishPicture = {
    u"Select cover..."_s,
    u"Type of file..."_s,
    u"Preview..."_s,
    u"Cancel"_s,
};

const PictureDialogTexts germanPicture = {
    u"Auserlesene Decke..."_s,
    u"Art von Akte..."_s,
    u"Vorschau..."_s,
    u"Ausgang"_s,
};

} // namespace

const OptionsDialogTexts &OptionsTexts(Language language)
{
    return InLanguage(language, italianOptions, englishOptions, germanOptions);
}

const PictureDialogTexts &PictureTexts(Language language)
{
    return InLanguage(language, italianPicture, englishPicture, germanPicture);
}

QString PasswordHeader(const QString &title)
{
    return u"Password di "_s + title;
}

QString PasswordMismatchWarning()
{
    return u"Attenzione! La password inserita non corrisponde a quella del programma. Può provare "
           u"ad inserirla ancora una volta, dopodiché il programma terminerà automaticamente."_s;
}

QString AboutCaption(const QString &title)
{
    return u"Informazioni su "_s + title;
}

QString AboutPlatformLine()
{
    return u"Per sistemi Windows a 32 bit"_s;
}

QString AboutCreditLine()
{
    return u"Realizzato da Orvandi Teodrin"_s;
}

QString AboutLegalNotice()
{
    return u"Attenzione: questo programma è tutelato dalle leggi sul diritto d'autore. La "
           u"riproduzione o la distribuzione non autorizzata di questo programma, o di parte di "
           u"esso, è vietata."_s;
}

} // namespace vellumark
