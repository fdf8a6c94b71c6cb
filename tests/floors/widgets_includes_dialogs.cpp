// Must not compile: the widgets floor cannot see the dialogs floor.
#include "dialogs/picturedialog.h"

int floorProbe()
{
    return 0;
}
