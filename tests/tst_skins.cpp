#include "app/mainwindow.h"
#include "logic/programinfo.h"
#include "testpictures.h"
#include "testsupport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vellumark;
using namespace vellumark::test;

class SkinsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sampleSkinsArePictures_data();
    void sampleSkinsArePictures();
    void imageDialogListsSampleSkins();
    void imageCommandLoadsSkin_data();
    void imageCommandLoadsSkin();
    void unreadableSkinChangesNothing();
    void skinThatCannotBeLoadedAtStartIsSaid_data();
    void skinThatCannotBeLoadedAtStartIsSaid();
};

namespace {

const QStringList SampleSkins
    = { QStringLiteral("Aurora.SCI"), QStringLiteral("Carta.SCI"), QStringLiteral("Notte.SCI") };

QString buildFolder()
{
    return qEnvironmentVariable("VELLUMARK_BINARY_DIR");
}

// The names of the files (not folders) the dialog's file list shows.
QStringList listedFiles(QFileDialog *dialog)
{
    QStringList names;
    auto *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
    if (!view || !view->model())
        return names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        const QModelIndex entry = view->model()->index(row, 0, root);
        if (!QFileInfo(entry.data(QFileSystemModel::FilePathRole).toString()).isDir())
            names.append(entry.data().toString());
    }
    return names;
}

bool listsAll(const QStringList &names)
{
    for (const QString &skin : SampleSkins) {
        if (!names.contains(skin))
            return false;
    }
    return true;
}

LoadedWindow quietWindow(const TemporarySettings &temp)
{
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") } });
    return loadWindow(temp.settings());
}

QString backgroundPath(MainWindow *window)
{
    return window->state().backgroundPicture;
}

void chooseSkin(MainWindow *window, const QString &path)
{
    onNextModal<QFileDialog>([path](QFileDialog *dialog) {
        // Typed into the name field, as a user would.
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!name)
            return false;
        name->setText(path);
        static_cast<QDialog *>(dialog)->accept(); // the dialog's own Open
        return true;
    });
    window->findChild<QAction *>(QStringLiteral("ID_Immagine"))->trigger();
}

} // namespace

void SkinsTest::initTestCase()
{
    QVERIFY2(!buildFolder().isEmpty(), "VELLUMARK_BINARY_DIR is not set");
    // The test programs live in a folder of their own: give the window the
    // skins it would find beside the real program.
    const QDir program(ProgramFolder());
    if (QFileInfo(program.path()).canonicalFilePath()
        == QFileInfo(buildFolder()).canonicalFilePath())
        return;
    for (const QString &skin : SampleSkins) {
        QFile::remove(program.filePath(skin));
        QVERIFY(QFile::copy(QDir(buildFolder()).filePath(skin), program.filePath(skin)));
    }
}

void SkinsTest::sampleSkinsArePictures_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &skin : SampleSkins)
        QTest::newRow(qPrintable(skin)) << skin;
}

void SkinsTest::sampleSkinsArePictures()
{
    QFETCH(QString, name);

    const QFileInfo file(QDir(buildFolder()).filePath(name));
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QVERIFY(file.size() < 200 * 1024);
    // An ordinary picture under another extension: the reader knows it by
    // its content, at the size of the window's controls area.
    QImageReader reader(file.filePath());
    QVERIFY(!reader.format().isEmpty());
    const QImage picture = reader.read();
    QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(picture.size(), QSize(386, 412));
}

