// Must not compile: the logic floor has no Qt Widgets, not even through
// Qt's include root.
#include <QtWidgets/QWidget>

int floorProbe()
{
    return sizeof(QWidget);
}
