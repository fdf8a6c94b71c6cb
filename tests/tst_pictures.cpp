#include "app/mainwindow.h"
#include "app/toolset.h"
#include "logic/programinfo.h"
#include "logic/texts/messagetexts.h"
#include "testpictures.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <functional>

using namespace vellumark;
using namespace vellumark::test;

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void clickLoadsIntoOwnerBoxes_data();
    void clickLoadsIntoOwnerBoxes();
    void dialogWithoutLastFolder();
    void dialogListsPicturesInEitherCase();
    void cancelChangesNothing();
    void previewClosedWithoutChoiceKeepsSlot();
    void badChoiceByClick_data();
    void badChoiceByClick();
    void dropFillsOwnerOnly_data();
    void dropFillsOwnerOnly();
    void dragEnter_data();
    void dragEnter();
    void dropLoadsFirstFileOnly();
    void badDrop_data();
    void badDrop();
    void thumbnailSelectsPrintOption_data();
    void thumbnailSelectsPrintOption();
    void newOrTurnedPictureStartsCentred();
};

namespace {

const QStringList DisplayedFilters = {
    QStringLiteral("Windows Bitmap - *.BMP"),
    QStringLiteral("JPEG Compilant - *.JPG"),
    QStringLiteral("Compuserve GIF - *.GIF"),
    QStringLiteral("Tutti i formati"),
};

// The boxes of each owner, main box first.
QStringList ownerBoxes(const QString &main)
{
    if (main == u"Image1")
        return { "Image1", "Image3", "Image4" };
    if (main == u"Image2")
        return { "Image2", "Image5", "Image6" };
    return { "Image7" };
}

const QStringList AllBoxes
    = { "Image1", "Image2", "Image3", "Image4", "Image5", "Image6", "Image7" };

PictureBox *box(MainWindow *window, const QString &name)
{
    return child<PictureBox>(window, name);
}

QString labelText(MainWindow *window, const char *name)
{
    return child<QLabel>(window, QString::fromLatin1(name))->text();
}

// Records, then closes, every message box and every other modal window
// that shows up while it lives: the picture code must show none.
class ModalWatcher
{
public:
    ModalWatcher()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                m_seen << modal->metaObject()->className();
                modal->close();
            }
        });
        m_timer.start();
    }
    QStringList seen() const { return m_seen; }

private:
    QTimer m_timer;
    QStringList m_seen;
};

// Runs the action on the next file dialog once it is the active modal
// window, as a user would act on it.
void onNextFileDialog(std::function<void(QFileDialog *)> action)
{
    onNextModal<QFileDialog>([action](QFileDialog *dialog) {
        action(dialog);
        return true;
    });
}

// Types the file's path into the dialog's file name field and confirms, as
// a user would.
void chooseFile(QFileDialog *dialog, const QString &file)
{
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(file);
    static_cast<QDialog *>(dialog)->accept(); // as Open does
}

void chooseInNextDialog(const QString &file)
{
    onNextFileDialog([file](QFileDialog *dialog) { chooseFile(dialog, file); });
}

struct Fixture
{
    explicit Fixture(const QString &lastFolder, bool withPreview = false)
    {
        temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Percorso"), lastFolder },
                    { QStringLiteral("ApriFile"),
                      withPreview ? QStringLiteral("1") : QStringLiteral("0") } });
        loaded = loadWindow(temp.settings());
        window()->show();
        // The DVD panel's box must be on screen to be clicked.
        window()->tools()->tool(QStringLiteral("ID_covers"))->trigger();
    }
    MainWindow *window() const { return loaded.window.get(); }

    TemporarySettings temp;
    LoadedWindow loaded;
};

void showDvdPanel(MainWindow *window, bool shown)
{
    QAction *tool = window->tools()->tool(QStringLiteral("ID_covers"));
    if (tool->isChecked() != shown)
        tool->trigger();
}

void click(MainWindow *window, const QString &name)
{
    showDvdPanel(window, name == u"Image7");
    QTest::mouseClick(box(window, name), Qt::LeftButton);
}

QList<QUrl> fileUrls(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    return urls;
}

// What a file manager's drag carries.
std::unique_ptr<QMimeData> filesData(const QStringList &paths)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(fileUrls(paths));
    return data;
}

