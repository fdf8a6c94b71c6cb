#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace vellumark {

// The program's pictures are drawings in the resource ":/artwork", one SVG
// file each, drawn at whatever size and scale they are shown.

// The resource path of a drawing by its name ("padlock-closed").
QString ArtworkFile(const QString &name);
// The names of all drawings in the resource.
QStringList ArtworkNames();
// A drawing at a size in device-independent pixels, for a screen of the
// given scale; a null pixmap for an unknown name.
QPixmap ArtworkPixmap(const QString &name, QSize size, qreal devicePixelRatio = 1.0);

// The program's icon: a disc half out of its case.
QImage ProgramIconImage(int size);
QIcon ProgramIcon();

// The picture of a toolbar tool, by its ID; an empty icon for tools that
// show their caption only.
QIcon ToolIcon(const QString &id);

// The password prompt's two 32 x 32 pictures: a padlock shut while the
// password is asked, open once it is right.
QPixmap ClosedPadlockPicture(qreal devicePixelRatio);
QPixmap OpenPadlockPicture(qreal devicePixelRatio);

// The about window's link pictures, 32 x 32: a globe for the maker's web
// site and one badge per social network (index 0 to 2).
QPixmap WebSitePicture(qreal devicePixelRatio);
QPixmap SocialNetworkPicture(int index, qreal devicePixelRatio);

// The pointer over the three large pictures: a 32 x 32 hand whose finger
// tip, the hot spot, is at (14, 6).
QCursor PictureCursor();

} // namespace vellumark
