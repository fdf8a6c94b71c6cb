#include "logic/texts/messagetexts.h"

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

const MessageTexts italian = {
    u"La cover A"_s,
    u"La cover B"_s,
    u"La cover DVD"_s,
    u"%1 supera di %2 cm il bordo %3 dell'area stampabile e verrà tagliata."_s,
    { u"sinistro"_s, u"superiore"_s, u"destro"_s, u"inferiore"_s },
    u"Stampare comunque?"_s,
    u',',
    u"Pagina inviata a %1 con %2."_s,
    u"la cover A"_s,
    u"la cover B"_s,
    u"le cover A e B"_s,
    u"la cover DVD"_s,
    u"PDF salvato in %1."_s,
    u"Impossibile scrivere il PDF %1."_s,
    u"Esportazione PDF annullata."_s,
    u"Stampa annullata."_s,
    u"Nessuna stampante raggiungibile."_s,
    u"Impossibile leggere il file %1."_s,
    u"Il file %1 non è un'immagine."_s,
    u"Il file %1 è un'immagine danneggiata."_s,
};

const MessageTexts english = {
    u"Cover A"_s,
    u"Cover B"_s,
    u"The DVD cover"_s,
    u"%1 goes %2 cm beyond the %3 of the printable area and will be cut off."_s,
    { u"left"_s, u"top"_s, u"right"_s, u"bottom"_s },
    u"Print anyway?"_s,
    u'.',
    u"Page sent to %1 with %2."_s,
    u"cover A"_s,
    u"cover B"_s,
    u"covers A and B"_s,
    u"the DVD cover"_s,
    u"PDF saved as %1."_s,
    u"The PDF could not be written to %1."_s,
    u"PDF export cancelled."_s,
    u"Printing cancelled."_s,
    u"No printer can be reached."_s,
    u"The file %1 cannot be read."_s,
    u"The file %1 is not a picture."_s,
    u"The file %1 is a damaged picture."_s,
};

const MessageTexts german = {
    u"Cover A"_s,
    u"Cover B"_s,
    u"Das DVD-Cover"_s,
    u"%1 ragt %2 cm über den %3 Rand des druckbaren Bereichs hinaus und wird abgeschnitten."_s,
    { u"linken"_s, u"oberen"_s, u"rechten"_s, u"unteren"_s },
    u"Trotzdem drucken?"_s,
    u',',
    u"Seite an %1 gesendet, mit %2."_s,
    u"Cover A"_s,
    u"Cover B"_s,
    u"den Covern A und B"_s,
    u"dem DVD-Cover"_s,
    u"PDF gespeichert unter %1."_s,
    u"Das PDF konnte nicht unter %1 gespeichert werden."_s,
    u"PDF-Export abgebrochen."_s,
    u"Drucken abgebrochen."_s,
    u"Kein Drucker erreichbar."_s,
    u"Die Datei %1 kann nicht gelesen werden."_s,
    u"Die Datei %1 ist kein Bild."_s,
    u"Die Datei %1 ist ein beschädigtes Bild."_s,
};

QString coverSubject(const MessageTexts &texts, const QString &cover)
{
    if (cover == u"A")
        return texts.coverA;
    if (cover == u"B")
        return texts.coverB;
    return texts.coverDvd;
}

} // namespace

const MessageTexts &Messages(Language language)
{
    return InLanguage(language, italian, english, german);
}

QString CutOffQuestion(Language language, const QList<CutOff> &cuts)
{
    return CutOffWarning(language, cuts) + u' ' + Messages(language).printAnyway;
}

QString CutOffWarning(Language language, const QList<CutOff> &cuts)
{
    const MessageTexts &texts = Messages(language);
    QStringList sentences;
    for (const CutOff &cut : cuts) {
        const QString amount
            = QString::number(cut.centimetres, 'f', 1).replace(u'.', texts.decimalSeparator);
        sentences.append(texts.cutOff.arg(coverSubject(texts, cut.cover), amount,
                                          texts.sides.value(int(cut.side))));
    }
    return sentences.join(u'\n');
}

QString PageSentMessage(Language language, const QString &printer, const QStringList &covers)
{
    const MessageTexts &texts = Messages(language);
    const QString which = covers.contains(u"DVD"_s) ? texts.sentDvd
        : covers.size() > 1                         ? texts.sentAB
        : covers.contains(u"B"_s)                   ? texts.sentB
                                                    : texts.sentA;
    return texts.pageSent.arg(printer, which);
}

QString PictureFaultMessage(Language language, const QString &fileName, PictureFault fault)
{
    const MessageTexts &texts = Messages(language);
    switch (fault) {
    case PictureFault::NotAPicture:
        return texts.notAPicture.arg(fileName);
    case PictureFault::Damaged:
        return texts.damaged.arg(fileName);
    case PictureFault::Unreadable:
        break;
    }
    return texts.unreadable.arg(fileName);
}

} // namespace vellumark