// Hands a drag event to the box itself. QApplication would route moves and
// drops to the drag manager's current target, which only a real drag sets.
void deliver(QWidget *target, QEvent *event)
{
    static_cast<QObject *>(target)->event(event);
}

struct DragAnswer
{
    bool accepted;
    Qt::DropAction action;
};

DragAnswer sendDragEnter(QWidget *target, const QMimeData *data,
                         Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction)
{
    QDragEnterEvent enter(target->rect().center(), actions, data, Qt::LeftButton, Qt::NoModifier);
    deliver(target, &enter);
    return { enter.isAccepted(), enter.dropAction() };
}

DragAnswer sendDragMove(QWidget *target, const QMimeData *data)
{
    QDragMoveEvent move(target->rect().center() + QPoint(1, 1),
                        Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton,
                        Qt::NoModifier);
    deliver(target, &move);
    return { move.isAccepted(), move.dropAction() };
}

void sendDrop(QWidget *target, const QMimeData *data)
{
    QDropEvent event(QPointF(target->rect().center()),
                     Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton,
                     Qt::NoModifier);
    deliver(target, &event);
}

// A whole drag from a file manager: enter, a move, and the drop when the box
// took the drag, as the platform delivers them.
void dragAndDrop(QWidget *target, const QStringList &paths)
{
    const auto data = filesData(paths);
    if (sendDragEnter(target, data.get()).accepted && sendDragMove(target, data.get()).accepted)
        sendDrop(target, data.get());
}

QString writePicture(const QString &path, QSize size = QSize(40, 20), QColor left = Qt::red)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeBytes(path, encoded(twoColourPicture(size, left), "jpeg"));
    return path;
}

// What the status bar says of a picture file, from the window's text table.
QString faultMessage(MainWindow *window, const QString &kind, const QString &file)
{
    const MessageTexts &texts = Messages(LanguageOfMarker(window->languageMarker()));
    const QString name = QFileInfo(file).fileName();
    if (kind == u"unreadable")
        return texts.unreadable.arg(name);
    if (kind == u"not a picture")
        return texts.notAPicture.arg(name);
    if (kind == u"damaged")
        return texts.damaged.arg(name);
    return QString();
}

QString statusText(MainWindow *window)
{
    return child<QStatusBar>(window, QStringLiteral("StatusBar1"))->currentMessage();
}

bool sameFolder(const QString &a, const QString &b)
{
    return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}

} // namespace

void PicturesTest::clickLoadsIntoOwnerBoxes_data()
{
    QTest::addColumn<QString>("main");
    QTest::newRow("slot A") << "Image1";
    QTest::newRow("slot B") << "Image2";
    QTest::newRow("DVD panel") << "Image7";
}

void PicturesTest::clickLoadsIntoOwnerBoxes()
{
    QFETCH(QString, main);
    QTemporaryDir dir;
    const QString start = dir.filePath(QStringLiteral("start"));
    QDir().mkpath(start);
    const QString file = writePicture(dir.filePath(QStringLiteral("Cover/front.jpg")));
    Fixture fixture(start);
    MainWindow *window = fixture.window();
    // Somewhere else than the program's folder, to see it set back.
    QDir::setCurrent(dir.path());

    QStringList filters;
    QString selectedFilter;
    QString startFolder;
    QString dialogName;
    onNextFileDialog([&](QFileDialog *dialog) {
        dialogName = dialog->objectName();
        auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; combo && i < combo->count(); ++i)
            filters << combo->itemText(i);
        selectedFilter = combo ? combo->currentText() : QString();
        startFolder = dialog->directory().absolutePath();
        chooseFile(dialog, file);
    });
    click(window, main);

    QCOMPARE(dialogName, QStringLiteral("PictureDialog"));
    QCOMPARE(filters, DisplayedFilters);
    QCOMPARE(selectedFilter, DisplayedFilters.first());
    QVERIFY(sameFolder(startFolder, start));
    QCOMPARE(labelText(window, "Label2"), dir.filePath(QStringLiteral("Cover")));
    QVERIFY(sameFolder(QDir::currentPath(), ProgramFolder()));

    const QStringList owner = ownerBoxes(main);
    const QImage loaded = box(window, main)->picture().screenCopy();
    QCOMPARE(loaded.size(), QSize(40, 20));
    for (const QString &name : AllBoxes) {
        if (owner.contains(name)) // decoded once, shared by every box
            QCOMPARE(box(window, name)->picture().screenCopy().cacheKey(), loaded.cacheKey());
        else
            QVERIFY2(!box(window, name)->hasPicture(), qPrintable(name));
    }
}

