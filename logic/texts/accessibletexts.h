#pragma once

#include "logic/texts/language.h"
#include "logic/typology.h"

#include <QSize>
#include <QString>

#include <array>

namespace vellumark {

// What a screen reader says for the controls whose visible captions are
// abbreviations, symbols or nothing, in one language. The words the
// windows already show come from their own tables; these are the words
// the screen alone does not carry.
struct AccessibleTexts
{
    QString coverOwner; // %1 slot letter
    // By measure: width, height, horizontal and vertical position.
    std::array<QString, 4> measures;
    QString field; // %1 owner, %2 measure
    QString typologyList; // %1 owner
    QString printOnly; // %1 owner
    QString printBoth;
    QString emptyPicture; // %1 owner
    QString loadedPicture; // %1 owner, %2 file, %3 x %4 pixels
    QString quarterTurn;
    QString dvdFormat; // %1 the format's caption
    QString dvdWholeCase; // what each format prints
    QString dvdFrontOnly;
    QString showDvdPanel; // what the "Cover DVD" tool is for
    QString copyPicture; // %1 from, %2 to
    QString lastFolder; // what the folder shown under the covers is
    QString folders; // the picture dialog's lists and name field
    QString files;
    QString fileName;
    QString pageNumber; // the print preview's page field
    QString previewedPage;
    QString moreTools; // a toolbar's button for the tools it has no room for
};

const AccessibleTexts &AccessibleTextsOf(Language language);

// "Cover A" as a control's name says it ("cover A" in Italian).
QString CoverOwner(Language language, CoverSlot slot);

// The owner of the DVD panel's picture, the same in every language.
QString DvdOwner();

// A measure field's name: "Cover A width (cm)".
QString MeasureFieldName(Language language, CoverSlot slot, Measure measure);

// A control named by its visible caption and its owner: "Draw Edge (Cover A)".
QString CaptionOfOwner(const QString &caption, const QString &owner);

// A picture box's name: empty, or the file's name and the picture's size.
QString PictureBoxName(Language language, const QString &owner, const QString &fileName,
                       QSize pixels);

} // namespace vellumark
