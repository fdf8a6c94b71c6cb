#include "logic/texts/maintexts.h"

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

const MainWindowTexts italian = {
    u"Italiano"_s,
    u"Clicca qui per caricare la cover..."_s,
    u"Dimensioni Cover A (in cm)"_s,
    u"Dimensioni Cover B (in cm)"_s,
    u"Disegna Bordo"_s,
    u"Stampa"_s,
    u"Posizione Cover A (in cm)"_s,
    u"Posizione Cover B (in cm)"_s,
    u"Seleziona e clicca sulla tipologia di cover..."_s,
    {
        { u"ID_Uscita"_s, u"Uscita"_s },
        { u"ID_Lingua"_s, u"Lingua"_s },
        { u"ID_Duch"_s, u"Tedesco"_s },
        { u"ID_English"_s, u"Inglese"_s },
        { u"ID_Italiano"_s, u"Italiano"_s },
    },
    u"ID_Italiano"_s,
    {
        { u"ID_Guida"_s, u"Guida in Linea..."_s },
        { u"ID_Orvandi"_s, u"Orvandi Teodrin sul Web"_s },
        { u"ID_Email"_s, u"Posta Elettronica"_s },
        { u"ID_Informazioni"_s, u"Informazioni sul Prodotto"_s },
        { u"ID_Skin0"_s, u"Riempito"_s },
        { u"ID_Skin1"_s, u"Trasparente"_s },
        { u"ID_Skin2"_s, u"Linee Orizzontali"_s },
        { u"ID_Skin3"_s, u"Linee Verticali"_s },
        { u"ID_Skin4"_s, u"Oblique a Scendere"_s },
        { u"ID_Skin5"_s, u"Oblique a Salire"_s },
        { u"ID_Skin6"_s, u"Incrociate"_s },
        { u"ID_Skin7"_s, u"Incrociate Oblique"_s },
        { u"ID_Colore"_s, u"Colore Linee..."_s },
        { u"ID_Immagine"_s, u"Immagine..."_s },
        { u"ID_Elimina"_s, u"Rimuovi Sfondo"_s },
        { u"ID_Apertura"_s, u"Stile Apertura File..."_s },
        { u"ID_ApriPrew"_s, u"Con Anteprima"_s },
        { u"ID_ApriWin"_s, u"Stile Windows"_s },
        { u"ID_Stampa"_s, u"Setup Stampante..."_s },
        { u"ID_Opzioni"_s, u"Opzioni..."_s },
        { u"ID_AnteprimaStampa"_s, u"Anteprima di stampa..."_s },
        { u"ID_EsportaPDF"_s, u"Esporta PDF..."_s },
        { u"ID_Calibra"_s, u"Calibra stampante..."_s },
    },
    { u"Fronte\\CD"_s, u"Retro"_s, u"Retro s.a."_s, u"Etichetta\\CD"_s },
    {
        { u"Label6"_s, u"larg. "_s },
        { u"Label8"_s, u"  larg."_s },
        { u"Label7"_s, u"alt. "_s },
        { u"Label9"_s, u"  alt."_s },
        { u"Label11"_s, u"oriz. "_s },
        { u"Label14"_s, u"  oriz."_s },
        { u"Label12"_s, u"vert. "_s },
        { u"Label15"_s, u"  vert."_s },
    },
};

const MainWindowTexts english = {
    u"Inglese"_s,
    u"Click here to load the cover..."_s,
    u"Cover A Dimension (in cm)"_s,
    u"Cover B Dimension (in cm)"_s,
    u"Draw Edge"_s,
    u"Print"_s,
    u"Cover A Position (in cm)"_s,
    u"Cover B Position(in cm)"_s,
    u"Selects and click on the typology of cover..."_s,
    {
        { u"ID_Uscita"_s, u"Exit"_s },
        { u"ID_Lingua"_s, u"Language"_s },
        { u"ID_Duch"_s, u"Duch"_s },
        { u"ID_English"_s, u"English"_s },
        { u"ID_Italiano"_s, u"Italian"_s },
    },
    u"ID_English"_s,
    {
        { u"ID_Guida"_s, u"Help Topics..."_s },
        { u"ID_Orvandi"_s, u"Orvandi Teodrin in the Web"_s },
        { u"ID_Email"_s, u"E-Mail"_s },
        { u"ID_Informazioni"_s, u"Product Information"_s },
        { u"ID_Skin0"_s, u"Solid"_s },
        { u"ID_Skin1"_s, u"Transparent"_s },
        { u"ID_Skin2"_s, u"Horizontal Line"_s },
        { u"ID_Skin3"_s, u"Vertical Line"_s },
        { u"ID_Skin4"_s, u"Upward Diagonal"_s },
        { u"ID_Skin5"_s, u"Downward Diagonal"_s },
        { u"ID_Skin6"_s, u"Cross"_s },
        { u"ID_Skin7"_s, u"Diagonal Cross"_s },
        { u"ID_Colore"_s, u"Color Shapes..."_s },
        { u"ID_Immagine"_s, u"Picture..."_s },
        { u"ID_Elimina"_s, u"Remove Background"_s },
        { u"ID_Apertura"_s, u"Style Open File..."_s },
        { u"ID_ApriPrew"_s, u"With Prewiev"_s },
        { u"ID_ApriWin"_s, u"Windows Style"_s },
        { u"ID_Stampa"_s, u"Printer Setup..."_s },
        { u"ID_Opzioni"_s, u"Options..."_s },
        { u"ID_AnteprimaStampa"_s, u"Print Preview..."_s },
        { u"ID_EsportaPDF"_s, u"Export PDF..."_s },
        { u"ID_Calibra"_s, u"Calibrate Printer..."_s },
    },
    { u"Front\\CD"_s, u"Back"_s, u"Back w.f."_s, u"Label\\CD"_s },
    {
        { u"Label6"_s, u"width  "_s },
        { u"Label8"_s, u"  width"_s },
        { u"Label7"_s, u"height  "_s },
        { u"Label9"_s, u"  height"_s },
        { u"Label11"_s, u"horiz. "_s },
        { u"Label14"_s, u"  horiz."_s },
        { u"Label12"_s, u"vert. "_s },
        { u"Label15"_s, u"  vert."_s },
    },
};

