#pragma once

#include <QImage>

namespace vellumark {

// The password prompt's two 32 x 32 pictures: a padlock shut while the
// password is asked, open once it is right.
QImage ClosedPadlockPicture();
QImage OpenPadlockPicture();

// The about window's link pictures, 32 x 32: a globe for the maker's web
// site and one badge per social network (index 0 to 2).
QImage WebSitePicture();
QImage SocialNetworkPicture(int index);

} // namespace vellumark
