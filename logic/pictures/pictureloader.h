#pragma once

#include <QImage>
#include <QString>

namespace vellumark {

// Decodes a picture file once, turned upright as its EXIF orientation says.
// Any failure gives a null picture: a missing or unreadable file, a folder,
// a file that is not a picture Qt can read, a cut-off JPEG, a picture
// larger than Qt's allocation limit. Nothing is reported.
QImage LoadPicture(const QString &path);

// Whether the file looks like a picture the program can read, judged from
// its header alone: cheap enough for every drag that enters a box.
bool CanReadPicture(const QString &path);

} // namespace vellumark
