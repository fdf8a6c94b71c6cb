#include "logic/dvdformat.h"

namespace vellumark {

const QList<DvdFormatFacts> &DvdFormats()
{
    // The slim case's wrap (7 mm spine) prints like the whole case's, a
    // little shorter; its preview is shorter by as much.
    static const QList<DvdFormatFacts> table = {
        { DvdFormat::FullCase, "18,3 x 27,2", QSizeF(18.3, 27.2), 5520, 5295, true },
        { DvdFormat::FrontOnly, "13,1 x 18,3", QSizeF(13.1, 18.3), 3600, 3375, false },
        { DvdFormat::SlimCase, "18,3 x 26,6", QSizeF(18.3, 26.6), 5400, 5175, true },
    };
    return table;
}

const DvdFormatFacts &FactsOf(DvdFormat format)
{
    for (const DvdFormatFacts &facts : DvdFormats()) {
        if (facts.format == format)
            return facts;
    }
    return DvdFormats().first();
}

} // namespace vellumark
