#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

namespace vellumark {

// The program's icon: a disc half out of its case. Drawn at any size.
QImage ProgramIconImage(int size);
QIcon ProgramIcon();

// The pointer over the three large pictures: a 32 x 32 hand whose finger
// tip, the hot spot, is at (14, 6).
QCursor PictureCursor();

} // namespace vellumark
