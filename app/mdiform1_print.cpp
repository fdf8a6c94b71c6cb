// Printing the covers.
#include "app/mdiform1.h"

namespace vellumark {

void MdiForm1::PrintCovers() { }

void MdiForm1::showPrinterSetup() { }

} // namespace vellumark
