// Must not compile: the logic floor has no Qt Widgets.
#include <QWidget>

int floorProbe()
{
    return sizeof(QWidget);
}
