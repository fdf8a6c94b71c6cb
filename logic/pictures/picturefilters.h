#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vellumark {

// One kind of picture file the program offers to open: its caption in the
// file dialogs and its file-name extensions, in lower case.
struct PictureKind
{
    QString caption;
    QStringList extensions;
};

// The picture kinds, in the order of the system file dialog's filters.
const QList<PictureKind> &PictureKinds();

// The caption of the entry that offers every kind at once.
QString AllPictureKindsCaption();

// The system file dialog's filters for pictures, in Qt's "text (patterns)"
// form, each kind followed by the entry for all of them. A dialog that
// hides the filter details shows the captions alone. The patterns list both
// cases, so IMG_0001.JPG and photo.jpg show even where a dialog matches
// case-sensitively.
QStringList PictureFileFilters();

} // namespace vellumark
