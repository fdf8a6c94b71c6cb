#pragma once

#include <QStringList>

namespace vellumark {

// The mounted file systems' root folders, "/" first and the others in
// order, as the picture dialog offers them in place of drives.
QStringList DriveRoots();

// The root of the mounted file system holding a folder, or the empty text
// when the folder does not exist.
QString DriveRootOf(const QString &folder);

} // namespace vellumark
