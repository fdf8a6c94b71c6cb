#include "logic/pictures/jpegend.h"
#include "logic/pictures/loadedpicture.h"
#include "logic/pictures/picturefilters.h"
#include "logic/pictures/picturefolder.h"
#include "logic/pictures/pictureloader.h"
#include "testpictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include <unistd.h>

using namespace vellumark;
using namespace vellumark::test;

namespace {

// A point an eighth in from one of the four corners.
QPoint nearCorner(QSize size, int corner)
{
    const int x = size.width() / 8, y = size.height() / 8;
    return QPoint(corner & 1 ? size.width() - 1 - x : x, corner & 2 ? size.height() - 1 - y : y);
}

// A picture loaded to be kept gives what LoadPicture gives: the same
// refusals and size; a screen copy covering the screen, scaled down for a
// small one and whole for a large one, of the same colours near its
// corners; and the whole picture decoded again from the kept bytes, also
// after four turns, which give back the same screen copy.
void keptAsLoadPictureGivesIt(const QString &path)
{
    const QImage today = LoadPicture(path).convertToFormat(QImage::Format_RGB32);
    for (const QSize screen : { QSize(8, 8), QSize(4000, 4000) }) {
        const std::optional<LoadedPicture> kept = LoadedPicture::fromFile(path, screen);
        QCOMPARE(kept.has_value(), !today.isNull());
        if (!kept)
            continue;
        QCOMPARE(kept->size(), today.size());
        const QImage copy = kept->screenCopy();
        const QSize least = screen.boundedTo(today.size());
        QVERIFY(copy.width() >= least.width() && copy.height() >= least.height());
        if (today.width() > screen.width() && today.height() > screen.height())
            QVERIFY(copy.width() < today.width() && copy.height() < today.height());
        else
            QCOMPARE(copy.size(), today.size());
        for (int corner = 0; corner < 4; ++corner)
            QCOMPARE(dominant(copy.pixel(nearCorner(copy.size(), corner))),
                     dominant(today.pixel(nearCorner(today.size(), corner))));
        QCOMPARE(kept->decoded(kept->size()).convertToFormat(QImage::Format_RGB32), today);
        LoadedPicture turned = *kept;
        for (int turn = 1; turn <= 4; ++turn) {
            turned = turned.turnedClockwise();
            QCOMPARE(turned.size(), turn % 2 ? today.size().transposed() : today.size());
            // A part a page decodes alone is that part of the picture as
            // shown: its top left third, which lies on one side of the
            // two colours whichever way the picture is turned or mirrored.
            const QImage shown = today.transformed(QTransform().rotate(90 * turn));
            const QRect third(0, 0, shown.width() / 3, shown.height() / 3);
            if (!third.isEmpty()) {
                const QImage part
                    = turned.decoded(third, (third.size() / 2).expandedTo(QSize(1, 1)));
                QCOMPARE(part.size(), (third.size() / 2).expandedTo(QSize(1, 1)));
                for (int corner = 0; corner < 4; ++corner)
                    QCOMPARE(
                        dominant(part.pixel(nearCorner(part.size(), corner))),
                        dominant(shown.pixel(third.topLeft() + nearCorner(third.size(), corner))));
            }
            if (turn == 1) { // as Qt turns it
                const QTransform quarter = QTransform().rotate(90);
                QCOMPARE(turned.screenCopy(), copy.transformed(quarter));
                QCOMPARE(turned.decoded(turned.size()).convertToFormat(QImage::Format_RGB32),
                         today.transformed(quarter));
            }
        }
        QCOMPARE(turned.screenCopy(), copy);
        QCOMPARE(turned.decoded(turned.size()).convertToFormat(QImage::Format_RGB32), today);
    }
}

} // namespace

class PictureLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void loadsEachKind_data();
    void loadsEachKind();
    void exifOrientationTurnsPicture_data();
    void exifOrientationTurnsPicture();
    void badInput_data();
    void badInput();
    void unreadableFile();
    void jpegEnd_data();
    void jpegEnd();
    void pictureFolder_data();
    void pictureFolder();
    void filtersAreTheFourOfTheDialog();
};