void PicturesTest::dialogWithoutLastFolder()
{
    QTemporaryDir dir;
    const QString file = writePicture(dir.filePath(QStringLiteral("a.jpg")));
    Fixture fixture { QString() };
    MainWindow *window = fixture.window();
    QCOMPARE(labelText(window, "Label2"), QString());
    chooseInNextDialog(file);
    click(window, QStringLiteral("Image1"));
    QCOMPARE(labelText(window, "Label2"), dir.path());
    QVERIFY(box(window, QStringLiteral("Image1"))->hasPicture());

    // The next dialog starts in the folder just used.
    QString startFolder;
    onNextFileDialog([&](QFileDialog *dialog) {
        startFolder = dialog->directory().absolutePath();
        dialog->reject();
    });
    click(window, QStringLiteral("Image2"));
    QVERIFY(sameFolder(startFolder, dir.path()));
}

void PicturesTest::dialogListsPicturesInEitherCase()
{
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("IMG_0001.JPG")));
    writePicture(dir.filePath(QStringLiteral("photo.jpg")));
    writeBytes(dir.filePath(QStringLiteral("scan.bmp")),
               encoded(twoColourPicture({ 4, 4 }), "bmp"));
    writeBytes(dir.filePath(QStringLiteral("LOGO.GIF")), redGif());
    writeBytes(dir.filePath(QStringLiteral("notes.txt")), "text");
    Fixture fixture(dir.path());

    const QList<QStringList> expected = {
        { "scan.bmp" },
        { "IMG_0001.JPG", "photo.jpg" },
        { "LOGO.GIF" },
        { "IMG_0001.JPG", "LOGO.GIF", "photo.jpg", "scan.bmp" },
    };
    QList<QStringList> listed;
    onNextFileDialog([&](QFileDialog *dialog) {
        auto *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
        auto names = [view] {
            QStringList shown;
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < view->model()->rowCount(root); ++row)
                shown << view->model()->index(row, 0, root).data().toString();
            shown.sort();
            return shown;
        };
        const QStringList filters = dialog->nameFilters();
        for (int i = 0; i < filters.size() && i < expected.size(); ++i) {
            dialog->selectNameFilter(filters[i]);
            (void)QTest::qWaitFor([&] { return names() == expected[i]; }, 3000);
            listed << names();
        }
        dialog->reject();
    });
    click(fixture.window(), QStringLiteral("Image1"));
    QCOMPARE(listed, expected);
}

void PicturesTest::cancelChangesNothing()
{
    QTemporaryDir dir;
    const QString old = writePicture(dir.filePath(QStringLiteral("old/a.jpg")));
    Fixture fixture(dir.path());
    MainWindow *window = fixture.window();
    dragAndDrop(box(window, QStringLiteral("Image1")), { old });
    const qint64 key = box(window, QStringLiteral("Image1"))->picture().screenCopy().cacheKey();

    onNextFileDialog([](QFileDialog *dialog) { dialog->reject(); });
    click(window, QStringLiteral("Image1"));
    QCOMPARE(labelText(window, "Label2"), dir.path());
    QCOMPARE(box(window, QStringLiteral("Image1"))->picture().screenCopy().cacheKey(), key);
    QCOMPARE(box(window, QStringLiteral("Image3"))->picture().screenCopy().cacheKey(), key);
}

void PicturesTest::previewClosedWithoutChoiceKeepsSlot()
{
    QTemporaryDir dir;
    const QString file = writePicture(dir.filePath(QStringLiteral("Cover/front.jpg")));
    Fixture fixture(dir.path());
    MainWindow *window = fixture.window();
    chooseInNextDialog(file);
    click(window, QStringLiteral("Image1"));
    const qint64 key = box(window, QStringLiteral("Image1"))->picture().screenCopy().cacheKey();
    QVERIFY(key != 0);

    // The preview dialog closes without a choice: the earlier file is not
    // loaded again, neither here nor into the other slot.
    window->tools()->tool(QStringLiteral("ID_ApriPrew"))->trigger();
    ModalWatcher watcher;
    click(window, QStringLiteral("Image2"));
    click(window, QStringLiteral("Image1"));
    QVERIFY(!box(window, QStringLiteral("Image2"))->hasPicture());
    QVERIFY(!box(window, QStringLiteral("Image5"))->hasPicture());
    QCOMPARE(box(window, QStringLiteral("Image1"))->picture().screenCopy().cacheKey(), key);
    QCOMPARE(labelText(window, "Label2"), dir.filePath(QStringLiteral("Cover")));
}

