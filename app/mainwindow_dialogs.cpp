// The dialogs the main window opens.
#include "app/mainwindow.h"

#include "dialogs/aboutwindow.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/passwordprompt.h"
#include "dialogs/picturedialog.h"

#include <QLabel>

namespace vellumark {

bool MainWindow::runPasswordPrompt()
{
    // Shown before the main window: a window of its own, not over this one.
    PasswordPrompt prompt(m_settings);
    prompt.exec();
    return prompt.outcome() == PasswordPrompt::Outcome::Accepted;
}

void MainWindow::showAboutWindow()
{
    AboutWindow about(windowIcon(), isVisible() ? this : nullptr);
    about.exec();
}

void MainWindow::showOptionsDialog()
{
    OptionsDialog options(m_settings, languageMarker(), this);
    options.exec();
    showCoverShapes(); // the bleed may have changed
}

bool MainWindow::choosePictureWithPreview()
{
    PictureDialog dialog(Label2->text(), m_previewSwitch, languageMarker(), this);
    dialog.exec();
    switch (dialog.outcome()) {
    case PictureDialog::Outcome::Confirmed:
        m_chosenFile = dialog.chosenFile();
        Label2->setText(dialog.chosenFolder());
        setPreviewSwitch(dialog.previewState());
        return true;
    case PictureDialog::Outcome::Cancelled:
        setPreviewSwitch(dialog.previewState());
        return false;
    case PictureDialog::Outcome::Closed:
        break;
    }
    return false;
}

} // namespace vellumark