void SkinsTest::imageDialogListsSampleSkins()
{
    TemporarySettings temp;
    LoadedWindow loaded = quietWindow(temp);
    MainWindow *window = loaded.window.get();

    QStringList listed;
    QString folder;
    QString filter;
    onNextModal<QFileDialog>([&](QFileDialog *dialog) {
        listed = listedFiles(dialog);
        folder = dialog->directory().absolutePath();
        filter = dialog->selectedNameFilter();
        if (!listsAll(listed))
            return false;
        dialog->reject();
        return true;
    });
    window->findChild<QAction *>(QStringLiteral("ID_Immagine"))->trigger();

    QCOMPARE(QFileInfo(folder).canonicalFilePath(), QFileInfo(ProgramFolder()).canonicalFilePath());
    QCOMPARE(filter, QStringLiteral("Skin Image (*.SCI)"));
    for (const QString &skin : SampleSkins)
        QVERIFY2(listed.contains(skin), qPrintable(listed.join(u", ")));
    // Only skins: the help documents beside them are not offered.
    for (const QString &name : std::as_const(listed))
        QVERIFY2(name.endsWith(u".SCI", Qt::CaseInsensitive), qPrintable(name));

    // Cancelled: no background.
    QVERIFY(backgroundPath(window).isEmpty());
    QVERIFY(window->backgroundPicture().isNull());
}

void SkinsTest::imageCommandLoadsSkin_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &skin : SampleSkins)
        QTest::newRow(qPrintable(skin)) << skin;
}

void SkinsTest::imageCommandLoadsSkin()
{
    QFETCH(QString, name);

    TemporarySettings temp;
    LoadedWindow loaded = quietWindow(temp);
    MainWindow *window = loaded.window.get();

    const QString path = QDir(ProgramFolder()).filePath(name);
    chooseSkin(window, path);

    QCOMPARE(QFileInfo(backgroundPath(window)).canonicalFilePath(),
             QFileInfo(path).canonicalFilePath());
    QVERIFY(QFileInfo(backgroundPath(window)).isAbsolute());
    QCOMPARE(window->backgroundPicture().size(), QSize(386, 412));

    // Removed again by "ID_Elimina".
    window->findChild<QAction *>(QStringLiteral("ID_Elimina"))->trigger();
    QVERIFY(backgroundPath(window).isEmpty());
    QVERIFY(window->backgroundPicture().isNull());
}

void SkinsTest::unreadableSkinChangesNothing()
{
    TemporarySettings temp;
    LoadedWindow loaded = quietWindow(temp);
    MainWindow *window = loaded.window.get();

    const QString good = QDir(ProgramFolder()).filePath(SampleSkins.first());
    chooseSkin(window, good);
    const QString shown = backgroundPath(window);
    QVERIFY(!window->backgroundPicture().isNull());
    const QImage before = window->backgroundPicture();

    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("Broken.SCI"));
    {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
    }
    chooseSkin(window, broken);
    QCOMPARE(backgroundPath(window), shown);
    QCOMPARE(window->backgroundPicture(), before);
    // Said as for a cover picture (the window speaks Italian by default).
    QTRY_COMPARE(child<QStatusBar>(window, QStringLiteral("StatusBar1"))->currentMessage(),
                 QStringLiteral("Il file Broken.SCI non è un'immagine."));
}

void SkinsTest::skinThatCannotBeLoadedAtStartIsSaid_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the file is gone
    QTest::addColumn<QString>("expected");
    QTest::newRow("gone") << QByteArray() << "The file Gone.SCI cannot be read.";
    QTest::newRow("no picture") << QByteArray("not a picture")
                                << "The file Gone.SCI is not a picture.";
}

void SkinsTest::skinThatCannotBeLoadedAtStartIsSaid()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Gone.SCI"));
    if (!content.isEmpty())
        QVERIFY(writeBytes(path, content));
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), QStringLiteral("Inglese") },
                { QStringLiteral("Immagine"), path } });
    LoadedWindow loaded = loadWindow(temp.settings());
    QCOMPARE(child<QStatusBar>(loaded.window.get(), QStringLiteral("StatusBar1"))->currentMessage(),
             expected);
    // The path stays, to be saved again.
    QCOMPARE(backgroundPath(loaded.window.get()), path);
    QVERIFY(loaded.window->backgroundPicture().isNull());
}

QTEST_MAIN(SkinsTest)
#include "tst_skins.moc"
