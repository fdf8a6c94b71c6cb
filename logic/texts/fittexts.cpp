#include "logic/texts/fittexts.h"

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

const FitMenuTexts italianFit = {
    u"Stira alla cover"_s,
    u"Riempi la cover (ritaglia)"_s,
    u"Adatta alla cover"_s,
    u"Centra l'immagine"_s,
};

const FitMenuTexts englishFit = {
    u"Stretch to the cover"_s,
    u"Fill the cover (crop)"_s,
    u"Fit inside the cover"_s,
    u"Centre the picture"_s,
};

const FitMenuTexts germanFit = {
    u"Auf das Cover strecken"_s,
    u"Cover füllen (zuschneiden)"_s,
    u"In das Cover einpassen"_s,
    u"Bild zentrieren"_s,
};

} // namespace

const FitMenuTexts &FitTexts(Language language)
{
    return InLanguage(language, italianFit, englishFit, germanFit);
}

} // namespace vellumark
