#include "gridpicture.h"
#include "logic/page/coverplan.h"
#include "logic/page/fitcheck.h"
#include "logic/page/leanplan.h"
#include "logic/page/paintcoverplan.h"
#include "logic/page/printercorrection.h"
#include "pagescan.h"
#include "print/printjob.h"
#include "requiredtools.h"

#include "testpictures.h"
#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace vellumark;
using namespace vellumark::test;

Q_DECLARE_METATYPE(vellumark::PictureFit)
Q_DECLARE_METATYPE(vellumark::test::GridLanding)

class CoverRenderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void slotsLandAtTrueSize();
    void laterSlotLiesOnTop();
    void dvdFormats_data();
    void dvdFormats();
    void borderWidthInDevicePixels_data();
    void borderWidthInDevicePixels();
    void paintsOnAPicture();
    void absurdGeometryIsHarmless();
    void cutMarks_data();
    void cutMarks();
    void discLabels_data();
    void discLabels();
    void correctedPageKeepsItsLines();
    void gridLandsByTheFit_data();
    void gridLandsByTheFit();
    void bleed_data();
    void bleed();

private:
    // Prints the plan into a PDF of its own; the pixel map of its page at dpi.
    QString print(const CoverPlan &plan, PagePixels *pixels = nullptr, int dpi = 300);

    QTemporaryDir m_dir;
    int m_printed = 0;
};

namespace {

constexpr int kDpi = 300;

SlotInput slot(double left, double top, double width, double height, bool border,
               const QImage &picture)
{
    return { QString::number(width),
             QString::number(height),
             QString::number(left),
             QString::number(top),
             border,
             picture };
}

} // namespace

void CoverRenderTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftocairo")).isEmpty())
        VELLUMARK_REQUIRE_TOOLS({ QStringLiteral("pdftocairo") });
}

QString CoverRenderTest::print(const CoverPlan &plan, PagePixels *pixels, int dpi)
{
    PrintJob job;
    job.setPrintDialog([](QPrinter &, QWidget *) { return false; });
    const QString path = m_dir.filePath(QStringLiteral("page%1.pdf").arg(++m_printed));
    job.setOutputFile(path);
    if (job.print(plan, false, nullptr) != PrintOutcome::Printed)
        return {};
    if (pixels)
        *pixels = PagePixels(dpi); // a PDF file: the whole sheet is printable
    return path;
}

void CoverRenderTest::slotsLandAtTrueSize()
{
    // A at (2, 2) 12.1 x 12.1 with a thick border; B below it, without one.
    CoverPlanInput input;
    input.slotA = slot(2, 2, 12.1, 12.1, true, solid(Qt::red));
    input.slotB = slot(2, 16, 10, 5, false, solid(Qt::green));
    input.borderWidth = QStringLiteral("40");
    PagePixels pixels(kDpi);
    const QString pdf = print(BuildCoverPlan(input), &pixels);
    QVERIFY(!pdf.isEmpty());
    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());

    // The border is centred on the edge: its outer half shows, 20 of the
    // printer's 1200 dpi pixels.
    const QString fault = TwoSlotsPageFault(page, pixels);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    // Its inner half lies under the picture.
    const QRectF a = pixels.rect(QRectF(2, 2, 12.1, 12.1));
    QVERIFY(IsRed(page.pixel(int(a.left()) + 2, int(a.center().y()))));
    const QRectF b = pixels.rect(QRectF(2, 16, 10, 5));
    QVERIFY(BoundsOf(page, IsDark, b.adjusted(-10, -10, 10, 10).toRect()).isEmpty());
}

void CoverRenderTest::laterSlotLiesOnTop()
{
    CoverPlanInput input;
    input.slotA = slot(2, 2, 10, 10, false, solid(Qt::red));
    input.slotB = slot(7, 7, 10, 10, true, solid(Qt::green));
    input.borderWidth = QStringLiteral("40");
    PagePixels pixels(kDpi);
    const QString pdf = print(BuildCoverPlan(input), &pixels);
    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());
    // Where they overlap B shows, and B's border lies over A's picture.
    QVERIFY(IsGreen(page.pixel(int(pixels.x(8)), int(pixels.y(8)))));
    QVERIFY(IsDark(page.pixel(int(pixels.x(7)) - 3, int(pixels.y(9)))));
    QVERIFY(IsRed(page.pixel(int(pixels.x(6)), int(pixels.y(9)))));
    const QRect red = BoundsOf(page, IsRed);
    QVERIFY2(SameEdges(red, pixels.rect(QRectF(2, 2, 10, 10)).adjusted(0, 0, 0, 0)),
             qPrintable(Describe(red, pixels.rect(QRectF(2, 2, 10, 10)))));
}

