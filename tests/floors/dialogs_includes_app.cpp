// Must not compile: only the program's start-up sees the app floor.
#include "app/mdiform1.h"

int floorProbe()
{
    return 0;
}
