// Must not compile: the logic floor cannot see the widgets floor.
#include "widgets/picturebox.h"

int floorProbe()
{
    return 0;
}
