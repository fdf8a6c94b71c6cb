// The dispatcher of the toolbar and menu commands.
#include "app/mdiform1.h"

#include "app/coverslotpanel.h"
#include "logic/pictureloader.h"
#include "logic/programinfo.h"
#include "logic/twips.h"
#include "widgets/backgroundshape.h"
#include "widgets/controlsarea.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QUrl>

namespace vellumark {

void MdiForm1::SSActiveToolBars1_ToolClick(QAction *tool)
{
    if (!tool)
        return;
    if (const ToolCommand command = commandOfTool(tool->objectName()))
        command(*this, tool);
}

MdiForm1::ToolCommand MdiForm1::commandOfTool(const QString &id)
{
    // One row per tool ID; the first row with the ID runs.
    static const QList<std::pair<QString, ToolCommand>> commands = {
        { QStringLiteral("ID_covers"),
          [](MdiForm1 &w, QAction *tool) { w.showDvdPanel(tool->isChecked()); } },
        { QStringLiteral("left_to_right"),
          [](MdiForm1 &w, QAction *) {
              w.copyPicture(w.m_slotA->preview(), w.m_slotB->pictureBoxes());
          } },
        { QStringLiteral("right_to_left"),
          [](MdiForm1 &w, QAction *) {
              w.copyPicture(w.m_slotB->preview(), w.m_slotA->pictureBoxes());
          } },
        { QStringLiteral("ID_Print"), [](MdiForm1 &w, QAction *) { w.PrintCovers(); } },
        { QStringLiteral("ID_Opzioni"),
          [](MdiForm1 &w, QAction *) {
              w.showOptionsDialog();
              w.ApplyTypologyA();
              w.ApplyTypologyB();
          } },
        { QStringLiteral("ID_Stampa"), [](MdiForm1 &w, QAction *) { w.showPrinterSetup(); } },
        { QStringLiteral("ID_AnteprimaStampa"),
          [](MdiForm1 &w, QAction *) { w.showPrintPreview(); } },
        { QStringLiteral("ID_EsportaPDF"), [](MdiForm1 &w, QAction *) { w.exportPdf(); } },
        { QStringLiteral("ID_Calibra"), [](MdiForm1 &w, QAction *) { w.calibratePrinter(); } },
        { QStringLiteral("ID_ApriPrew"),
          [](MdiForm1 &w, QAction *) { w.setOpenWithPreview(true); } },
        { QStringLiteral("ID_ApriWin"),
          [](MdiForm1 &w, QAction *) { w.setOpenWithPreview(false); } },
        { QStringLiteral("ID_Elimina"),
          [](MdiForm1 &w, QAction *) { w.removeBackgroundPicture(); } },
        { QStringLiteral("ID_Colore"), [](MdiForm1 &w, QAction *) { w.chooseFillColour(); } },
        { QStringLiteral("ID_Immagine"),
          [](MdiForm1 &w, QAction *) { w.chooseBackgroundPicture(); } },
        { QStringLiteral("ID_Uscita"), [](MdiForm1 &w, QAction *) { w.close(); } },
        { QStringLiteral("ID_Guida"), [](MdiForm1 &w, QAction *) { w.showHelp(); } },
        { QStringLiteral("ID_Orvandi"),
          [](MdiForm1 &w, QAction *) { w.openAddress(MakerWebSite()); } },
        { QStringLiteral("ID_Email"),
          [](MdiForm1 &w, QAction *) { w.openAddress(QStringLiteral("mailto:") + MakerEmail()); } },
        { QStringLiteral("ID_Informazioni"), [](MdiForm1 &w, QAction *) { w.showAboutWindow(); } },
        { QStringLiteral("ID_Duch"), [](MdiForm1 &w, QAction *) { w.Tedeschizza(); } },
        { QStringLiteral("ID_Italiano"), [](MdiForm1 &w, QAction *) { w.Italianizza(); } },
        { QStringLiteral("ID_English"), [](MdiForm1 &w, QAction *) { w.Inglesizza(); } },
        { QStringLiteral("ID_Skin0"), &MdiForm1::setFillStyleFromTool },
        { QStringLiteral("ID_Skin1"), &MdiForm1::setFillStyleFromTool },
        { QStringLiteral("ID_Skin2"), &MdiForm1::setFillStyleFromTool },
        { QStringLiteral("ID_Skin3"), &MdiForm1::setFillStyleFromTool },
        { QStringLiteral("ID_Skin4"), &MdiForm1::setFillStyleFromTool },
        { QStringLiteral("ID_Skin5"), &MdiForm1::setFillStyleFromTool },
        { QStringLiteral("ID_Skin6"), &MdiForm1::setFillStyleFromTool },
        { QStringLiteral("ID_Skin7"), &MdiForm1::setFillStyleFromTool },
    };
    for (const auto &[toolId, command] : commands) {
        if (toolId == id)
            return command;
    }
    return nullptr;
}

void MdiForm1::showDvdPanel(bool shown)
{
    if (shown) {
        Frame1->setGeometry(TwipsRect(120, 60, 5535, 5730));
        Frame1->show();
        Frame1->raise();
    } else {
        Frame1->hide();
    }
}

void MdiForm1::copyPicture(PictureBox *from, const QList<PictureBox *> &to)
{
    const QImage picture = from->picture(); // shared, not copied
    for (PictureBox *box : to)
        box->setPicture(picture);
}

void MdiForm1::setFillStyleFromTool(MdiForm1 &window, QAction *tool)
{
    // A tool that the click released changes nothing.
    if (tool->isChecked())
        window.Shape1->setFillStyle(tool->data().toInt());
}

void MdiForm1::chooseFillColour()
{
    QColorDialog dialog(Shape1->fillColor(), this);
    dialog.setObjectName(QStringLiteral("ColourDialog"));
    if (dialog.exec() == QDialog::Accepted && dialog.selectedColor().isValid())
        Shape1->setFillColor(dialog.selectedColor());
}

void MdiForm1::chooseBackgroundPicture()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SkinDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(ProgramFolder());
    dialog.setNameFilter(QStringLiteral("Skin Image (*.SCI)")); // matched case-insensitively
    dialog.selectNameFilter(dialog.nameFilters().value(0));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString file = dialog.selectedFiles().value(0);
    if (file.isEmpty())
        return;
    // Load first: a file that is no picture leaves everything as it was.
    const QImage picture = LoadPicture(file);
    if (picture.isNull())
        return;
    m_area->setBackgroundPicture(picture);
    setBackgroundFile(file);
}

void MdiForm1::removeBackgroundPicture()
{
    m_area->setBackgroundPicture(QImage());
    setBackgroundFile(QString());
}

void MdiForm1::openAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace vellumark
