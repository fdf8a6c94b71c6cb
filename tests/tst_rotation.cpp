#include "app/mainwindow.h"
#include "logic/pictures/loadedpicture.h"
#include "logic/pictures/rotatepicture.h"
#include "testpictures.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <numbers>

using namespace vellumark;
using namespace vellumark::test;

class RotationTest : public QObject
{
    Q_OBJECT

private slots:
    void nineByFiveTurnsClockwise();
    void quarterTurnMovesEveryPixel_data();
    void quarterTurnMovesEveryPixel();
    void fourTurnsGiveThePictureBack();
    void formatAndColoursAreKept_data();
    void formatAndColoursAreKept();
    void quarterTurnIntoAnotherSize_data();
    void quarterTurnIntoAnotherSize();
    void singlePrecisionQuarterIsExact();
    void halfTurnAndNoTurn();
    void anyAngleTurnsAboutTheCentre();
    void sourceMayBeTheDestination();
    void command2TurnsTheDvdPicture_data();
    void command2TurnsTheDvdPicture();
    void command2WithoutPictureDoesNothing();
};

namespace {

constexpr double kPi = std::numbers::pi;

// Every pixel a colour of its own, so that any pixel moved wrongly shows.
QImage numbered(int width, int height, QImage::Format format = QImage::Format_ARGB32)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, 0xff000000u | uint(y * 1000 + x + 1) * 2654435761u);
    return picture.convertToFormat(format);
}

// The turn written the slow and obvious way.
bool isClockwiseTurnOf(const QImage &turned, const QImage &source)
{
    if (turned.width() != source.height() || turned.height() != source.width())
        return false;
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x)
            if (turned.pixel(x, y) != source.pixel(y, source.height() - 1 - x))
                return false;
    return true;
}

} // namespace

void RotationTest::nineByFiveTurnsClockwise()
{
    QImage source(9, 5, QImage::Format_RGB32);
    source.fill(Qt::white);
    source.setPixel(4, 0, qRgb(255, 0, 0)); // top middle
    source.setPixel(4, 4, qRgb(0, 0, 255)); // bottom middle
    source.setPixel(0, 2, qRgb(0, 255, 0)); // left middle
    const QImage turned = QuarterTurnClockwise(source);
    QCOMPARE(turned.size(), QSize(5, 9));
    QCOMPARE(turned.pixel(4, 4), qRgb(255, 0, 0)); // on the right side
    QCOMPARE(turned.pixel(0, 4), qRgb(0, 0, 255)); // on the left side
    QCOMPARE(turned.pixel(2, 0), qRgb(0, 255, 0)); // on the top
    QVERIFY(isClockwiseTurnOf(turned, source));
}

void RotationTest::quarterTurnMovesEveryPixel_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1 x 1") << QSize(1, 1);
    QTest::newRow("2 x 2") << QSize(2, 2);
    QTest::newRow("1 x 7") << QSize(1, 7);
    QTest::newRow("7 x 1") << QSize(7, 1);
    QTest::newRow("odd square") << QSize(5, 5);
    QTest::newRow("even, wide") << QSize(8, 6);
    QTest::newRow("odd by even") << QSize(9, 4);
    QTest::newRow("54 x 13") << QSize(54, 13);
    QTest::newRow("wider than a tile") << QSize(131, 67);
    // Large enough that a turn off by a thousandth of a radian moves pixels.
    QTest::newRow("large") << QSize(1201, 900);
}

void RotationTest::quarterTurnMovesEveryPixel()
{
    QFETCH(QSize, size);
    const QImage source = numbered(size.width(), size.height());
    QVERIFY(isClockwiseTurnOf(QuarterTurnClockwise(source), source));
}

void RotationTest::fourTurnsGiveThePictureBack()
{
    // Distinct edge pixels: a turn that drops or shifts a row shows at once.
    QImage source(54, 13, QImage::Format_RGB32);
    source.fill(qRgb(128, 128, 128));
    for (int x = 0; x < 54; ++x) {
        source.setPixel(x, 0, qRgb(255, x, 0));
        source.setPixel(x, 12, qRgb(0, x, 255));
    }
    for (int y = 0; y < 13; ++y) {
        source.setPixel(0, y, qRgb(y, 255, 0));
        source.setPixel(53, y, qRgb(y, 0, 255));
    }
    QImage picture = source;
    for (int turn = 1; turn <= 4; ++turn) {
        const QImage turned = QuarterTurnClockwise(picture);
        QVERIFY2(isClockwiseTurnOf(turned, picture), qPrintable(QString::number(turn)));
        picture = turned;
    }
    QCOMPARE(picture, source);
}

void RotationTest::formatAndColoursAreKept_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("RGB32") << QImage::Format_RGB32;
    QTest::newRow("ARGB32 premultiplied") << QImage::Format_ARGB32_Premultiplied;
    QTest::newRow("RGB888") << QImage::Format_RGB888;
    QTest::newRow("RGB16") << QImage::Format_RGB16;
    QTest::newRow("Grayscale8") << QImage::Format_Grayscale8;
    QTest::newRow("Indexed8") << QImage::Format_Indexed8;
    QTest::newRow("RGBA64") << QImage::Format_RGBA64;
    QTest::newRow("RGBA32FPx4") << QImage::Format_RGBA32FPx4;
    QTest::newRow("Mono") << QImage::Format_Mono;
    QTest::newRow("MonoLSB") << QImage::Format_MonoLSB;
}