void CoverRenderTest::dvdFormats_data()
{
    QTest::addColumn<DvdFormat>("format");
    QTest::addColumn<QRectF>("cm");
    QTest::newRow("18,3 x 27,2") << DvdFormat::FullCase << QRectF(1, 1, 18.3, 27.2);
    QTest::newRow("13,1 x 18,3") << DvdFormat::FrontOnly << QRectF(1, 1, 13.1, 18.3);
    QTest::newRow("18,3 x 26,6") << DvdFormat::SlimCase << QRectF(1, 1, 18.3, 26.6);
}

void CoverRenderTest::dvdFormats()
{
    QFETCH(DvdFormat, format);
    QFETCH(QRectF, cm);
    CoverPlanInput input;
    input.slotA = slot(2, 2, 5, 5, true, solid(Qt::red));
    input.dvdMode = true;
    input.dvdFormat = format;
    input.dvdPicture = solid(Qt::blue);
    input.borderWidth = QStringLiteral("40");
    PagePixels pixels(kDpi);
    const QString pdf = print(BuildCoverPlan(input), &pixels);
    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());
    const QRect blue = BoundsOf(page, IsBlue);
    QVERIFY2(SameEdges(blue, pixels.rect(cm)), qPrintable(Describe(blue, pixels.rect(cm))));
    const QRect dark = BoundsOf(page, IsDark);
    QVERIFY2(SameEdges(dark, pixels.rect(cm, 20)), qPrintable(Describe(dark, pixels.rect(cm, 20))));
    QVERIFY(BoundsOf(page, IsRed).isEmpty());
}

void CoverRenderTest::borderWidthInDevicePixels_data()
{
    QTest::addColumn<QString>("spessore");
    QTest::addColumn<int>("pixels");
    QTest::newRow("5") << QStringLiteral("5") << 5;
    QTest::newRow("2.5") << QStringLiteral("2.5") << 2;
    QTest::newRow("3.5") << QStringLiteral("3.5") << 4;
    QTest::newRow("0.3") << QStringLiteral("0.3") << 1;
    QTest::newRow("10") << QStringLiteral("10") << 10;
}

void CoverRenderTest::borderWidthInDevicePixels()
{
    // A slot without a picture prints its whole border; read at the
    // printer's own 1200 dpi, the line is as many pixels wide as "Spessore" says.
    QFETCH(QString, spessore);
    QFETCH(int, pixels);
    CoverPlanInput input;
    input.selection = PrintSelection::SlotA;
    input.slotA = slot(2, 2, 3, 3, true, QImage());
    input.borderWidth = spessore;
    constexpr int dpi = 1200;
    PagePixels page(dpi);
    const QString pdf = print(BuildCoverPlan(input), &page, dpi);
    QVERIFY(!pdf.isEmpty());
    const QPoint edge(int(page.x(2)), int(page.y(3.5)));
    const QImage strip = RasterisePdf(pdf, dpi, QRect(edge - QPoint(30, 2), QSize(60, 5)));
    QVERIFY(!strip.isNull());
    const double ink = InkAlongRow(strip, 2, 0, strip.width());
    QVERIFY2(std::abs(ink - pixels) <= 0.35, qPrintable(QString::number(ink)));
    // Nothing inside: the empty slot has no picture.
    QVERIFY(IsWhite(strip.pixel(strip.width() - 1, 2)));
}

