// The dialogs the main window opens.
#include "app/mdiform1.h"

namespace vellumark {

bool MdiForm1::runPasswordPrompt()
{
    return true;
}

void MdiForm1::showAboutWindow() { }

void MdiForm1::showOptionsDialog() { }

bool MdiForm1::choosePictureWithPreview()
{
    return false;
}

} // namespace vellumark
