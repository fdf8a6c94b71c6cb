// The dialogs the main window opens.
#include "app/mdiform1.h"

#include "dialogs/aboutwindow.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/password.h"

#include <QLabel>

namespace vellumark {

bool MdiForm1::runPasswordPrompt()
{
    // Shown before the main window: a window of its own, not over this one.
    Password prompt(m_settings);
    prompt.exec();
    return prompt.outcome() == Password::Outcome::Accepted;
}

void MdiForm1::showAboutWindow()
{
    AboutWindow about(windowIcon(), isVisible() ? this : nullptr);
    about.exec();
}

void MdiForm1::showOptionsDialog()
{
    Form3 options(m_settings, languageMarker(), this);
    options.exec();
}

bool MdiForm1::choosePictureWithPreview()
{
    Form2 dialog(Label2->text(), m_previewSwitch, languageMarker(), this);
    dialog.exec();
    switch (dialog.outcome()) {
    case Form2::Outcome::Confirmed:
        m_chosenFile = dialog.chosenFile();
        Label2->setText(dialog.chosenFolder());
        setPreviewSwitch(dialog.previewState());
        return true;
    case Form2::Outcome::Cancelled:
        setPreviewSwitch(dialog.previewState());
        return false;
    case Form2::Outcome::Closed:
        break;
    }
    return false;
}

} // namespace vellumark
