#include "logic/texts/menuentrytexts.h"

#include <QList>

#include <array>
#include <utility>

namespace vellumark {

using namespace Qt::StringLiterals;

namespace {

// Italian, English, German, by tool.
const QList<std::pair<QString, std::array<QString, 3>>> &entries()
{
    static const QList<std::pair<QString, std::array<QString, 3>>> table = {
        { u"ID_Print"_s, { u"Stampa le cover"_s, u"Print the Covers"_s, u"Cover drucken"_s } },
        { u"ID_covers"_s,
          { u"Pannello Cover DVD"_s, u"DVD Cover Panel"_s, u"DVD-Cover-Ansicht"_s } },
        { u"left_to_right"_s,
          { u"Copia la cover A in B"_s, u"Copy Cover A to B"_s, u"Cover A nach B kopieren"_s } },
        { u"right_to_left"_s,
          { u"Copia la cover B in A"_s, u"Copy Cover B to A"_s, u"Cover B nach A kopieren"_s } },
    };
    return table;
}

} // namespace

const QStringList &ToolsWithMenuEntry()
{
    static const QStringList ids = [] {
        QStringList list;
        for (const auto &[id, texts] : entries())
            list.append(id);
        return list;
    }();
    return ids;
}

QString MenuEntryText(Language language, const QString &toolId)
{
    for (const auto &[id, texts] : entries()) {
        if (id == toolId)
            return InLanguage(language, texts[0], texts[1], texts[2]);
    }
    return QString();
}

} // namespace vellumark