void PicturesTest::badChoiceByClick_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault"); // what the status bar says
    const QByteArray jpeg = jpegBytes(QSize(64, 64));
    QTest::newRow("empty file") << "empty.jpg" << QByteArray() << "not a picture";
    QTest::newRow("text named jpg")
        << "notes.jpg" << QByteArray("Not a picture.\n") << "not a picture";
    QTest::newRow("truncated jpeg") << "cut.jpg" << jpeg.left(jpeg.size() * 2 / 3) << "damaged";
    QTest::newRow("gif with broken header") << "broken.gif" << gifWithBrokenHeader() << "damaged";
    QTest::newRow("bitmap claiming 60000 x 60000")
        << "huge.bmp" << bitmapHeaderClaiming(QSize(60000, 60000)) << "damaged";
    QTest::newRow("jpeg claiming 60000 x 60000")
        << "huge.jpg" << jpegClaiming(QSize(60000, 60000)) << "damaged";
    QTest::newRow("deleted after the dialog") << "gone.jpg" << jpeg << "unreadable";
}

void PicturesTest::badChoiceByClick()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    const QString good = writePicture(dir.filePath(QStringLiteral("good.jpg")));
    const QString bad = dir.filePath(QStringLiteral("bad/") + name);
    QDir().mkpath(dir.filePath(QStringLiteral("bad")));
    QVERIFY(writeBytes(bad, bytes));
    Fixture fixture(dir.path());
    MainWindow *window = fixture.window();
    dragAndDrop(box(window, QStringLiteral("Image1")), { good });
    const qint64 key = box(window, QStringLiteral("Image1"))->picture().screenCopy().cacheKey();
    QVERIFY(key != 0);

    onNextFileDialog([&](QFileDialog *dialog) {
        if (name == u"gone.jpg") // removed once chosen, before the load
            connect(dialog, &QDialog::accepted, [bad] { QFile::remove(bad); });
        chooseFile(dialog, bad);
    });
    click(window, QStringLiteral("Image1"));
    ModalWatcher watcher;
    QVERIFY(waitForQueuedEvents());

    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(watcher.seen(), QStringList());
    for (const char *name : { "Image1", "Image3", "Image4" })
        QCOMPARE(box(window, QString::fromLatin1(name))->picture().screenCopy().cacheKey(), key);
    // The folder was taken before the load failed, and stays.
    QCOMPARE(labelText(window, "Label2"), dir.filePath(QStringLiteral("bad")));
    QCOMPARE(statusText(window), faultMessage(window, fault, bad));
}

void PicturesTest::dropFillsOwnerOnly_data()
{
    QTest::addColumn<QString>("main");
    QTest::newRow("slot A") << "Image1";
    QTest::newRow("slot B") << "Image2";
    QTest::newRow("DVD panel") << "Image7";
}

void PicturesTest::dropFillsOwnerOnly()
{
    QFETCH(QString, main);
    QTemporaryDir dir;
    const QString file = writePicture(dir.filePath(QStringLiteral("elsewhere/drop.jpg")));
    Fixture fixture(dir.path());
    MainWindow *window = fixture.window();
    for (const QString &name : AllBoxes) // only the main boxes take drops
        QCOMPARE(box(window, name)->acceptDrops(),
                 QStringList({ "Image1", "Image2", "Image7" }).contains(name));

    dragAndDrop(box(window, main), { file });
    const QStringList owner = ownerBoxes(main);
    const qint64 key = box(window, main)->picture().screenCopy().cacheKey();
    QVERIFY(key != 0);
    for (const QString &name : AllBoxes) {
        if (owner.contains(name))
            QCOMPARE(box(window, name)->picture().screenCopy().cacheKey(), key);
        else
            QVERIFY2(!box(window, name)->hasPicture(), qPrintable(name));
    }
    QCOMPARE(labelText(window, "Label2"), dir.path());
}

