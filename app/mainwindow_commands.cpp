// The dispatcher of the toolbar and menu commands.
#include "app/mainwindow.h"

#include "app/coverslotpanel.h"
#include "logic/pictures/pictureloader.h"
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

void MainWindow::dispatchTool(QAction *tool)
{
    if (!tool)
        return;
    if (const ToolCommand command = commandOfTool(tool->objectName()))
        command(*this, tool);
}

MainWindow::ToolCommand MainWindow::commandOfTool(const QString &id)
{
    // One row per tool ID; the first row with the ID runs.
    static const QList<std::pair<QString, ToolCommand>> commands = {
        { QStringLiteral("ID_covers"),
          [](MainWindow &w, QAction *tool) { w.showDvdPanel(tool->isChecked()); } },
        { QStringLiteral("left_to_right"),
          [](MainWindow &w, QAction *) {
              w.copyPicture(w.m_slotA->preview(), w.m_slotB->pictureBoxes());
          } },
        { QStringLiteral("right_to_left"),
          [](MainWindow &w, QAction *) {
              w.copyPicture(w.m_slotB->preview(), w.m_slotA->pictureBoxes());
          } },
        { QStringLiteral("ID_Print"), [](MainWindow &w, QAction *) { w.PrintCovers(); } },
        { QStringLiteral("ID_Opzioni"),
          [](MainWindow &w, QAction *) {
              w.showOptionsDialog();
              w.applyTypologyA();
              w.applyTypologyB();
          } },
        { QStringLiteral("ID_Stampa"), [](MainWindow &w, QAction *) { w.showPrinterSetup(); } },
        { QStringLiteral("ID_AnteprimaStampa"),
          [](MainWindow &w, QAction *) { w.showPrintPreview(); } },
        { QStringLiteral("ID_EsportaPDF"), [](MainWindow &w, QAction *) { w.exportPdf(); } },
        { QStringLiteral("ID_Calibra"), [](MainWindow &w, QAction *) { w.calibratePrinter(); } },
        { QStringLiteral("ID_ApriPrew"),
          [](MainWindow &w, QAction *) { w.setOpenWithPreview(true); } },
        { QStringLiteral("ID_ApriWin"),
          [](MainWindow &w, QAction *) { w.setOpenWithPreview(false); } },
        { QStringLiteral("ID_Elimina"),
          [](MainWindow &w, QAction *) { w.removeBackgroundPicture(); } },
        { QStringLiteral("ID_Colore"), [](MainWindow &w, QAction *) { w.chooseFillColour(); } },
        { QStringLiteral("ID_Immagine"),
          [](MainWindow &w, QAction *) { w.chooseBackgroundPicture(); } },
        { QStringLiteral("ID_Uscita"), [](MainWindow &w, QAction *) { w.close(); } },
        { QStringLiteral("ID_Guida"), [](MainWindow &w, QAction *) { w.showHelp(); } },
        { QStringLiteral("ID_Orvandi"),
          [](MainWindow &w, QAction *) { w.openAddress(MakerWebSite()); } },
        { QStringLiteral("ID_Email"),
          [](MainWindow &w, QAction *) {
              w.openAddress(QStringLiteral("mailto:") + MakerEmail());
          } },
        { QStringLiteral("ID_Informazioni"),
          [](MainWindow &w, QAction *) { w.showAboutWindow(); } },
        { QStringLiteral("ID_Duch"),
          [](MainWindow &w, QAction *) { w.applyLanguage(Language::German); } },
        { QStringLiteral("ID_Italiano"),
          [](MainWindow &w, QAction *) { w.applyLanguage(Language::Italian); } },
        { QStringLiteral("ID_English"),
          [](MainWindow &w, QAction *) { w.applyLanguage(Language::English); } },
        { QStringLiteral("ID_Skin0"), &MainWindow::setFillStyleFromTool },
        { QStringLiteral("ID_Skin1"), &MainWindow::setFillStyleFromTool },
        { QStringLiteral("ID_Skin2"), &MainWindow::setFillStyleFromTool },
        { QStringLiteral("ID_Skin3"), &MainWindow::setFillStyleFromTool },
        { QStringLiteral("ID_Skin4"), &MainWindow::setFillStyleFromTool },
        { QStringLiteral("ID_Skin5"), &MainWindow::setFillStyleFromTool },
        { QStringLiteral("ID_Skin6"), &MainWindow::setFillStyleFromTool },
        { QStringLiteral("ID_Skin7"), &MainWindow::setFillStyleFromTool },
    };
    for (const auto &[toolId, command] : commands) {
        if (toolId == id)
            return command;
    }
    return nullptr;
}

void MainWindow::showDvdPanel(bool shown)
{
    if (shown) {
        Frame1->setGeometry(TwipsRect(120, 60, 5535, 5730));
        Frame1->show();
        Frame1->raise();
    } else {
        Frame1->hide();
    }
}

void MainWindow::copyPicture(PictureBox *from, const QList<PictureBox *> &to)
{
    const QImage picture = from->picture(); // shared, not copied
    for (PictureBox *box : to)
        box->setPicture(picture, from->pictureFileName());
}

void MainWindow::setFillStyleFromTool(MainWindow &window, QAction *tool)
{
    // A tool that the click released changes nothing.
    if (tool->isChecked())
        window.Shape1->setFillStyle(tool->data().toInt());
}

void MainWindow::chooseFillColour()
{
    QColorDialog dialog(Shape1->fillColor(), this);
    dialog.setObjectName(QStringLiteral("ColourDialog"));
    if (dialog.exec() == QDialog::Accepted && dialog.selectedColor().isValid())
        Shape1->setFillColor(dialog.selectedColor());
}

void MainWindow::chooseBackgroundPicture()
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

void MainWindow::removeBackgroundPicture()
{
    m_area->setBackgroundPicture(QImage());
    setBackgroundFile(QString());
}

void MainWindow::openAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace vellumark