void CoverRenderTest::paintsOnAPicture()
{
    // The same painting on any device: a picture at 100 dpi.
    QImage page(1000, 1200, QImage::Format_RGB32);
    page.setDotsPerMeterX(3937);
    page.setDotsPerMeterY(3937);
    page.fill(Qt::white);
    CoverPlanInput input;
    input.slotA = slot(2, 2, 12.1, 12.1, true, solid(Qt::red));
    input.slotB = slot(2, 16, 10, 5, true, solid(Qt::green));
    input.borderWidth = QStringLiteral("6");
    QPainter painter(&page);
    PaintCoverPlan(painter, BuildCoverPlan(input));
    painter.end();
    const double perCm = 100 / 2.54;
    const QRectF a(2 * perCm, 2 * perCm, 12.1 * perCm, 12.1 * perCm);
    QVERIFY2(SameEdges(BoundsOf(page, IsRed), a), qPrintable(Describe(BoundsOf(page, IsRed), a)));
    const QRectF aBorder = a.adjusted(-3, -3, 3, 3);
    const QRect dark = BoundsOf(page, IsDark, QRect(0, 0, 1000, int(15 * perCm)));
    QVERIFY2(SameEdges(dark, aBorder), qPrintable(Describe(dark, aBorder)));
    const QRectF b(2 * perCm, 16 * perCm, 10 * perCm, 5 * perCm);
    QVERIFY2(SameEdges(BoundsOf(page, IsGreen), b),
             qPrintable(Describe(BoundsOf(page, IsGreen), b)));
}

