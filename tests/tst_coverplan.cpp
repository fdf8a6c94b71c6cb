#include "logic/page/coverplan.h"
#include "logic/page/leanplan.h"

#include "testpictures.h"
#include <QTest>

#include <cmath>

using namespace vellumark;
using vellumark::test::solid;

Q_DECLARE_METATYPE(vellumark::PrintSelection)
Q_DECLARE_METATYPE(vellumark::DvdFormat)
Q_DECLARE_METATYPE(vellumark::PictureCrop)

class CoverPlanTest : public QObject
{
    Q_OBJECT

private slots:
    void selectionPlacesSlots_data();
    void selectionPlacesSlots();
    void fieldsReadByTheNumberRule_data();
    void fieldsReadByTheNumberRule();
    void borderWidth_data();
    void borderWidth();
    void dvdFormats_data();
    void dvdFormats();
    void absurdNumbersStayOnTheTable();
    void cropStaysOnThePicture_data();
    void cropStaysOnThePicture();
    void printCarriesThePartAtMost300Ppi_data();
    void printCarriesThePartAtMost300Ppi();
};

namespace {

// Slot A at (2, 2) 12.1 x 12.1 with a red picture and a border; slot B
// below it, green, without one.
CoverPlanInput twoSlots()
{
    CoverPlanInput input;
    input.slotA = { QStringLiteral("12.1"),
                    QStringLiteral("12.1"),
                    QStringLiteral("2"),
                    QStringLiteral("2"),
                    true,
                    solid(Qt::red) };
    input.slotB = { QStringLiteral("15"),
                    QStringLiteral("11.8"),
                    QStringLiteral("2"),
                    QStringLiteral("14.1"),
                    false,
                    solid(Qt::green) };
    return input;
}

} // namespace

void CoverPlanTest::selectionPlacesSlots_data()
{
    QTest::addColumn<PrintSelection>("selection");
    QTest::addColumn<QList<QRectF>>("rects");
    QTest::addColumn<QList<bool>>("borders");
    QTest::addColumn<QList<QRgb>>("colours");

    const QRectF a(2, 2, 12.1, 12.1);
    const QRectF b(2, 14.1, 15, 11.8);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb green = qRgb(0, 255, 0);
    QTest::newRow("A only") << PrintSelection::SlotA << QList<QRectF> { a } << QList<bool> { true }
                            << QList<QRgb> { red };
    QTest::newRow("B only") << PrintSelection::SlotB << QList<QRectF> { b } << QList<bool> { false }
                            << QList<QRgb> { green };
    // A first, so that B lies on top where they overlap.
    QTest::newRow("A+B") << PrintSelection::BothSlots << QList<QRectF> { a, b }
                         << QList<bool> { true, false } << QList<QRgb> { red, green };
}

void CoverPlanTest::selectionPlacesSlots()
{
    QFETCH(PrintSelection, selection);
    QFETCH(QList<QRectF>, rects);
    QFETCH(QList<bool>, borders);
    QFETCH(QList<QRgb>, colours);
    CoverPlanInput input = twoSlots();
    input.selection = selection;
    input.dvdPicture = solid(Qt::blue); // no part in CD mode
    const CoverPlan plan = BuildCoverPlan(input);
    QVERIFY(!plan.dvdMode);
    QCOMPARE(plan.pictures.size(), rects.size());
    for (qsizetype i = 0; i < rects.size(); ++i) {
        QCOMPARE(plan.pictures[i].rect, rects[i]);
        QCOMPARE(plan.pictures[i].border, borders[i]);
        QCOMPARE(plan.pictures[i].picture.screenCopy().pixel(0, 0), colours[i]);
    }
}

void CoverPlanTest::fieldsReadByTheNumberRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("cm");
    QTest::newRow("point") << QStringLiteral("12.1") << 12.1;
    QTest::newRow("decimal comma ends the number") << QStringLiteral("12,1") << 12.0;
    QTest::newRow("2,5") << QStringLiteral("2,5") << 2.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("not a number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("blanks inside") << QStringLiteral(" 1 2.5 ") << 12.5;
    QTest::newRow("negative") << QStringLiteral("-3") << -3.0;
}