void PicturesTest::dragEnter_data()
{
    QTest::addColumn<QStringList>("files"); // names in the folder; "/" alone: the folder
    QTest::addColumn<int>("actions");
    QTest::addColumn<bool>("accepted");
    const int all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QTest::newRow("picture") << QStringList { "a.jpg" } << all << true;
    QTest::newRow("picture, copy not offered")
        << QStringList { "a.jpg" } << int(Qt::MoveAction) << false;
    QTest::newRow("text file") << QStringList { "notes.txt" } << all << false;
    QTest::newRow("text named jpg") << QStringList { "fake.jpg" } << all << false;
    QTest::newRow("folder") << QStringList { "/" } << all << false;
    QTest::newRow("picture, then text") << QStringList { "a.jpg", "notes.txt" } << all << true;
    QTest::newRow("text, then picture") << QStringList { "notes.txt", "a.jpg" } << all << false;
    QTest::newRow("three pictures") << QStringList { "a.jpg", "b.bmp", "c.gif" } << all << true;
}

void PicturesTest::dragEnter()
{
    QFETCH(QStringList, files);
    QFETCH(int, actions);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("a.jpg")));
    writeBytes(dir.filePath(QStringLiteral("b.bmp")), encoded(twoColourPicture({ 4, 4 }), "bmp"));
    writeBytes(dir.filePath(QStringLiteral("c.gif")), redGif());
    writeBytes(dir.filePath(QStringLiteral("notes.txt")), "Some text.\n");
    writeBytes(dir.filePath(QStringLiteral("fake.jpg")), "Some text.\n");
    QStringList paths;
    for (const QString &name : files)
        paths << (name == u"/" ? dir.path() : dir.filePath(name));
    Fixture fixture(dir.path());
    PictureBox *target = box(fixture.window(), QStringLiteral("Image1"));

    const auto data = filesData(paths);
    const DragAnswer enter = sendDragEnter(target, data.get(), Qt::DropActions(actions));
    QCOMPARE(enter.accepted, accepted);
    if (accepted)
        QCOMPARE(enter.action, Qt::CopyAction);
    // Moves keep the answer given as the drag entered.
    const DragAnswer move = sendDragMove(target, data.get());
    QCOMPARE(move.accepted, accepted);
    if (accepted)
        QCOMPARE(move.action, Qt::CopyAction);
}

void PicturesTest::dropLoadsFirstFileOnly()
{
    QTemporaryDir dir;
    const QString red = writePicture(dir.filePath(QStringLiteral("red.jpg")), { 40, 20 }, Qt::red);
    const QString green
        = writePicture(dir.filePath(QStringLiteral("green.jpg")), { 60, 20 }, Qt::green);
    Fixture fixture(dir.path());
    PictureBox *target = box(fixture.window(), QStringLiteral("Image2"));
    dragAndDrop(target, { red, green });
    QCOMPARE(target->picture().screenCopy().size(), QSize(40, 20));
    QCOMPARE(dominant(target->picture().screenCopy().pixel(2, 2)), 'r');
}

void PicturesTest::badDrop_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fault"); // what the status bar says; empty: nothing
    QTest::newRow("plain text") << "text"
                                << "";
    QTest::newRow("web address") << "web"
                                 << "";
    QTest::newRow("text file") << "notes.txt"
                               << "not a picture";
    QTest::newRow("text named jpg") << "fake.jpg"
                                    << "not a picture";
    QTest::newRow("truncated jpeg") << "cut.jpg"
                                    << "damaged";
    QTest::newRow("jpeg claiming 60000 x 60000") << "huge.jpg"
                                                 << "damaged";
    QTest::newRow("folder") << "folder"
                            << "unreadable";
    QTest::newRow("missing file") << "gone.jpg"
                                  << "unreadable";
}

