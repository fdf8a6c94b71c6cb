#include "dialogs/picturedialog.h"
#include "logic/pictures/picturefiles.h"
#include "testsupport.h"
#include "widgets/filelist.h"
#include "widgets/folderlist.h"
#include "widgets/picturebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vellumark;
using namespace vellumark::test;

class PictureDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void joinsPaths_data();
    void joinsPaths();
    void opensOnRememberedFolder();
    void missingFolderOpensOnCurrentFolder();
    void openingFolderListsItsFiles();
    void rememberedPreviewState_data();
    void rememberedPreviewState();
    void picturesOfEachType_data();
    void picturesOfEachType();
    void okWithoutNameBeepsAndStays();
    void okHandsBackFileFolderAndPreview();
    void fileListConfirms_data();
    void fileListConfirms();
    void typedNameIsHandedBack();
    void typedFullPathIsTakenAsIs();
    void cancelHandsBackPreviewOnly();
    void closeBoxHandsBackNothing();
    void unreadablePictureKeepsPreview();
    void previewFollowsSwitch();
    void textsFollowMarker_data();
    void textsFollowMarker();

private:
    QTemporaryDir m_folder;
};

namespace {

QImage colourPicture(const QColor &colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

FileList *fileList(PictureDialog &dialog)
{
    return child<FileList>(&dialog, QStringLiteral("File1"));
}

QCheckBox *previewSwitch(PictureDialog &dialog)
{
    return child<QCheckBox>(&dialog, QStringLiteral("Check1"));
}

PictureBox *preview(PictureDialog &dialog)
{
    return child<PictureBox>(&dialog, QStringLiteral("Image1"));
}

void selectFile(PictureDialog &dialog, const QString &name)
{
    FileList *list = fileList(dialog);
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    list->setCurrentItem(found.first());
}

QPushButton *button(PictureDialog &dialog, const char *name)
{
    return child<QPushButton>(&dialog, QString::fromLatin1(name));
}

} // namespace

void PictureDialogTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
    const QDir dir(m_folder.path());
    // Qt writes no GIF: a one-pixel red one, byte by byte.
    const QByteArray gif = QByteArray::fromHex("474946383961010001008000"
                                               "00ff000000000021f9040000"
                                               "0000002c0000000001000100"
                                               "0002024401003b");
    for (const char *name : { "a.gif", "B.GIF" }) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(gif);
    }
    QVERIFY(colourPicture(Qt::blue).save(dir.filePath(QStringLiteral("c.jpg")), "JPEG"));
    QVERIFY(colourPicture(Qt::yellow).save(dir.filePath(QStringLiteral("D.JPEG")), "JPEG"));
    QVERIFY(colourPicture(Qt::cyan).save(dir.filePath(QStringLiteral("e.bmp")), "BMP"));
    QVERIFY(colourPicture(Qt::magenta).save(dir.filePath(QStringLiteral("f.png")), "PNG"));
    for (const char *name : { "g.txt", "h.jpg" }) {
        QFile text(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture\n");
    }
    QVERIFY(dir.mkdir(QStringLiteral("sub")));
}

void PictureDialogTest::joinsPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("joined");
    QTest::addColumn<QString>("shown");
    QTest::newRow("root") << "/"
                          << "/a.jpg"
                          << "/";
    QTest::newRow("below the root") << "/Foto"
                                    << "/Foto/a.jpg"
                                    << "/Foto/";
    QTest::newRow("ending in a separator") << "/Foto/"
                                           << "/Foto/a.jpg"
                                           << "/Foto/";
}

void PictureDialogTest::joinsPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QFETCH(QString, shown);
    QCOMPARE(JoinPath(folder, QStringLiteral("a.jpg")), joined);
    QCOMPARE(FolderWithSeparator(folder), shown);
}

void PictureDialogTest::opensOnRememberedFolder()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    QCOMPARE(child<FolderList>(&dialog, QStringLiteral("Dir1"))->path(), m_folder.path());
    QCOMPARE(fileList(dialog)->folder(), m_folder.path());
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label5"))->text(), m_folder.path() + u'/');
    QCOMPARE(child<QComboBox>(&dialog, QStringLiteral("Drive1"))->currentText().front(), u'/');
    QCOMPARE(fileList(dialog)->fileNames(),
             QStringList(
                 { QStringLiteral("c.jpg"), QStringLiteral("D.JPEG"), QStringLiteral("h.jpg") }));
}

void PictureDialogTest::missingFolderOpensOnCurrentFolder()
{
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder.path() + QStringLiteral("/sub")));
    PictureDialog dialog(m_folder.path() + QStringLiteral("/gone/away"), QStringLiteral("1"),
                         QStringLiteral("Inglese"));
    QDir::setCurrent(before);
    QCOMPARE(child<FolderList>(&dialog, QStringLiteral("Dir1"))->path(),
             m_folder.path() + QStringLiteral("/sub"));
    QVERIFY(previewSwitch(dialog)->isChecked());
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label5"))->text(), QStringLiteral("../../"));
}

