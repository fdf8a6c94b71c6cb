// Must not compile: printing belongs to the print floor, whatever the path.
#include <QtPrintSupport/QPrinter>

int floorProbe()
{
    return sizeof(QPrinter);
}