void PictureLoaderTest::loadsEachKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<char>("colour"); // of the top-left pixel
    QTest::newRow("bmp") << "scan.bmp" << encoded(twoColourPicture(QSize(30, 10)), "bmp")
                         << QSize(30, 10) << 'r';
    QTest::newRow("BMP") << "SCAN.BMP" << encoded(twoColourPicture(QSize(30, 10)), "bmp")
                         << QSize(30, 10) << 'r';
    QTest::newRow("jpg") << "photo.jpg" << jpegBytes(QSize(40, 20)) << QSize(40, 20) << 'r';
    QTest::newRow("JPG") << "IMG_0001.JPG" << jpegBytes(QSize(40, 20)) << QSize(40, 20) << 'r';
    QTest::newRow("progressive jpeg")
        << "p.jpeg" << jpegBytes(QSize(40, 20), true) << QSize(40, 20) << 'r';
    QTest::newRow("gif") << "dot.gif" << redGif() << QSize(1, 1) << 'r';
    // Its header gives its first frame's 4 x 3; its screen is 12288 x 3.
    QTest::newRow("gif wider than its first frame")
        << "wide.gif"
        << QByteArray::fromBase64(
               "R0lGODlhADADAPEAAP8AAAAA/4AAgAAAACH5BAAAAAAALAAAAAAEAAMAAAIFUQA7")
        << QSize(12288, 3) << 'b';
    // What the header says counts, not the name.
    QTest::newRow("bitmap named jpg")
        << "odd.jpg" << encoded(twoColourPicture(QSize(30, 10)), "bmp") << QSize(30, 10) << 'r';
}

void PictureLoaderTest::loadsEachKind()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(char, colour);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(CanReadPicture(path));
    const QImage picture = LoadPicture(path);
    QCOMPARE(picture.size(), size);
    QCOMPARE(dominant(picture.pixel(0, 0)), colour);
    keptAsLoadPictureGivesIt(path);
}

void PictureLoaderTest::exifOrientationTurnsPicture_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<char>("topLeft");
    QTest::addColumn<char>("bottomRight");
    // The file holds 40 x 20, red on the left, blue on the right.
    QTest::newRow("1 upright") << 1 << QSize(40, 20) << 'r' << 'b';
    QTest::newRow("3 half turn") << 3 << QSize(40, 20) << 'b' << 'r';
    QTest::newRow("6 quarter turn clockwise") << 6 << QSize(20, 40) << 'r' << 'b';
    QTest::newRow("8 quarter turn anticlockwise") << 8 << QSize(20, 40) << 'b' << 'r';
    QTest::newRow("2 mirrored") << 2 << QSize(40, 20) << 'b' << 'r';
    QTest::newRow("4 upside down") << 4 << QSize(40, 20) << 'r' << 'b';
    QTest::newRow("5 mirrored across the diagonal") << 5 << QSize(20, 40) << 'r' << 'b';
    QTest::newRow("7 mirrored across the other diagonal") << 7 << QSize(20, 40) << 'b' << 'r';
}

void PictureLoaderTest::exifOrientationTurnsPicture()
{
    QFETCH(int, orientation);
    QFETCH(QSize, size);
    QFETCH(char, topLeft);
    QFETCH(char, bottomRight);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("camera.jpg"));
    QVERIFY(writeBytes(path, withExifOrientation(jpegBytes(QSize(40, 20)), quint16(orientation))));
    const QImage picture = LoadPicture(path);
    QCOMPARE(picture.size(), size);
    QCOMPARE(dominant(picture.pixel(2, 2)), topLeft);
    QCOMPARE(dominant(picture.pixel(size.width() - 3, size.height() - 3)), bottomRight);
    keptAsLoadPictureGivesIt(path);
}

void PictureLoaderTest::badInput_data()
{
    QTest::addColumn<QString>("name"); // empty: the folder itself
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("headerLooksRight");
    const QByteArray jpeg = jpegBytes(QSize(64, 64));
    QTest::newRow("empty file") << "empty.jpg" << QByteArray() << false;
    QTest::newRow("text named jpg")
        << "notes.jpg" << QByteArray("Not a picture at all.\n") << false;
    QTest::newRow("truncated jpeg") << "cut.jpg" << jpeg.left(jpeg.size() * 2 / 3) << true;
    QTest::newRow("jpeg cut in its header") << "head.jpg" << jpeg.left(40) << true;
    QTest::newRow("gif with broken header") << "broken.gif" << gifWithBrokenHeader() << true;
    QTest::newRow("bitmap claiming 60000 x 60000")
        << "huge.bmp" << bitmapHeaderClaiming(QSize(60000, 60000)) << true;
    QTest::newRow("jpeg claiming 60000 x 60000")
        << "huge.jpg" << jpegClaiming(QSize(60000, 60000)) << true;
    QTest::newRow("folder") << QString() << QByteArray() << false;
    QTest::newRow("missing file") << "gone.jpg" << QByteArray() << false;
    QTest::newRow("path through a file") << "plain.jpg/inner.jpg" << QByteArray() << false;
}