void PictureDialogTest::openingFolderListsItsFiles()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    dialog.show();
    auto *folders = child<FolderList>(&dialog, QStringLiteral("Dir1"));
    const QList<QListWidgetItem *> sub
        = folders->findItems(QStringLiteral("sub"), Qt::MatchEndsWith);
    QCOMPARE(sub.size(), 1);
    const QPoint place = folders->visualItemRect(sub.first()).center();
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, place);
    QTRY_COMPARE(folders->path(), m_folder.path() + QStringLiteral("/sub"));
    QCOMPARE(fileList(dialog)->fileNames(), QStringList());
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label5"))->text(),
             m_folder.path() + QStringLiteral("/sub/"));

    // Back up through the entry of the parent folder.
    const QString parentName = QFileInfo(m_folder.path()).fileName();
    const QList<QListWidgetItem *> up = folders->findItems(parentName, Qt::MatchEndsWith);
    QCOMPARE(up.size(), 1);
    folders->setCurrentItem(up.first());
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Return);
    QTRY_COMPARE(folders->path(), m_folder.path());
    QCOMPARE(fileList(dialog)->fileNames().size(), 3);
}

void PictureDialogTest::rememberedPreviewState_data()
{
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("on") << "1" << true;
    QTest::newRow("off") << "0" << false;
    QTest::newRow("empty") << "" << false;
}

void PictureDialogTest::rememberedPreviewState()
{
    QFETCH(QString, remembered);
    QFETCH(bool, ticked);
    PictureDialog dialog(m_folder.path(), remembered, QStringLiteral("Italiano"));
    QCOMPARE(previewSwitch(dialog)->isChecked(), ticked);
    dialog.show();
    button(dialog, "Command2")->click();
    QCOMPARE(dialog.previewState(), ticked ? QStringLiteral("1") : QStringLiteral("0"));
}

void PictureDialogTest::picturesOfEachType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("all") << "Tutti i formati"
                         << QStringList { "a.gif", "B.GIF", "c.jpg", "D.JPEG", "e.bmp", "h.jpg" };
    QTest::newRow("gif") << "Compuserve GIF - *.GIF" << QStringList { "a.gif", "B.GIF" };
    QTest::newRow("jpeg") << "JPEG Compilant - *.JPG" << QStringList { "c.jpg", "D.JPEG", "h.jpg" };
    QTest::newRow("bitmap") << "Windows Bitmap - *.BMP" << QStringList { "e.bmp" };
}

void PictureDialogTest::picturesOfEachType()
{
    QFETCH(QString, type);
    QFETCH(QStringList, listed);
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    auto *types = child<QComboBox>(&dialog, QStringLiteral("Combo1"));
    QCOMPARE(types->count(), 4);
    // Start from another type so that every row really changes the list.
    types->setCurrentText(type == u"Windows Bitmap - *.BMP"
                              ? QStringLiteral("Tutti i formati")
                              : QStringLiteral("Windows Bitmap - *.BMP"));
    types->setCurrentText(type);
    QCOMPARE(types->currentText(), type);
    QCOMPARE(fileList(dialog)->fileNames(), listed);
}

void PictureDialogTest::okWithoutNameBeepsAndStays()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    int beeps = 0;
    dialog.setBeeper([&beeps] { ++beeps; });
    dialog.show();
    QTest::mouseClick(button(dialog, "Command1"), Qt::LeftButton);
    QCOMPARE(beeps, 1);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.outcome(), PictureDialog::Outcome::Closed);
    QVERIFY(dialog.chosenFile().isEmpty());
    QVERIFY(dialog.chosenFolder().isEmpty());
}

void PictureDialogTest::okHandsBackFileFolderAndPreview()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    dialog.show();
    selectFile(dialog, QStringLiteral("c.jpg"));
    QCOMPARE(child<QLineEdit>(&dialog, QStringLiteral("Text1"))->text(), QStringLiteral("c.jpg"));
    QTest::mouseClick(previewSwitch(dialog), Qt::LeftButton);
    QTest::mouseClick(button(dialog, "Command1"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.outcome(), PictureDialog::Outcome::Confirmed);
    QCOMPARE(dialog.chosenFile(), m_folder.path() + QStringLiteral("/c.jpg"));
    QCOMPARE(dialog.chosenFolder(), m_folder.path());
    QCOMPARE(dialog.previewState(), QStringLiteral("1"));
}

void PictureDialogTest::fileListConfirms_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("enter") << false;
    QTest::newRow("double-click") << true;
}

void PictureDialogTest::fileListConfirms()
{
    QFETCH(bool, doubleClick);
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    dialog.show();
    FileList *list = fileList(dialog);
    selectFile(dialog, QStringLiteral("D.JPEG"));
    if (doubleClick) {
        const QRect place = list->visualItemRect(list->currentItem());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
    } else {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    }
    QCOMPARE(dialog.outcome(), PictureDialog::Outcome::Confirmed);
    QCOMPARE(dialog.chosenFile(), m_folder.path() + QStringLiteral("/D.JPEG"));
}

