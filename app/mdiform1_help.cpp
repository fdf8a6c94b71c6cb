// The help viewer.
#include "app/mdiform1.h"

namespace vellumark {

void MdiForm1::showHelp() { }

} // namespace vellumark
