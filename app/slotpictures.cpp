#include "app/slotpictures.h"

#include "app/picturechoice.h"
#include "logic/pictures/loadedpicture.h"
#include "logic/pictures/picturefault.h"
#include "logic/programinfo.h"
#include "logic/settings/windowstate.h"
#include "logic/texts/messagetexts.h"
#include "widgets/picturebox.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace vellumark {

SlotPictures::SlotPictures(WindowState &state, QLabel *folderLabel, QStatusBar *status,
                           QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_folderLabel(folderLabel)
    , m_status(status)
    , m_window(window)
{ }

void SlotPictures::addOwner(const QList<PictureBox *> &boxes)
{
    PictureBox *main = boxes.first();
    main->setAcceptsPictureFiles(true);
    connect(main, &PictureBox::clicked, this, [this, boxes] { choose(boxes); });
    // A dropped file leaves the last picture folder as it is.
    connect(main, &PictureBox::pictureFileDropped, this,
            [this, boxes](const QString &file) { load(file, boxes); });
}

void SlotPictures::choose(const QList<PictureBox *> &boxes)
{
    const std::optional<QString> file = ChoosePictureFile(m_state, m_window);
    m_folderLabel->setText(m_state.pictureFolder);
    if (!file)
        return;
    load(*file, boxes);
    QDir::setCurrent(ProgramFolder()); // a file dialog may have moved it
}

void SlotPictures::load(const QString &file, const QList<PictureBox *> &boxes)
{
    // Decoded once, no larger than the largest box needs: every box shares
    // the one picture, and each page decodes what it prints from its bytes.
    QSize screen;
    for (const PictureBox *box : boxes)
        screen = screen.expandedTo(box->screenPixelsNeeded());
    const std::optional<LoadedPicture> picture = LoadedPicture::fromFile(file, screen);
    if (!picture) {
        m_status->showMessage(PictureFaultMessage(m_state.language, QFileInfo(file).fileName(),
                                                  DiagnosePictureFile(file)));
        return;
    }
    for (PictureBox *box : boxes)
        box->setPicture(*picture, QFileInfo(file).fileName());
}

} // namespace vellumark
