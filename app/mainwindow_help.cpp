// The help viewer.
#include "app/mainwindow.h"

#include "dialogs/helpviewer.h"
#include "logic/helpfile.h"
#include "logic/programinfo.h"

namespace vellumark {

void MainWindow::showHelp()
{
    const Language language = m_language;
    // No help beside the program: the command ends without a word.
    if (HelpFilePath(ProgramFolder(), language).isEmpty())
        return;

    // One viewer at a time; it stays open beside the window while the user
    // works, and a new request brings it forward in the current language. A
    // closed viewer is on its way out and is not reused.
    HelpViewer *viewer = nullptr;
    const auto viewers = findChildren<HelpViewer *>(QString(), Qt::FindDirectChildrenOnly);
    for (HelpViewer *open : viewers) {
        if (open->isVisible())
            viewer = open;
    }
    if (!viewer) {
        viewer = new HelpViewer(this);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!viewer->openHelp(ProgramFolder(), language)) {
        viewer->close();
        return;
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace vellumark