void PictureDialogTest::typedNameIsHandedBack()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    dialog.show();
    auto *name = child<QLineEdit>(&dialog, QStringLiteral("Text1"));
    QTest::keyClicks(name, QStringLiteral("not there.jpg"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(dialog.outcome(), PictureDialog::Outcome::Confirmed);
    QCOMPARE(dialog.chosenFile(), m_folder.path() + QStringLiteral("/not there.jpg"));
}

void PictureDialogTest::typedFullPathIsTakenAsIs()
{
    QTemporaryDir elsewhere;
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    dialog.show();
    auto *name = child<QLineEdit>(&dialog, QStringLiteral("Text1"));
    QTest::keyClicks(name, elsewhere.path() + QStringLiteral("/sub/../cover.jpg"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(dialog.outcome(), PictureDialog::Outcome::Confirmed);
    QCOMPARE(dialog.chosenFile(), elsewhere.path() + QStringLiteral("/cover.jpg"));
    QCOMPARE(dialog.chosenFolder(), elsewhere.path());
}

void PictureDialogTest::cancelHandsBackPreviewOnly()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("1"), QStringLiteral("Italiano"));
    dialog.show();
    selectFile(dialog, QStringLiteral("c.jpg"));
    child<FolderList>(&dialog, QStringLiteral("Dir1"))->setPath(m_folder.path() + "/sub");
    QTest::mouseClick(previewSwitch(dialog), Qt::LeftButton);
    QTest::mouseClick(button(dialog, "Command2"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.outcome(), PictureDialog::Outcome::Cancelled);
    QCOMPARE(dialog.previewState(), QStringLiteral("0"));
    QVERIFY(dialog.chosenFile().isEmpty());
    QVERIFY(dialog.chosenFolder().isEmpty());
}

void PictureDialogTest::closeBoxHandsBackNothing()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    dialog.show();
    selectFile(dialog, QStringLiteral("c.jpg"));
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.outcome(), PictureDialog::Outcome::Closed);
    QVERIFY(dialog.chosenFile().isEmpty());
}

void PictureDialogTest::unreadablePictureKeepsPreview()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("1"), QStringLiteral("Italiano"));
    dialog.show();
    selectFile(dialog, QStringLiteral("c.jpg"));
    const QImage shown = preview(dialog)->picture().screenCopy();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.size(), QSize(40, 30));
    selectFile(dialog, QStringLiteral("h.jpg"));
    QCOMPARE(child<QLineEdit>(&dialog, QStringLiteral("Text1"))->text(), QStringLiteral("h.jpg"));
    QCOMPARE(preview(dialog)->picture().screenCopy(), shown);
    // The preview box is a square of 1335 twips that stretches the picture.
    QCOMPARE(preview(dialog)->size(), QSize(89, 89));
}

void PictureDialogTest::previewFollowsSwitch()
{
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), QStringLiteral("Italiano"));
    dialog.show();
    selectFile(dialog, QStringLiteral("c.jpg"));
    QVERIFY(!preview(dialog)->hasPicture());
    // Turning it on shows the selected file at once.
    QTest::mouseClick(previewSwitch(dialog), Qt::LeftButton);
    QVERIFY(preview(dialog)->hasPicture());
    // Turning it off keeps the picture until the next file clears it.
    QTest::mouseClick(previewSwitch(dialog), Qt::LeftButton);
    QVERIFY(preview(dialog)->hasPicture());
    selectFile(dialog, QStringLiteral("D.JPEG"));
    QVERIFY(!preview(dialog)->hasPicture());
}

void PictureDialogTest::textsFollowMarker_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("typeLabel");
    QTest::addColumn<QString>("previewText");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("Italiano") << "Italiano"
                              << "Seleziona cover..."
                              << "Tipo di file..."
                              << "Anteprima..."
                              << "Annulla";
    QTest::newRow("Inglese") << "Inglese"
                             << "Select cover..."
                             << "Type of file..."
                             << "Preview..."
                             << "Cancel";
    QTest::newRow("Tedesco") << "Tedesco"
                             << "Auserlesene Decke..."
                             << "Art von Akte..."
                             << "Vorschau..."
                             << "Ausgang";
    QTest::newRow("other") << ""
                           << "Select cover..."
                           << "Type of file..."
                           << "Preview..."
                           << "Cancel";
}

void PictureDialogTest::textsFollowMarker()
{
    QFETCH(QString, marker);
    QFETCH(QString, caption);
    QFETCH(QString, typeLabel);
    QFETCH(QString, previewText);
    QFETCH(QString, cancel);
    PictureDialog dialog(m_folder.path(), QStringLiteral("0"), marker);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label2"))->text(), typeLabel);
    QCOMPARE(previewSwitch(dialog)->text(), previewText);
    QCOMPARE(button(dialog, "Command2")->text(), cancel);
    QCOMPARE(button(dialog, "Command1")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label3"))->text(), QStringLiteral("Drive..."));
}

QTEST_MAIN(PictureDialogTest)
#include "tst_picturedialog.moc"
