// The dispatcher of the toolbar and menu commands.
#include "app/mdiform1.h"

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
    const QString id = tool->objectName();

    if (id == u"ID_covers") {
        showDvdPanel(tool->isChecked());
    } else if (id == u"left_to_right") {
        copyPicture(Image1, { Image2, Image5, Image6 });
    } else if (id == u"right_to_left") {
        copyPicture(Image2, { Image1, Image3, Image4 });
    } else if (id == u"ID_Print") {
        PrintCovers();
    } else if (id == u"ID_Opzioni") {
        showOptionsDialog();
        ApplyTypologyA();
        ApplyTypologyB();
    } else if (id == u"ID_Stampa") {
        showPrinterSetup();
    } else if (id == u"ID_Calibra") {
        calibratePrinter();
    } else if (id == u"ID_ApriPrew") {
        Check3->setChecked(true);
    } else if (id == u"ID_ApriWin") {
        Check3->setChecked(false);
    } else if (id == u"ID_Elimina") {
        removeBackgroundPicture();
    } else if (id == u"ID_Colore") {
        chooseFillColour();
    } else if (id == u"ID_Immagine") {
        chooseBackgroundPicture();
    } else if (id == u"ID_Uscita") {
        close();
    } else if (id == u"ID_Guida") {
        showHelp();
    } else if (id == u"ID_Orvandi") {
        openAddress(MakerWebSite());
    } else if (id == u"ID_Email") {
        openAddress(QStringLiteral("mailto:") + MakerEmail());
    } else if (id == u"ID_Informazioni") {
        showAboutWindow();
    } else if (id == u"ID_Duch") {
        Tedeschizza();
    } else if (id == u"ID_Italiano") {
        Italianizza();
    } else if (id == u"ID_English") {
        Inglesizza();
    } else if (id.size() == 8 && id.startsWith(u"ID_Skin") && id.at(7) >= u'0'
               && id.at(7) <= u'7') {
        setFillStyleFromTool(tool);
    }
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

void MdiForm1::setFillStyleFromTool(QAction *tool)
{
    // A tool that the click released changes nothing.
    if (tool->isChecked())
        Shape1->setFillStyle(tool->objectName().back().digitValue());
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
    Label24->setText(file);
}

void MdiForm1::removeBackgroundPicture()
{
    m_area->setBackgroundPicture(QImage());
    Label24->setText(QString());
}

void MdiForm1::openAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace vellumark