void CoverRenderTest::absurdGeometryIsHarmless()
{
    // Numbers no one means, typed or stored: the page still comes out.
    CoverPlanInput input;
    input.slotA = { QStringLiteral("1e999"),
                    QStringLiteral("1e999"),
                    QStringLiteral("-1e999"),
                    QStringLiteral("-1e999"),
                    true,
                    solid(Qt::red) };
    input.slotB = { QStringLiteral("1e-300"),
                    QStringLiteral("5"),
                    QStringLiteral("1e308"),
                    QStringLiteral("2"),
                    true,
                    solid(Qt::green) };
    input.borderWidth = QStringLiteral("1e999");
    const CoverPlan plan = BuildCoverPlan(input);
    const QString pdf = print(plan);
    QVERIFY(!pdf.isEmpty());
    QVERIFY(QFileInfo(pdf).size() > 0);

    QImage page(200, 200, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PaintCoverPlan(painter, plan);
    // A plan made by hand may hold anything; such pictures are left out.
    CoverPlan wild;
    const double inf = std::numeric_limits<double>::infinity();
    wild.pictures
        = { { QRectF(inf, 0, 5, 5), true, solid(Qt::red), {}, {}, {}, {} },
            { QRectF(0, 0, std::nan(""), 5), true, solid(Qt::red), {}, {}, {}, {} },
            { QRectF(1e308, 1e308, 1e308, 1e308), true, solid(Qt::red), {}, {}, {}, {} } };
    PaintCoverPlan(painter, wild);
    painter.end();
    QVERIFY(BoundsOf(page, IsRed).isEmpty());
}

void CoverRenderTest::cutMarks_data()
{
    QTest::addColumn<bool>("option");
    QTest::newRow("Tagli 1") << true;
    QTest::newRow("Tagli 0") << false;
}

void CoverRenderTest::cutMarks()
{
    // A above B with 3 mm between them: the marks that would run from one
    // into the other are left out.
    QFETCH(bool, option);
    CoverPlanInput input;
    input.slotA = slot(2, 2, 10, 10, false, solid(Qt::red));
    input.slotB = slot(2, 12.3, 10, 5, false, solid(Qt::green));
    input.cutMarks = option;
    constexpr int dpi = 600;
    PagePixels pixels(dpi); // a PDF file: the whole sheet is printable
    const QString pdf = print(BuildCoverPlan(input), &pixels, dpi);
    QVERIFY(!pdf.isEmpty());
    const QImage page = RasterisePdf(
        pdf, dpi, QRectF(QPointF(0, 0), QPointF(pixels.x(14), pixels.y(19))).toRect());
    QVERIFY(!page.isNull());

    // Ink across a mark, in pixels: 0.1 mm is 2.4 pixels at 600 dpi.
    const auto inkAcross = [&](double xCm, double yCm, bool horizontal) {
        const int x = int(pixels.x(xCm)), y = int(pixels.y(yCm));
        double ink = 0;
        for (int d = -8; d <= 8; ++d) {
            const QRgb c = horizontal ? page.pixel(x, y + d) : page.pixel(x + d, y);
            ink += (255 - qGray(c)) / 255.0;
        }
        return ink;
    };
    struct Mark
    {
        double x, y; // a point in the middle of where the mark belongs, cm
        bool horizontal;
        bool shown; // when the option is on
    };
    const Mark marks[] = {
        { 1.7, 2, true, true }, // A's top edge, left and right
        { 12.3, 2, true, true },
        { 2, 1.7, false, true }, // A's left and right edges, upwards
        { 12, 1.7, false, true },
        { 1.7, 12, true, true }, // A's bottom edge, beside B
        { 12.3, 12, true, true },
        { 2, 12.15, false, false }, // A's edges downwards would run into B
        { 12, 12.15, false, false },
        { 1.7, 12.3, true, true }, // B's top edge
        { 2, 17.5, false, true }, // B's edges downwards
        { 12, 17.5, false, true },
        { 1.7, 17.3, true, true }, // B's bottom edge
        { 12.3, 17.3, true, true },
    };
    for (const Mark &mark : marks) {
        const double ink = inkAcross(mark.x, mark.y, mark.horizontal);
        const double expected = option && mark.shown ? 0.01 * dpi / 2.54 : 0;
        QVERIFY2(qAbs(ink - expected) < 0.6,
                 qPrintable(QStringLiteral("at %1, %2 cm: %3").arg(mark.x).arg(mark.y).arg(ink)));
    }
    if (!option)
        return;
    // The mark starts 1 mm past the corner and is 4 mm long.
    const QRect topLeft = BoundsOf(
        page, IsDark,
        QRectF(QPointF(pixels.x(1), pixels.y(1.98)), QPointF(pixels.x(2), pixels.y(2.02)))
            .toRect());
    const QRectF expected(QPointF(pixels.x(1.5), pixels.y(2) - 0.05 * dpi / 25.4),
                          QPointF(pixels.x(1.9), pixels.y(2) + 0.05 * dpi / 25.4));
    QVERIFY2(SameEdges(topLeft, expected), qPrintable(Describe(topLeft, expected)));
}

void CoverRenderTest::discLabels_data()
{
    // Positions from an A4 sheet of two labels: bounding squares 4.6 cm from
    // the left and 2.18 and 15.88 cm from the top. The hole's setting is
    // printed from the window in tst_printcommand.
    QTest::addColumn<QRectF>("cm");
    QTest::addColumn<double>("holeCm"); // the 4.1 cm hole on paper
    QTest::addColumn<bool>("border");
    QTest::addColumn<bool>("cutMarks");
    QTest::addColumn<QString>("abbondanza"); // the bleed setting, in mm
    QTest::addColumn<double>("reachCm"); // how far the ring runs past the square
    const QRectF upper(4.6, 2.18, 11.7, 11.7);
    QTest::newRow("standard") << upper << 4.1 << false << false << "" << 0.0;
    QTest::newRow("border") << upper << 4.1 << true << false << "" << 0.0;
    QTest::newRow("ellipse") << QRectF(4.6, 2.18, 11.7, 8) << 4.1 << false << false << "" << 0.0;
    QTest::newRow("cut marks") << upper << 4.1 << false << true << "" << 0.0;
    // 3 mm out past the edge and into the hole: 12.3 cm across, hole 3.5 cm.
    QTest::newRow("bleed") << upper << 3.5 << false << false << "3" << 0.3;
}

void CoverRenderTest::discLabels()
{
    QFETCH(QRectF, cm);
    QFETCH(double, holeCm);
    QFETCH(bool, border);
    QFETCH(bool, cutMarks);
    QFETCH(QString, abbondanza);
    QFETCH(double, reachCm);
    CoverPlanInput input;
    input.slotA = slot(cm.x(), cm.y(), cm.width(), cm.height(), border, solid(Qt::red));
    input.slotA.discLabel = true;
    input.slotB = slot(4.6, 15.88, 11.7, 11.7, false, solid(Qt::green));
    input.slotB.discLabel = true;
    input.labelHole = QStringLiteral("4.1");
    input.borderWidth = QStringLiteral("40");
    input.cutMarks = cutMarks;
    input.bleed = abbondanza;
    PagePixels pixels(kDpi);
    const QString pdf = print(BuildCoverPlan(input), &pixels);
    QVERIFY(!pdf.isEmpty());
    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());

    // The border's outer half: 20 of the printer's 1200 dpi pixels.
    const double borderPx = border ? 20.0 * kDpi / 1200 : 0.0;
    const auto printed = [&](const QRectF &square) {
        return square.adjusted(-reachCm, -reachCm, reachCm, reachCm);
    };
    const QStringList faults = DiscFaults(page, pixels, printed(cm), holeCm, IsMostlyRed, borderPx)
        + DiscFaults(page, pixels, printed(QRectF(4.6, 15.88, 11.7, 11.7)), holeCm, IsMostlyGreen);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

    // Cut marks stand at the bounding square's corners, 1 to 5 mm off.
    const QRectF leftOfTop(QPointF(cm.left() - 0.6, cm.top() - 0.05), QSizeF(0.6, 0.1));
    QCOMPARE(!BoundsOf(page, IsDark, pixels.rect(leftOfTop).toRect()).isEmpty(), cutMarks);
}

