#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

namespace vellumark {

// The DVD panel's formats, in the order of their option buttons.
enum class DvdFormat { FullCase, FrontOnly, SlimCase };

struct DvdFormatFacts
{
    DvdFormat format;
    const char *caption; // the option button's text, the same in every language
    QSizeF sizeCm; // on paper, at (1, 1)
    int frameRight; // the preview frame's right edge, in twips
    int pictureWidth; // the preview's width, in twips
    bool turnable; // the quarter-turn button is offered
};

const QList<DvdFormatFacts> &DvdFormats();
const DvdFormatFacts &FactsOf(DvdFormat format);

} // namespace vellumark