void CoverPlanTest::fieldsReadByTheNumberRule()
{
    QFETCH(QString, text);
    QFETCH(double, cm);
    CoverPlanInput input;
    input.selection = PrintSelection::SlotA;
    input.slotA = { text, text, text, text, false, QImage() };
    const CoverPlan plan = BuildCoverPlan(input);
    QCOMPARE(plan.pictures.size(), 1);
    QCOMPARE(plan.pictures[0].rect, QRectF(cm, cm, cm, cm));
}

void CoverPlanTest::borderWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::newRow("5") << QStringLiteral("5") << 5;
    QTest::newRow("2.5 to even") << QStringLiteral("2.5") << 2;
    QTest::newRow("3.5 to even") << QStringLiteral("3.5") << 4;
    QTest::newRow("0.3 is still a line") << QStringLiteral("0.3") << 1;
    QTest::newRow("0.5 is still a line") << QStringLiteral("0.5") << 1;
    QTest::newRow("10") << QStringLiteral("10") << 10;
    QTest::newRow("0") << QStringLiteral("0") << 1;
    QTest::newRow("negative") << QStringLiteral("-4") << 1;
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("decimal comma") << QStringLiteral("7,9") << 7;
    QTest::newRow("beyond any double") << QStringLiteral("1e999") << 1000;
}

void CoverPlanTest::borderWidth()
{
    QFETCH(QString, text);
    QFETCH(int, pixels);
    CoverPlanInput input = twoSlots();
    input.borderWidth = text;
    QCOMPARE(BuildCoverPlan(input).borderWidth, pixels);
    input.dvdMode = true;
    QCOMPARE(BuildCoverPlan(input).borderWidth, pixels);
}

void CoverPlanTest::dvdFormats_data()
{
    QTest::addColumn<DvdFormat>("format");
    QTest::addColumn<QRectF>("rect");
    QTest::newRow("18,3 x 27,2") << DvdFormat::FullCase << QRectF(1, 1, 18.3, 27.2);
    QTest::newRow("13,1 x 18,3") << DvdFormat::FrontOnly << QRectF(1, 1, 13.1, 18.3);
}

void CoverPlanTest::dvdFormats()
{
    QFETCH(DvdFormat, format);
    QFETCH(QRectF, rect);
    // Whatever the slots hold, the DVD page is fixed and always bordered.
    for (const PrintSelection selection :
         { PrintSelection::SlotA, PrintSelection::SlotB, PrintSelection::BothSlots }) {
        CoverPlanInput input = twoSlots();
        input.slotA.border = false;
        input.slotB.width = QStringLiteral("junk");
        input.selection = selection;
        input.dvdMode = true;
        input.dvdFormat = format;
        input.dvdPicture = solid(Qt::blue);
        const CoverPlan plan = BuildCoverPlan(input);
        QVERIFY(plan.dvdMode);
        QCOMPARE(plan.pictures.size(), 1);
        QCOMPARE(plan.pictures[0].rect, rect);
        QVERIFY(plan.pictures[0].border);
        QCOMPARE(plan.pictures[0].picture.screenCopy().pixel(0, 0), qRgb(0, 0, 255));
    }
}

void CoverPlanTest::absurdNumbersStayOnTheTable()
{
    CoverPlanInput input;
    input.slotA = { QStringLiteral("1e999"),
                    QStringLiteral("-1e999"),
                    QStringLiteral("1e308"),
                    QStringLiteral("-1e400"),
                    true,
                    QImage() };
    input.selection = PrintSelection::SlotA;
    const QRectF rect = BuildCoverPlan(input).pictures.at(0).rect;
    QCOMPARE(rect, QRectF(kPageReachCm, -kPageReachCm, kPageReachCm, -kPageReachCm));
    QVERIFY(std::isfinite(rect.right()) && std::isfinite(rect.bottom()));
}