void CoverRenderTest::correctedPageKeepsItsLines()
{
    // Scaled 1.05 x 0.95 about the corner, then moved 3 mm right and 2 mm
    // up: a 5 x 5 cm cover at (2, 2) lands at 24 to 76.5 mm across and 17
    // to 64.5 mm down; its border stays 5 pixels wide.
    QImage page(400, 400, QImage::Format_RGB32);
    page.setDotsPerMeterX(3937); // 100 dpi
    page.setDotsPerMeterY(3937);
    page.fill(Qt::white);
    CoverPlanInput input;
    input.selection = PrintSelection::SlotA;
    input.slotA = slot(2, 2, 5, 5, true, QImage());
    input.borderWidth = QStringLiteral("5");
    QPainter painter(&page);
    painter.setWorldTransform(CorrectionTransform({ 1.05, 0.95, 3, -2 }, 100, 100));
    PaintCoverPlan(painter, BuildCoverPlan(input));
    painter.end();

    const double perMm = 100 / 25.4;
    const QRectF expected
        = QRectF(QPointF(24 * perMm, 17 * perMm), QPointF(76.5 * perMm, 64.5 * perMm))
              .adjusted(-2.5, -2.5, 2.5, 2.5);
    const QRect dark = BoundsOf(page, IsDark);
    QVERIFY2(SameEdges(dark, expected), qPrintable(Describe(dark, expected)));
    const int middle = int(40 * perMm);
    QCOMPARE(InkAlongRow(page, middle, 0, int(50 * perMm)), 5.0);
}

void CoverRenderTest::gridLandsByTheFit_data()
{
    QTest::addColumn<PictureFit>("fit");
    QTest::addColumn<QRectF>("cover");
    QTest::addColumn<GridLanding>("landing");
    // A square cover stretched, filled and fitted is printed from the window
    // in tst_cupsprint.
    const QRectF square(2, 2, 12, 12);
    const QRectF wide(2, 2, 15, 5);
    QTest::newRow("fill, wide cover")
        << PictureFit { FitMode::Fill, {} } << wide << FilledGrid(wide);
    QTest::newRow("fill, 200 % on the left half")
        << PictureFit { FitMode::Fill, { 2.0, QPointF(0.25, 0.5) } } << square
        << FilledGrid(square, 2.0, 0.25, 0.5);
    QTest::newRow("fit, wide cover") << PictureFit { FitMode::Fit, {} } << wide << FittedGrid(wide);
}

void CoverRenderTest::gridLandsByTheFit()
{
    QFETCH(PictureFit, fit);
    QFETCH(QRectF, cover);
    QFETCH(GridLanding, landing);
    CoverPlanInput input;
    input.selection = PrintSelection::SlotA;
    input.slotA
        = slot(cover.left(), cover.top(), cover.width(), cover.height(), false, GridPicture());
    input.fitA = fit;
    PagePixels pixels(kDpi);
    // As the print command sends it: at most 300 pixels per inch.
    const QString pdf = print(WithPrintResolution(BuildCoverPlan(input)), &pixels);
    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());
    const QString fault = GridFault(page, pixels, landing);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void CoverRenderTest::bleed_data()
{
    QTest::addColumn<QString>("abbondanza");
    QTest::addColumn<double>("b"); // the bleed in cm
    QTest::newRow("none") << "0" << 0.0;
    QTest::newRow("3 mm") << "3" << 0.3;
    QTest::newRow("5 mm") << "5" << 0.5;
}