void RotationTest::formatAndColoursAreKept()
{
    QFETCH(QImage::Format, format);
    QImage source = numbered(13, 10, format);
    source.setDotsPerMeterX(1000);
    source.setDotsPerMeterY(2000);
    QImage turned = QuarterTurnClockwise(source);
    QCOMPARE(turned.format(), format);
    QCOMPARE(turned.colorTable(), source.colorTable());
    QCOMPARE(turned.dotsPerMeterX(), 2000);
    QVERIFY(isClockwiseTurnOf(turned, source));
    for (int turn = 2; turn <= 4; ++turn)
        turned = QuarterTurnClockwise(turned);
    QCOMPARE(turned, source);
}

void RotationTest::quarterTurnIntoAnotherSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("larger") << QSize(140, 170);
    QTest::newRow("cropped across") << QSize(80, 170);
    QTest::newRow("cropped both ways") << QSize(60, 90);
    QTest::newRow("tiny") << QSize(2, 4);
}

void RotationTest::quarterTurnIntoAnotherSize()
{
    // The turned picture lands centred; what it does not cover keeps the
    // destination's colour.
    QFETCH(QSize, size);
    const QImage source = numbered(150, 100, QImage::Format_RGB32);
    const QImage turned = QuarterTurnClockwise(source);
    QImage destination(size, QImage::Format_RGB32);
    destination.fill(Qt::blue);
    RotatePicture(source, destination, 3 * kPi / 2);
    const int offsetX = (size.width() - turned.width()) / 2;
    const int offsetY = (size.height() - turned.height()) / 2;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QPoint at(x - offsetX, y - offsetY);
            const QRgb expected = turned.rect().contains(at) ? turned.pixel(at) : qRgb(0, 0, 255);
            if (destination.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
    }
}

void RotationTest::singlePrecisionQuarterIsExact()
{
    const QImage source = numbered(31, 17);
    QImage destination(17, 31, source.format());
    RotatePicture(source, destination, double(float(3 * kPi / 2)));
    QVERIFY(isClockwiseTurnOf(destination, source));
    // A quarter turn the other way, and one by -π/2, which is the same as 3π/2.
    QImage counter(17, 31, source.format());
    RotatePicture(source, counter, kPi / 2);
    QCOMPARE(QuarterTurnClockwise(QuarterTurnClockwise(counter)), destination);
    QImage negative(17, 31, source.format());
    RotatePicture(source, negative, -kPi / 2);
    QCOMPARE(negative, destination);
}

void RotationTest::halfTurnAndNoTurn()
{
    const QImage source = numbered(10, 7);
    QImage same(10, 7, source.format());
    RotatePicture(source, same, 0.0);
    QCOMPARE(same, source);
    QImage half(10, 7, source.format());
    RotatePicture(source, half, kPi);
    QCOMPARE(half, source.mirrored(true, true));
}

void RotationTest::anyAngleTurnsAboutTheCentre()
{
    // A bar through the centre of a square, turned by 45 degrees: it lands
    // on the diagonal, the centre stays, and corners the source does not
    // reach keep the destination's colour.
    QImage source(21, 21, QImage::Format_RGB32);
    source.fill(Qt::white);
    for (int x = 0; x < 21; ++x)
        source.setPixel(x, 10, qRgb(255, 0, 0));
    QImage destination(31, 31, QImage::Format_RGB32);
    destination.fill(Qt::blue);
    RotatePicture(source, destination, kPi / 4);
    QCOMPARE(destination.pixel(15, 15), qRgb(255, 0, 0));
    // Counter-clockwise on screen: the right end goes up.
    QCOMPARE(destination.pixel(15 + 6, 15 - 6), qRgb(255, 0, 0));
    QCOMPARE(destination.pixel(15 - 6, 15 + 6), qRgb(255, 0, 0));
    QCOMPARE(destination.pixel(15 + 6, 15 + 6), qRgb(255, 255, 255));
    QCOMPARE(destination.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(destination.pixel(15, 0), qRgb(0, 0, 255));
}

void RotationTest::sourceMayBeTheDestination()
{
    const QImage source = numbered(12, 12);
    QImage picture = source;
    picture.detach();
    RotatePicture(picture, picture, 3 * kPi / 2);
    QVERIFY(isClockwiseTurnOf(picture, source));
}

void RotationTest::command2TurnsTheDvdPicture_data()
{
    QTest::addColumn<bool>("fromFile"); // else held decoded
    QTest::newRow("held decoded") << false;
    QTest::newRow("loaded from a file") << true;
}

void RotationTest::command2TurnsTheDvdPicture()
{
    QFETCH(bool, fromFile);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    window->show();
    child<QAction>(window, QStringLiteral("ID_covers"))->trigger();
    auto *button = child<QPushButton>(window, QStringLiteral("Command2"));
    QVERIFY(button->isVisible());
    auto *dvd = child<PictureBox>(window, QStringLiteral("Image7"));
    const QImage source = numbered(9, 5, QImage::Format_RGB32);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("numbered.png")); // lossless
    QVERIFY(writeBytes(file, encoded(source, "png")));
    dvd->setPicture(fromFile ? LoadedPicture::fromFile(file, QSize(100, 100)).value()
                             : LoadedPicture(source));

    // The box shows the turn at once; a page decodes it turned.
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(isClockwiseTurnOf(dvd->picture().screenCopy(), source));
    QVERIFY(isClockwiseTurnOf(dvd->picture().decoded(QSize(5, 9)), source));
    for (int press = 2; press <= 4; ++press)
        QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(dvd->picture().screenCopy(), source);
    QCOMPARE(dvd->picture().decoded(QSize(9, 5)).convertToFormat(QImage::Format_RGB32), source);
}

void RotationTest::command2WithoutPictureDoesNothing()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    child<QPushButton>(window, QStringLiteral("Command2"))->click();
    QVERIFY(!child<PictureBox>(window, QStringLiteral("Image7"))->hasPicture());
}

QTEST_MAIN(RotationTest)
#include "tst_rotation.moc"