void CoverPlanTest::cropStaysOnThePicture_data()
{
    // A 3000 x 2000 picture filling a 12 x 12 cm cover: at 100 % the
    // whole height shows, a 2000 px square; at 400 % a 500 px one.
    QTest::addColumn<PictureCrop>("crop");
    QTest::addColumn<QRectF>("shown"); // the part of the picture, in its pixels
    const QSizeF picture(3000, 2000), cover(12, 12);
    const PictureCrop centred;
    QTest::newRow("centred") << centred << QRectF(500, 0, 2000, 2000);
    QTest::newRow("pulled far right")
        << Dragged(picture, cover, centred, QPointF(100, 0)) << QRectF(0, 0, 2000, 2000);
    QTest::newRow("pulled far left")
        << Dragged(picture, cover, centred, QPointF(-100, 0)) << QRectF(1000, 0, 2000, 2000);
    QTest::newRow("pulled down, nothing above")
        << Dragged(picture, cover, centred, QPointF(0, 5)) << QRectF(500, 0, 2000, 2000);
    // 6 cm is 1000 px at 100 %.
    QTest::newRow("pulled 1.5 cm right")
        << Dragged(picture, cover, centred, QPointF(1.5, 0)) << QRectF(250, 0, 2000, 2000);
    QTest::newRow("zoomed far in about the top left corner")
        << Zoomed(picture, cover, centred, 100, QPointF(0, 0)) << QRectF(500, 0, 500, 500);
    QTest::newRow("zoomed out below 100 %")
        << Zoomed(picture, cover, centred, 0.01, QPointF(6, 6)) << QRectF(500, 0, 2000, 2000);
    QTest::newRow("200 % about the middle")
        << Zoomed(picture, cover, centred, 2, QPointF(6, 6)) << QRectF(1000, 500, 1000, 1000);
    QTest::newRow("400 %, pulled to the bottom right corner") << Dragged(
        picture, cover, Zoomed(picture, cover, centred, 4, QPointF(6, 6)), QPointF(-50, -50))
                                                              << QRectF(2500, 1500, 500, 500);
}

void CoverPlanTest::cropStaysOnThePicture()
{
    QFETCH(PictureCrop, crop);
    QFETCH(QRectF, shown);
    const FittedPicture fitted
        = FitPicture(QSizeF(3000, 2000), QRectF(2, 2, 12, 12), { FitMode::Fill, crop });
    QCOMPARE(fitted.target, QRectF(2, 2, 12, 12));
    QCOMPARE(fitted.source.toRect(), shown.toRect()); // to the pixel
}

void CoverPlanTest::printCarriesThePartAtMost300Ppi_data()
{
    // A 6000 x 4000 picture filling a square cover; the pixels sent.
    QTest::addColumn<double>("coverCm");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("sent");
    // 12.1 cm at 300 ppi: 1429.1 pixels, of a 4000 px part.
    QTest::newRow("12.1 cm at 100 %") << 12.1 << 1.0 << 1430;
    // At 400 % the part is 1000 px: fewer than 300 ppi wants, sent as it is.
    QTest::newRow("12.1 cm at 400 %") << 12.1 << 4.0 << 1000;
    // 3 cm at 300 ppi: 354.3 pixels of that 1000 px part.
    QTest::newRow("3 cm at 400 %") << 3.0 << 4.0 << 355;
}

void CoverPlanTest::printCarriesThePartAtMost300Ppi()
{
    QFETCH(double, coverCm);
    QFETCH(double, zoom);
    QFETCH(int, sent);
    CoverPlanInput input = twoSlots();
    input.selection = PrintSelection::SlotA;
    input.slotA.width = input.slotA.height = QString::number(coverCm);
    input.slotA.picture = solid(Qt::red, QSize(6000, 4000));
    input.fitA = { FitMode::Fill, { zoom, QPointF(0.3, 0.6) } };
    const CoverPlan plan = WithPrintResolution(BuildCoverPlan(input));
    const QSize size = plan.pictures.at(0).pixels.size();
    // A pixel more where the part's edges fall between pixels.
    QVERIFY2(qAbs(size.width() - sent) <= 1 && qAbs(size.height() - sent) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
}

QTEST_APPLESS_MAIN(CoverPlanTest)
#include "tst_coverplan.moc"
