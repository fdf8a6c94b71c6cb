// Must not compile: the widgets floor cannot see the dialogs floor.
#include "dialogs/form2.h"

int floorProbe()
{
    return 0;
}