const MainWindowTexts german = {
    u"Tedesco"_s,
    u"Klicken Sie hier, um die Decke zu beladen..."_s,
    u"Decken Sie A Dimension (in cm) "_s,
    u"Decken Sie B Dimension (in cm) "_s,
    u"Zeichnen Sie Rand"_s,
    u"Druck"_s,
    u"Decken Sie A Position (in cm)"_s,
    u"Decken Sie B Position (in cm)"_s,
    u"Wählt aus und klickt die Typologie von Decke an..."_s,
    {
        { u"ID_Uscita"_s, u"Ausgang"_s },
        { u"ID_Lingua"_s, u"Sprache"_s },
        { u"ID_Duch"_s, u"Duch"_s },
        { u"ID_English"_s, u"Englisch"_s },
        { u"ID_Italiano"_s, u"Italienisch"_s },
    },
    u"ID_Duch"_s,
    {
        { u"ID_Guida"_s, u"Helfen Sie Themen..."_s },
        { u"ID_Orvandi"_s, u"Orvandi Teodrin in der Web"_s },
        { u"ID_Email"_s, u"E-Mail"_s },
        { u"ID_Informazioni"_s, u"Produkt-Informationen"_s },
        { u"ID_Skin0"_s, u"Fest"_s },
        { u"ID_Skin1"_s, u"Durchsichtig"_s },
        { u"ID_Skin2"_s, u"Waagerechte Linie"_s },
        { u"ID_Skin3"_s, u"Senkrechte Linie"_s },
        { u"ID_Skin4"_s, u"Aufwärts Diagonal"_s },
        { u"ID_Skin5"_s, u"Abwärts führen Diagonale"_s },
        { u"ID_Skin6"_s, u"Kreuz"_s },
        { u"ID_Skin7"_s, u"Diagonales Kreuz"_s },
        { u"ID_Colore"_s, u"Farbe-Formen..."_s },
        { u"ID_Immagine"_s, u"Bild..."_s },
        { u"ID_Elimina"_s, u"Entfernen Sie Hintergrund"_s },
        { u"ID_Apertura"_s, u"Stil Offene Akte..."_s },
        { u"ID_ApriPrew"_s, u"Mit Prewiev"_s },
        { u"ID_ApriWin"_s, u"Windows Style"_s },
        { u"ID_Stampa"_s, u"Drucker-Umstände..."_s },
        { u"ID_Opzioni"_s, u" Möglichkeiten..."_s },
        { u"ID_AnteprimaStampa"_s, u"Druckvorschau..."_s },
        { u"ID_EsportaPDF"_s, u"Als PDF exportieren..."_s },
        { u"ID_Calibra"_s, u"Drucker kalibrieren..."_s },
    },
    { u"Front\\CD"_s, u"Zurück"_s, u"Zurück w.f."_s, u"Etikett\\CD"_s },
    {
        { u"Label6"_s, u"weite  "_s },
        { u"Label8"_s, u"  weite"_s },
        { u"Label7"_s, u"höhe  "_s },
        { u"Label9"_s, u"  höhe"_s },
        { u"Label11"_s, u"waager. "_s },
        { u"Label14"_s, u"  waager."_s },
        { u"Label12"_s, u"senkr. "_s },
        { u"Label15"_s, u"  senkr."_s },
    },
};

} // namespace

const MainWindowTexts &MainTexts(Language language)
{
    return InLanguage(language, italian, english, german);
}

const QList<std::pair<QString, QString>> &FixedToolCaptions()
{
    static const QList<std::pair<QString, QString>> captions = {
        { u"ID_covers"_s, u"Cover DVD"_s },
        { u"left_to_right"_s, u"left_to_right"_s },
        { u"right_to_left"_s, u"right_to_left"_s },
        { u"ID_Menu"_s, u"Menu"_s },
        { u"ID_Help"_s, u"Help"_s },
        { u"ID_Skin"_s, u"Skin"_s },
    };
    return captions;
}

QString ToolCaption(Language language, const QString &id)
{
    const MainWindowTexts &texts = MainTexts(language);
    if (id == u"ID_Print")
        return texts.printTool;
    for (const auto *table : { &texts.languageTools, &texts.otherTools, &FixedToolCaptions() }) {
        for (const auto &[toolId, caption] : *table) {
            if (toolId == id)
                return caption;
        }
    }
    return QString();
}

QString ExitQuestion(Language language, const QString &title)
{
    return InLanguage(language, u"Uscire da "_s, u"Exit of "_s, u"Ausgang von "_s) + title
        + u" ?"_s;
}

} // namespace vellumark
