#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace vellumark {

// A folder and a file name joined with one '/': none is added when the
// folder already ends with one, as the root "/" does.
QString JoinPath(const QString &folder, const QString &fileName);

// The folder as the picture dialog shows it: with a trailing '/'.
QString FolderWithSeparator(const QString &folder);

// The four picture types of the picture dialog, in their order.
QStringList PictureTypes();
// The one the dialog opens with: the JPEG kind.
QString InitialPictureType();

// The file-name pattern of a picture type ("*.jpg;*.jpeg"), or nothing
// for a text that is none of the four.
std::optional<QString> PatternOfPictureType(const QString &type);

// The names of the plain files in a folder that match the pattern, sorted
// without regard to case. Hidden files are left out.
QStringList MatchingFiles(const QString &folder, const QString &pattern);

// The picture in a file, turned upright as its camera recorded and decoded
// no larger than it takes to cover a box of the given pixels; a null
// picture when the file cannot be read as one.
QImage ReadPreviewPicture(const QString &path, QSize box);

} // namespace vellumark