void PicturesTest::badDrop()
{
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    const QString good = writePicture(dir.filePath(QStringLiteral("good.jpg")));
    const QByteArray jpeg = jpegBytes(QSize(64, 64));
    writeBytes(dir.filePath(QStringLiteral("notes.txt")), "Some text.\n");
    writeBytes(dir.filePath(QStringLiteral("fake.jpg")), "Some text.\n");
    writeBytes(dir.filePath(QStringLiteral("cut.jpg")), jpeg.left(jpeg.size() / 2));
    writeBytes(dir.filePath(QStringLiteral("huge.jpg")), jpegClaiming(QSize(60000, 60000)));
    Fixture fixture(dir.path());
    MainWindow *window = fixture.window();
    PictureBox *target = box(window, QStringLiteral("Image2"));
    dragAndDrop(target, { good });
    const qint64 key = target->picture().screenCopy().cacheKey();

    QMimeData data;
    if (kind == u"text")
        data.setText(dir.filePath(QStringLiteral("good.jpg")));
    else if (kind == u"web")
        data.setUrls({ QUrl(QStringLiteral("https://pictures.example/good.jpg")) });
    else if (kind == u"folder")
        data.setUrls(fileUrls({ dir.path() }));
    else
        data.setUrls(fileUrls({ dir.filePath(kind) }));
    ModalWatcher watcher;
    sendDragEnter(target, &data);
    sendDragMove(target, &data);
    sendDrop(target, &data); // delivered even if refused: it must still change nothing
    QVERIFY(waitForQueuedEvents());
    QVERIFY(!QApplication::activeModalWidget());

    QCOMPARE(watcher.seen(), QStringList());
    for (const char *name : { "Image2", "Image5", "Image6" })
        QCOMPARE(box(window, QString::fromLatin1(name))->picture().screenCopy().cacheKey(), key);
    QCOMPARE(labelText(window, "Label2"), dir.path());
    QCOMPARE(statusText(window),
             faultMessage(window, fault, kind == u"folder" ? dir.path() : dir.filePath(kind)));
}

void PicturesTest::thumbnailSelectsPrintOption_data()
{
    QTest::addColumn<QString>("thumbnail");
    QTest::addColumn<QString>("option");
    QTest::newRow("Image3") << "Image3"
                            << "Option3";
    QTest::newRow("Image4") << "Image4"
                            << "Option5";
    QTest::newRow("Image5") << "Image5"
                            << "Option5";
    QTest::newRow("Image6") << "Image6"
                            << "Option4";
}

void PicturesTest::thumbnailSelectsPrintOption()
{
    QFETCH(QString, thumbnail);
    QFETCH(QString, option);
    QTemporaryDir dir;
    Fixture fixture(dir.path());
    MainWindow *window = fixture.window();
    showDvdPanel(window, false);
    // Start from an option that is not the thumbnail's.
    const QString other
        = option == u"Option4" ? QStringLiteral("Option3") : QStringLiteral("Option4");
    child<QRadioButton>(window, other)->setChecked(true);

    ModalWatcher watcher;
    QTest::mouseClick(box(window, thumbnail), Qt::LeftButton);
    QVERIFY(waitForQueuedEvents());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(child<QRadioButton>(window, option)->isChecked());
    QCOMPARE(watcher.seen(), QStringList()); // it opens no dialog
    for (const QString &name : AllBoxes)
        QVERIFY(!box(window, name)->hasPicture());
}

void PicturesTest::newOrTurnedPictureStartsCentred()
{
    QTemporaryDir dir;
    const QString first = writePicture(dir.filePath(QStringLiteral("first.jpg")), QSize(300, 100));
    const QString second
        = writePicture(dir.filePath(QStringLiteral("second.jpg")), QSize(200, 100));
    Fixture fixture(dir.path());
    MainWindow *window = fixture.window();
    const PictureCrop centred;
    for (const char *name : { "Image1", "Image7" }) {
        // The slots first, then the DVD panel over them.
        window->tools()->tool(QStringLiteral("ID_covers"))->trigger();
        PictureBox *preview = box(window, QString::fromLatin1(name));
        QTRY_VERIFY(preview->isVisible());
        dragAndDrop(preview, { first });
        QVERIFY(preview->hasPicture());
        // Fill, from the menu key's menu; then three notches of the wheel
        // near the top left corner.
        preview->setFocus();
        QTest::keyClick(preview, Qt::Key_Menu);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QAction *fill = child<QAction>(menu, QStringLiteral("FitFill"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(fill).center());
        QTRY_VERIFY(!QApplication::activePopupWidget());
        const QPointF corner(5, 5);
        QWheelEvent wheel(corner, preview->mapToGlobal(corner), QPoint(), QPoint(0, 360),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview, &wheel);
        QVERIFY(preview->fit().crop != centred);

        if (QByteArray(name) == "Image1")
            dragAndDrop(preview, { second });
        else
            child<QPushButton>(window, QStringLiteral("Command2"))->click(); // "90°"
        QCOMPARE(preview->fit().mode, FitMode::Fill);
        QVERIFY(preview->fit().crop == centred);
    }
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
