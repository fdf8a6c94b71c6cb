#include "logic/texts/accessibletexts.h"

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

const AccessibleTexts italian = {
    u"cover %1"_s,
    { u"Larghezza"_s, u"Altezza"_s, u"Posizione orizzontale"_s, u"Posizione verticale"_s },
    u"%2 %1 (cm)"_s,
    u"Tipologia %1"_s,
    u"Stampa solo %1"_s,
    u"Stampa cover A e B"_s,
    u"Immagine %1: nessuna, premi Spazio o fai clic per caricare"_s,
    u"Immagine %1: %2, %3 × %4 pixel"_s,
    u"Ruota l'immagine DVD di 90°"_s,
    u"Formato DVD %1 cm"_s,
    u"L'intera copertina della custodia DVD, stampata in verticale"_s,
    u"Solo il fronte"_s,
    u"Mostra o nasconde il pannello DVD"_s,
    u"Copia l'immagine della %1 nella %2"_s,
    u"Ultima cartella delle immagini"_s,
    u"Cartelle"_s,
    u"File"_s,
    u"Nome del file"_s,
    u"Pagina"_s,
    u"Pagina in anteprima"_s,
    u"Altri strumenti"_s,
};

const AccessibleTexts english = {
    u"Cover %1"_s,
    { u"width"_s, u"height"_s, u"horizontal position"_s, u"vertical position"_s },
    u"%1 %2 (cm)"_s,
    u"%1 typology"_s,
    u"Print %1 only"_s,
    u"Print Cover A and B"_s,
    u"%1 picture: none, press Space or click to load"_s,
    u"%1 picture: %2, %3 × %4 pixels"_s,
    u"Turn the DVD picture by 90°"_s,
    u"DVD format %1 cm"_s,
    u"The whole cover of a DVD case, printed upright"_s,
    u"The front only"_s,
    u"Shows or hides the DVD panel"_s,
    u"Copy the %1 picture to %2"_s,
    u"Last picture folder"_s,
    u"Folders"_s,
    u"Files"_s,
    u"File name"_s,
    u"Page"_s,
    u"Previewed page"_s,
    u"More tools"_s,
};

const AccessibleTexts german = {
    u"Cover %1"_s,
    { u"Breite"_s, u"Höhe"_s, u"Waagerechte Position"_s, u"Senkrechte Position"_s },
    u"%2 %1 (cm)"_s,
    u"Typologie %1"_s,
    u"Nur %1 drucken"_s,
    u"Cover A und B drucken"_s,
    u"Bild %1: keines, Leertaste drücken oder klicken zum Laden"_s,
    u"Bild %1: %2, %3 × %4 Pixel"_s,
    u"DVD-Bild um 90° drehen"_s,
    u"DVD-Format %1 cm"_s,
    u"Das ganze Cover einer DVD-Hülle, hochkant gedruckt"_s,
    u"Nur die Vorderseite"_s,
    u"Zeigt oder verbirgt das DVD-Feld"_s,
    u"Bild von %1 nach %2 kopieren"_s,
    u"Letzter Bilderordner"_s,
    u"Ordner"_s,
    u"Dateien"_s,
    u"Dateiname"_s,
    u"Seite"_s,
    u"Vorschauseite"_s,
    u"Weitere Werkzeuge"_s,
};

} // namespace

const AccessibleTexts &AccessibleTextsOf(Language language)
{
    return InLanguage(language, italian, english, german);
}

QString CoverOwner(Language language, CoverSlot slot)
{
    return AccessibleTextsOf(language).coverOwner.arg(slot == CoverSlot::A ? u"A"_s : u"B"_s);
}

QString DvdOwner()
{
    return u"DVD"_s;
}

QString MeasureFieldName(Language language, CoverSlot slot, Measure measure)
{
    const AccessibleTexts &texts = AccessibleTextsOf(language);
    return texts.field.arg(CoverOwner(language, slot),
                           texts.measures.at(std::size_t(int(measure) - 1)));
}

QString CaptionOfOwner(const QString &caption, const QString &owner)
{
    return caption.trimmed() + u" ("_s + owner + u')';
}

QString PictureBoxName(Language language, const QString &owner, const QString &fileName,
                       QSize pixels)
{
    const AccessibleTexts &texts = AccessibleTextsOf(language);
    if (!pixels.isValid() || pixels.isEmpty())
        return texts.emptyPicture.arg(owner);
    return texts.loadedPicture.arg(owner, fileName, QString::number(pixels.width()),
                                   QString::number(pixels.height()));
}

} // namespace vellumark
