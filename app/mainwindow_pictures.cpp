// Loading pictures into the slots and the DVD panel.
#include "app/mainwindow.h"

#include "app/coverslotpanel.h"
#include "logic/page/coverplan.h"
#include "logic/pictures/picturefilters.h"
#include "logic/pictures/picturefolder.h"
#include "logic/pictures/pictureloader.h"
#include "logic/programinfo.h"
#include "logic/settings/bleedwidth.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QRadioButton>

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

    // Each cover keeps its own fit mode, written as soon as it is chosen.
    const std::pair<PictureBox *, QString> fitSettings[] = {
        { m_slotA->preview(), QStringLiteral("AdattaA") },
        { m_slotB->preview(), QStringLiteral("AdattaB") },
        { Image7, QStringLiteral("AdattaDVD") },
    };
    for (const auto &[box, name] : fitSettings) {
        box->setFittable(true);
        box->setLanguageSource([this] { return LanguageOfMarker(languageMarker()); });
        connect(box, &PictureBox::fitModeChosen, this,
                [this, name](FitMode mode) { m_settings.setText(name, FitModeText(mode)); });
    }
    for (const CoverSlotPanel *panel : { m_slotA.get(), m_slotB.get() }) {
        for (MeasureField *field : panel->fields())
            connect(field, &QLineEdit::textChanged, this, &MainWindow::showCoverShapes);
    }
    for (QRadioButton *format : { Option6, Option7 })
        connect(format, &QRadioButton::toggled, this, &MainWindow::showCoverShapes);
}

void MainWindow::applyFitSettings()
{
    m_slotA->preview()->setFitMode(FitModeFromText(m_settings.text(QStringLiteral("AdattaA"))));
    m_slotB->preview()->setFitMode(FitModeFromText(m_settings.text(QStringLiteral("AdattaB"))));
    Image7->setFitMode(FitModeFromText(m_settings.text(QStringLiteral("AdattaDVD"))));
    showCoverShapes();
}

void MainWindow::showCoverShapes()
{
    const double bleed = BleedCentimetres(m_settings.text(QStringLiteral("Abbondanza")));
    for (const CoverSlotPanel *panel : { m_slotA.get(), m_slotB.get() }) {
        SlotInput slot;
        slot.width = panel->field(Measure::Width)->text();
        slot.height = panel->field(Measure::Height)->text();
        panel->preview()->setCoverShape({ SlotRect(slot).normalized().size(), bleed });
    }
    Image7->setCoverShape({ DvdRect(Option6->isChecked()).size(), bleed });
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
        box->setPicture(picture);
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
        box->setPicture(picture);
}

} // namespace vellumark
