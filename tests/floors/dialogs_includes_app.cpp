// Must not compile: only the program's start-up sees the app floor.
#include "app/mainwindow.h"

int floorProbe()
{
    return 0;
}