void PictureLoaderTest::badInput()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, headerLooksRight);
    QTemporaryDir dir;
    const QString path = name.isEmpty() ? dir.path() : dir.filePath(name);
    if (name == u"gone.jpg") {
        QVERIFY(writeBytes(path, jpegBytes()));
        QVERIFY(QFile::remove(path));
    } else if (name.contains(u'/')) {
        QVERIFY(writeBytes(dir.filePath(name.section(u'/', 0, 0)), jpegBytes()));
    } else if (!name.isEmpty()) {
        QVERIFY(writeBytes(path, bytes));
    }
    QVERIFY(LoadPicture(path).isNull());
    keptAsLoadPictureGivesIt(path);
    // The drag check reads the header only.
    QCOMPARE(CanReadPicture(path), headerLooksRight);
}

void PictureLoaderTest::unreadableFile()
{
    if (geteuid() == 0)
        QSKIP("root reads files whatever their permissions; the paths that cannot be opened "
              "are covered by badInput");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.jpg"));
    QVERIFY(writeBytes(path, jpegBytes()));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QVERIFY(LoadPicture(path).isNull());
    QVERIFY(!LoadedPicture::fromFile(path, QSize(8, 8)));
    QVERIFY(!CanReadPicture(path));
}

void PictureLoaderTest::jpegEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whole");
    const QByteArray baseline = jpegBytes(QSize(64, 48));
    const QByteArray progressive = jpegBytes(QSize(64, 48), true);
    QTest::newRow("baseline") << baseline << true;
    QTest::newRow("progressive") << progressive << true;
    QTest::newRow("data after the end") << baseline + QByteArray(5000, 'x') << true;
    QTest::newRow("with exif") << withExifOrientation(baseline, 6) << true;
    QTest::newRow("baseline without end marker") << baseline.chopped(2) << false;
    QTest::newRow("baseline cut in the scan") << baseline.left(baseline.size() - 40) << false;
    QTest::newRow("progressive cut after a scan")
        << progressive.left(progressive.lastIndexOf(QByteArray("\xFF\xDA", 2))) << false;
    QTest::newRow("cut in a segment length") << baseline.left(5) << false;
    QTest::newRow("only the start marker") << baseline.left(2) << false;
    QTest::newRow("not a jpeg") << QByteArray("GIF89a") << false;
    // The thumbnail's end marker lies inside a segment and does not count.
    const QByteArray withThumbnail = withThumbnailSegment(baseline, jpegBytes(QSize(8, 8)));
    QTest::newRow("thumbnail, whole") << withThumbnail << true;
    QTest::newRow("thumbnail, main picture cut")
        << withThumbnail.left(withThumbnail.size() - 30) << false;
}

void PictureLoaderTest::jpegEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whole);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(JpegReachesEnd(buffer), whole);
}

void PictureLoaderTest::pictureFolder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("folder");
    QTest::newRow("nested") << "/home/u/Cover/front.jpg"
                            << "/home/u/Cover";
    QTest::newRow("root") << "/front.jpg"
                          << "/";
    QTest::newRow("one level") << "/pictures/a.bmp"
                               << "/pictures";
    QTest::newRow("bare name") << "front.jpg" << QString();
    QTest::newRow("blanks kept") << "/my covers/a b.jpg"
                                 << "/my covers";
}

void PictureLoaderTest::pictureFolder()
{
    QFETCH(QString, file);
    QFETCH(QString, folder);
    QCOMPARE(PictureFolder(file), folder);
}

void PictureLoaderTest::filtersAreTheFourOfTheDialog()
{
    const QStringList filters = PictureFileFilters();
    QCOMPARE(filters.size(), 4);
    // Each filter's patterns, whatever the case, match its kind of file.
    const QStringList names[] = {
        { "a.BMP", "a.bmp" },
        { "a.JPG", "a.jpg", "a.jpeg" },
        { "a.GIF", "a.gif" },
        { "a.BMP", "a.gif", "a.JPG", "a.jpeg" },
    };
    for (int i = 0; i < 4; ++i) {
        const QString patterns = filters[i].section(u'(', -1).chopped(1);
        for (const QString &name : names[i])
            QVERIFY2(QDir::match(patterns.split(u' '), name), qPrintable(filters[i] + u' ' + name));
    }
}

QTEST_MAIN(PictureLoaderTest)
#include "tst_pictureloader.moc"
