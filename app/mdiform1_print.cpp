// Printing the covers and turning the DVD picture.
#include "app/mdiform1.h"

namespace vellumark {

void MdiForm1::connectPrinting() { }

void MdiForm1::PrintCovers() { }

void MdiForm1::showPrinterSetup() { }

} // namespace vellumark