void CoverRenderTest::bleed()
{
    // A with a thick border above B, edge to edge; cut marks on.
    QFETCH(QString, abbondanza);
    QFETCH(double, b);
    CoverPlanInput input;
    input.slotA = slot(2, 2, 10, 10, true, solid(Qt::red));
    input.slotB = slot(2, 12, 10, 5, false, solid(Qt::green));
    input.fitA = { FitMode::Fill, {} };
    input.borderWidth = QStringLiteral("40");
    input.cutMarks = true;
    input.bleed = abbondanza;
    constexpr int dpi = 600;
    PagePixels pixels(dpi);
    const QString pdf = print(BuildCoverPlan(input), &pixels, dpi);
    const QImage page = RasterisePdf(pdf, dpi, pixels.rect(QRectF(0, 0, 14, 19)).toRect());
    QVERIFY(!page.isNull());

    // Each picture runs past its cover by the bleed, beside the other cover
    // too, but never into it; B, painted last, keeps the corners they share.
    const QRectF red = pixels.rect(QRectF(QPointF(2 - b, 2 - b), QPointF(12 + b, 12)));
    QVERIFY2(SameEdges(BoundsOf(page, IsRed), red),
             qPrintable(Describe(BoundsOf(page, IsRed), red)));
    const QRectF green = pixels.rect(QRectF(QPointF(2 - b, 12 - b), QPointF(12 + b, 17 + b)));
    QVERIFY2(SameEdges(BoundsOf(page, IsGreen), green),
             qPrintable(Describe(BoundsOf(page, IsGreen), green)));
    QVERIFY(BoundsOf(page, IsGreen, pixels.rect(QRectF(2, 2, 10, 10), -8).toRect()).isEmpty());
    QVERIFY(BoundsOf(page, IsRed, pixels.rect(QRectF(2, 12, 10, 5), -8).toRect()).isEmpty());

    // The border's outer half at A's true left edge: 20 of 1200 dpi.
    const double halfBorder = 20.0 * dpi / 1200;
    const QRect strip = pixels.rect(QRectF(1, 6.9, 2, 0.2)).toRect();
    const QRectF border(QPointF(pixels.x(2) - halfBorder, strip.top()),
                        QPointF(pixels.x(2), strip.bottom() + 1));
    QVERIFY2(SameEdges(BoundsOf(page, IsDark, strip), border),
             qPrintable(Describe(BoundsOf(page, IsDark, strip), border)));

    // The cut mark left of A's top edge starts 1 mm outside the bleed and
    // is 4 mm long.
    const QRect markArea = QRectF(QPointF(pixels.x(0.5), pixels.y(1.95)),
                                  QPointF(pixels.x(2 - b) - halfBorder - 2, pixels.y(2.05)))
                               .toRect();
    const QRect mark = BoundsOf(
        page, [](QRgb c) { return qGray(c) < 200; }, markArea);
    const QRectF expected(QPointF(pixels.x(2 - b - 0.5), pixels.y(2) - 0.05 * dpi / 25.4),
                          QPointF(pixels.x(2 - b - 0.1), pixels.y(2) + 0.05 * dpi / 25.4));
    QVERIFY2(SameEdges(mark, expected, 1.5), qPrintable(Describe(mark, expected)));

    // The fit check asks about the covers, not their bleed: a cover at the
    // page's corner fits.
    CoverPlanInput corner;
    corner.selection = PrintSelection::SlotA;
    corner.slotA = slot(0, 0, 10, 10, false, solid(Qt::red));
    corner.bleed = abbondanza;
    QVERIFY(CutOffs(BuildCoverPlan(corner), QSizeF(21, 29.7)).isEmpty());
}

QTEST_MAIN(CoverRenderTest)
#include "tst_coverrender.moc"
