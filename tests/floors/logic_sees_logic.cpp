// Must compile: the control case, so that the other probes fail for the
// include they make and not for a broken set-up.
#include "logic/numbertext.h"

#include <QImage>

int floorProbe()
{
    return static_cast<int>(vellumark::ReadNumber(u"1")) + QImage().width();
}
