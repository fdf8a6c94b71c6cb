// Loading pictures into the slots and the DVD panel.
#include "app/mdiform1.h"

namespace vellumark {

void MdiForm1::connectPictures() { }

} // namespace vellumark
