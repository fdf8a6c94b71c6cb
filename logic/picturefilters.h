#pragma once

#include <QStringList>

namespace vellumark {

// The file dialog's filters for pictures, in Qt's "text (patterns)" form.
// A dialog that hides the filter details shows the texts alone:
// "Windows Bitmap - *.BMP", "JPEG Compilant - *.JPG",
// "Compuserve GIF - *.GIF", "Tutti i formati". The patterns list both
// cases, so IMG_0001.JPG and photo.jpg show even where a dialog matches
// case-sensitively.
QStringList PictureFileFilters();

} // namespace vellumark
