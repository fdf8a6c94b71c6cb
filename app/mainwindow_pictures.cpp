// Loading pictures into the slots and the DVD panel.
#include "app/mainwindow.h"

#include "app/coverslotpanel.h"
#include "logic/pictures/picturefilters.h"
#include "logic/pictures/picturefolder.h"
#include "logic/pictures/pictureloader.h"
#include "logic/programinfo.h"
#include "widgets/picturebox.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>

namespace vellumark {

void MainWindow::connectPictures()
{
    const QList<QList<PictureBox *>> owners = {
        m_slotA->pictureBoxes(),
        m_slotB->pictureBoxes(),
        { Image7 },
    };
    for (const QList<PictureBox *> &boxes : owners) {
        PictureBox *main = boxes.first();
        main->setAcceptsPictureFiles(true);
        connect(main, &PictureBox::clicked, this, [this, boxes] { choosePicture(boxes); });
        connect(main, &PictureBox::pictureFileDropped, this,
                [this, boxes](const QString &file) { loadDroppedPicture(file, boxes); });
    }
}

void MainWindow::choosePicture(const QList<PictureBox *> &boxes)
{
    // Closing the preview dialog without a choice leaves the slot as it was,
    // rather than loading the previous choice again.
    const bool chosen
        = m_openWithPreview ? choosePictureWithPreview() : choosePictureWithSystemDialog();
    if (!chosen || m_chosenFile.isEmpty())
        return;
    Label2->setText(PictureFolder(m_chosenFile));
    // Decoded once: every box shares the one picture.
    const QImage picture = LoadPicture(m_chosenFile);
    if (picture.isNull()) {
        sayPictureFault(m_chosenFile);
        return;
    }
    for (PictureBox *box : boxes)
        box->setPicture(picture, QFileInfo(m_chosenFile).fileName());
    QDir::setCurrent(ProgramFolder()); // a file dialog may have moved it
}

bool MainWindow::choosePictureWithSystemDialog()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("PictureDialog"));
    // Qt's own dialog, so that the filters match whatever the case of the
    // extension, and the filters show their texts alone.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = PictureFileFilters();
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    const QString folder = Label2->text();
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString file = dialog.selectedFiles().value(0);
    if (file.isEmpty())
        return false;
    m_chosenFile = file;
    return true;
}

void MainWindow::loadDroppedPicture(const QString &file, const QList<PictureBox *> &boxes)
{
    // The last picture folder and the chosen file stay as they are.
    const QImage picture = LoadPicture(file);
    if (picture.isNull()) {
        sayPictureFault(file);
        return;
    }
    for (PictureBox *box : boxes)
        box->setPicture(picture, QFileInfo(file).fileName());
}

} // namespace vellumark
