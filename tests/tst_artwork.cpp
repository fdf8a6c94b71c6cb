#include "logic/artwork.h"

#include <QGuiApplication>
#include <QTest>

using namespace vellumark;

class ArtworkTest : public QObject
{
    Q_OBJECT

private slots:
    void everyDrawingLoads_data();
    void everyDrawingLoads();
    void programIconAtEverySize();
    void cursorKeepsItsHotSpot();
};

namespace {

// How many pixels of the picture are not see-through.
int coveredPixels(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    int covered = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x)
            covered += qAlpha(argb.pixel(x, y)) > 0 ? 1 : 0;
    }
    return covered;
}

} // namespace

void ArtworkTest::everyDrawingLoads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("scale");
    // Every drawing of the resource, at the scales of common screens.
    const QStringList names = ArtworkNames();
    QVERIFY(!names.isEmpty());
    for (const QString &name : names) {
        for (qreal scale : { 1.0, 2.0, 1.5 })
            QTest::addRow("%s x%.1f", qPrintable(name), scale) << name << scale;
    }
}

void ArtworkTest::everyDrawingLoads()
{
    QFETCH(QString, name);
    QFETCH(qreal, scale);
    const QPixmap pixmap = ArtworkPixmap(name, QSize(32, 32), scale);
    QVERIFY(!pixmap.isNull());
    // As many device pixels as the screen has: crisp, not stretched.
    QCOMPARE(pixmap.size(), QSize(32, 32) * scale);
    QCOMPARE(pixmap.devicePixelRatio(), scale);
    QVERIFY(coveredPixels(pixmap.toImage()) > pixmap.width() * pixmap.height() / 10);
}

void ArtworkTest::programIconAtEverySize()
{
    for (int side : { 16, 22, 48, 256, 512 }) {
        const QImage image = ProgramIconImage(side);
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(coveredPixels(image) > side * side / 3);
        QCOMPARE(ProgramIcon().pixmap(side, side).size(), QSize(side, side));
    }
}

void ArtworkTest::cursorKeepsItsHotSpot()
{
    const QCursor cursor = PictureCursor();
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    QCOMPARE(cursor.hotSpot(), QPoint(14, 6));
    // The finger tip lies just below the hot spot.
    QVERIFY(qAlpha(cursor.pixmap().toImage().pixel(14, 6)) > 0);
}

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
