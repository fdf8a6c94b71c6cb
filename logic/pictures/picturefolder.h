#pragma once

#include <QString>

namespace vellumark {

// The folder of a chosen picture file as the last picture folder keeps it:
// without a trailing separator, except the root folder itself ("/"). A bare
// file name gives an empty folder.
QString PictureFolder(const QString &file);

} // namespace vellumark
