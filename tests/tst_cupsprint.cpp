// The print command through a real CUPS server and its PDF printer: the
// page leaves the program as a real print job and comes back as a file.
#include "cupspdfprinter.h"
#include "gridpicture.h"
#include "logic/settings/printercorrectionstore.h"
#include "logic/texts/calibrationtexts.h"
#include "pagescan.h"
#include "print/printjob.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include "testpictures.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

using namespace vellumark;
using namespace vellumark::test;

Q_DECLARE_METATYPE(vellumark::test::GridLanding)

class CupsPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printsStraightToTheDefaultPrinter();
    void landsAtThePrintableAreaOfTheChosenPrinter_data();
    void landsAtThePrintableAreaOfTheChosenPrinter();
    void samePageEverywhere_data();
    void samePageEverywhere();
    void calibrationMovesThePage_data();
    void calibrationMovesThePage();
    void paperChosenOnceHolds();
    void landscapeAreaEverywhere_data();
    void landscapeAreaEverywhere();
    void gridLandsByTheFit_data();
    void gridLandsByTheFit();

private:
    // The PDF that cups-pdf wrote for the job of that title, once the job
    // has ended; empty when none came.
    QString printedPage(const QString &title);
    // The page the print command sent, rasterised; null when none came.
    QImage printedPageOf(PrintJob *job, MainWindow *window);
    // Triggers the print tool and returns the file cups-pdf made of the job.
    QString printAndFetch(MainWindow *window, PrintJob *job);

    CupsPdfPrinter m_cups;
    QString m_outputFolder;
    QTemporaryDir m_dir;
    QString m_marginsQueue;
    int m_printed = 0;
};

namespace {

constexpr int kDpi = 300;

// The second queue's printable area on A4 (595 x 842 pt), as its PPD says
// it in PostScript points from the sheet's lower left corner: 18 pt from
// the left edge, 30 from the bottom, 24 from the right, 40 from the top.
const QByteArray kMarginsArea = "*ImageableArea A4/A4: \"18 30 571 802\"";

// A copy of the PDF queue's PPD whose A4 paper has the area above.
bool writeMarginsPpd(const QString &from, const QString &to)
{
    QFile source(from);
    QFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = source.readAll();
    const QByteArray whole = "*ImageableArea A4/A4: \"0 0 595 842\"";
    if (!text.contains(whole))
        return false;
    text.replace(whole, kMarginsArea);
    return target.write(text) == text.size();
}

// The two slots, both printed.
void layOutBothSlots(MainWindow *window)
{
    layOutTwoSlots(window);
    child<QRadioButton>(window, QStringLiteral("Option5"))->setChecked(true);
}

using FieldTexts = QList<std::pair<const char *, const char *>>;

// Sets the fields' texts, as a slot's typology or a paste would.
void fillFields(MainWindow *window, const FieldTexts &fields)
{
    for (const auto &[name, text] : fields)
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(QString::fromLatin1(text));
}

// Both slots on the disc label, at the figures of an A4 sheet of two
// labels: bounding squares 4.6 cm from the left and 2.18 and 15.88 cm from
// the top. A red and bordered, B green.
void layOutDiscLabels(MainWindow *window)
{
    child<QComboBox>(window, QStringLiteral("List1"))->setCurrentIndex(3);
    child<QComboBox>(window, QStringLiteral("List2"))->setCurrentIndex(3);
    fillFields(
        window,
        { { "Text5", "4.6" }, { "Text6", "2.18" }, { "Text7", "4.6" }, { "Text8", "15.88" } });
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(true);
    child<QRadioButton>(window, QStringLiteral("Option5"))->setChecked(true);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
    child<PictureBox>(window, QStringLiteral("Image2"))->setPicture(solid(Qt::green));
}

// Slot A alone, red, at (2, 2) and of the given size in cm, unbordered.
void layOutSlotA(MainWindow *window, const QString &width, const QString &height)
{
    const QList<std::pair<const char *, QString>> fields { { "Text1", width },
                                                           { "Text2", height },
                                                           { "Text5", QStringLiteral("2") },
                                                           { "Text6", QStringLiteral("2") } };
    for (const auto &[name, text] : fields)
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(text);
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(false);
    child<QRadioButton>(window, QStringLiteral("Option3"))->setChecked(true);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
}

// The page as the print preview shows it ("preview") or as the PDF export
// writes it into the folder under the name offered ("export"), at dpi.
QImage previewedOrExported(MainWindow *window, PrintJob *job, const QString &way,
                           const QString &folder, int dpi)
{
    QImage page;
    if (way == u"preview") {
        onNextModal([&](QWidget *modal) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
            if (!preview)
                return false;
            page = PreviewedPage(preview, job->printer(), dpi);
            preview->reject();
            return true;
        });
        child<QAction>(window, QStringLiteral("ID_AnteprimaStampa"))->trigger();
        return page;
    }
    onNextModal([](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (dialog)
            static_cast<QDialog *>(dialog)->accept(); // the name offered
        return dialog != nullptr;
    });
    child<QAction>(window, QStringLiteral("ID_EsportaPDF"))->trigger();
    return RasterisePdf(QDir(folder).filePath(QStringLiteral("cover.pdf")), dpi);
}

} // namespace

void CupsPrintTest::initTestCase()
{
    QStringList missing = CupsPdfPrinter::missingTools();
    if (CupsTool(QStringLiteral("pdftocairo")).isEmpty())
        missing.append(QStringLiteral("pdftocairo"));
    VELLUMARK_REQUIRE_TOOLS(missing);
    const QString failure = m_cups.setUp();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // Qt sees CUPS printers only through its CUPS print support plugin.
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(CupsPdfPrinter::queue()),
             "Qt does not see the CUPS printers (printsupport/libcupsprintersupport.so)");
    QCOMPARE(QPrinterInfo::defaultPrinterName(), CupsPdfPrinter::queue());
    m_outputFolder = CupsPdfOutputFolder();

    // A second printer, like the first but unable to print near the
    // paper's top and left edges. Named after this run, so that other runs
    // on the same server keep theirs.
    const QString ppd = CupsPdfPpd();
    QVERIFY2(!ppd.isEmpty(), "the PPD of cups-pdf (printer-driver-cups-pdf)");
    QVERIFY(m_dir.isValid());
    const QString marginsPpd = m_dir.filePath(QStringLiteral("margins.ppd"));
    QVERIFY2(writeMarginsPpd(ppd, marginsPpd), qPrintable(ppd));
    m_marginsQueue = QStringLiteral("VellumarkMargins%1").arg(QCoreApplication::applicationPid());
    const QString added = CupsPdfPrinter::addQueue(m_marginsQueue, marginsPpd);
    QVERIFY2(added.isEmpty(), qPrintable(added));
    QVERIFY(WaitFor([&] { return QPrinterInfo::availablePrinterNames().contains(m_marginsQueue); },
                    10000));
}

void CupsPrintTest::cleanupTestCase()
{
    // Also when another run ended the server meanwhile.
    if (!m_marginsQueue.isEmpty() && m_cups.setUp().isEmpty())
        CupsPdfPrinter::removeQueue(m_marginsQueue);
    m_cups.stop();
}

QString CupsPrintTest::printedPage(const QString &title)
{
    // The file stands empty until the job ends.
    if (!WaitFor(CupsPdfPrinter::allJobsDone, 60000))
        return {};
    QString pdf;
    WaitFor(
        [&] {
            const QDir folder(m_outputFolder);
            for (const QFileInfo &file : folder.entryInfoList({ title + u'*' }))
                if (file.size() > 0)
                    pdf = file.filePath();
            return !pdf.isEmpty();
        },
        30000);
    return pdf;
}

void CupsPrintTest::printsStraightToTheDefaultPrinter()
{
    TemporarySettings settings;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Spessore"), QStringLiteral("40") } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    job->setPrintDialog([](QPrinter &, QWidget *) {
        qWarning("no dialog was expected");
        return false;
    });
    layOutBothSlots(window);

    // cups-pdf names the file after the job's title (and adds to it).
    const QString title
        = QStringLiteral("vellumark-test-%1").arg(QCoreApplication::applicationPid());
    job->printer().setDocName(title);
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
    QCOMPARE(job->printer().printerName(), CupsPdfPrinter::queue());
    QCOMPARE(job->printer().outputFormat(), QPrinter::NativeFormat);

    const QString pdf = printedPage(title);
    QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no page in ") + m_outputFolder));

    const QImage page = RasterisePdf(pdf, kDpi);
    QFile::remove(pdf);
    QVERIFY(!page.isNull());
    // The PDF printer's PPD says where its printable area begins.
    const std::optional<QPointF> corner = PrintableCornerInPpd(CupsPdfPpd(), QStringLiteral("A4"));
    QVERIFY(corner);
    const QString fault
        = TwoSlotsPageFault(page, PagePixels(kDpi, *corner), job->printer().resolution());
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void CupsPrintTest::landsAtThePrintableAreaOfTheChosenPrinter_data()
{
    constexpr double cmPerPoint = 2.54 / 72;
    const std::optional<QPointF> wholePage
        = PrintableCornerInPpd(CupsPdfPpd(), QStringLiteral("A4"));
    const QPointF corner = wholePage.value_or(QPointF(-1, -1));
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<double>("dialogMargins"); // mm left on the page by the dialog; 0: none
    // Where cover A (5 x 4 cm at 2, 2 on the page) lands, in cm from the
    // sheet's top left corner as the PDF of cups-pdf shows the sheet.
    QTest::addColumn<QRectF>("onSheet");
    const QRectF portrait(2, 2, 5, 4);
    QTest::newRow("whole page, margins left by the dialog")
        << CupsPdfPrinter::queue() << false << 20.0 << portrait.translated(corner);
    // "18 30 571 802": the printable area begins 18 pt from the left and
    // 842 - 802 = 40 pt from the top of the upright sheet.
    const QRectF unequal = portrait.translated(18 * cmPerPoint, 40 * cmPerPoint);
    QTest::newRow("unequal margins") << m_marginsQueue << false << 0.0 << unequal;
    QTest::newRow("unequal margins, margins left by the dialog")
        << m_marginsQueue << false << 20.0 << unequal;
    // Landscape: cups-pdf turns the page a quarter counter-clockwise onto
    // the upright sheet, so the page's left edge lies along the sheet's
    // bottom and its top along the sheet's left. The page's printable
    // corner is 30 pt from the sheet's bottom and 18 pt from its left: the
    // cover's left (2 cm) and right (7 cm) edges on the page lie 30 pt +
    // 2 cm and 30 pt + 7 cm above the sheet's bottom (842 pt), its top
    // (2 cm) and bottom (6 cm) 18 pt + 2 and 6 cm from the sheet's left.
    const double sheetHeight = 842 * cmPerPoint;
    const QRectF turned(QPointF(18 * cmPerPoint + 2, sheetHeight - 30 * cmPerPoint - 7),
                        QPointF(18 * cmPerPoint + 6, sheetHeight - 30 * cmPerPoint - 2));
    QTest::newRow("unequal margins, landscape") << m_marginsQueue << true << 0.0 << turned;
    QTest::newRow("unequal margins, landscape, margins left by the dialog")
        << m_marginsQueue << true << 20.0 << turned;
}

void CupsPrintTest::landsAtThePrintableAreaOfTheChosenPrinter()
{
    QFETCH(QString, queue);
    QFETCH(bool, landscape);
    QFETCH(double, dialogMargins);
    QFETCH(QRectF, onSheet);
    QVERIFY(onSheet.left() >= 0);
    // The server may be another run's, which ends it with that run: make
    // sure one answers and sees the queue before the job starts.
    const QString failure = m_cups.setUp();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(WaitFor([&] { return QPrinterInfo::availablePrinterNames().contains(queue); }, 10000));
    TemporarySettings settings;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("1") } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    // The user picks the printer and the orientation in the print dialog,
    // which may leave page margins of its own on the layout.
    job->setPrintDialog([&](QPrinter &printer, QWidget *) {
        printer.setPrinterName(queue);
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (dialogMargins > 0)
            printer.setPageMargins(
                QMarginsF(dialogMargins, dialogMargins, dialogMargins, dialogMargins),
                QPageLayout::Millimeter);
        return true;
    });
    layOutSlotA(window, QStringLiteral("5"), QStringLiteral("4"));

    const QString title = QStringLiteral("vellumark-test-%1-%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(++m_printed);
    job->printer().setDocName(title);
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
    QCOMPARE(job->printer().printerName(), queue);

    const QString pdf = printedPage(title);
    QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no page in ") + m_outputFolder));
    const QImage page = RasterisePdf(pdf, kDpi);
    QFile::remove(pdf);
    QVERIFY(!page.isNull());
    // The sheet is A4 upright: 21 x 29.7 cm.
    QVERIFY2(std::abs(page.width() - 21 * kDpi / 2.54) <= 2
                 && std::abs(page.height() - 29.7 * kDpi / 2.54) <= 2,
             qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    const QRectF expected = PagePixels(kDpi).rect(onSheet);
    const QRect red = BoundsOf(page, IsRed);
    qInfo("cover A from the sheet's edges: %.2f, %.2f cm to %.2f, %.2f cm",
          red.left() * 2.54 / kDpi, red.top() * 2.54 / kDpi, (red.right() + 1) * 2.54 / kDpi,
          (red.bottom() + 1) * 2.54 / kDpi);
    QVERIFY2(SameEdges(red, expected), qPrintable(Describe(red, expected)));
}

QImage CupsPrintTest::printedPageOf(PrintJob *job, MainWindow *window)
{
    // cups-pdf names the file after the job's title (and adds to it).
    const QString title
        = QStringLiteral("vellumark-test-%1-same").arg(QCoreApplication::applicationPid());
    job->printer().setDocName(title);
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
    QString pdf;
    WaitFor(
        [&] {
            const QDir folder(m_outputFolder);
            for (const QFileInfo &file : folder.entryInfoList({ title + u'*' }))
                if (file.size() > 0 && CupsPdfPrinter::allJobsDone())
                    pdf = file.filePath();
            return !pdf.isEmpty();
        },
        90000);
    const QImage page = pdf.isEmpty() ? QImage() : RasterisePdf(pdf, kDpi);
    QFile::remove(pdf);
    return page;
}

void CupsPrintTest::samePageEverywhere_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("labels"); // two disc labels instead of two covers
    QTest::newRow("print preview") << "preview" << false;
    QTest::newRow("PDF export") << "export" << false;
    QTest::newRow("CUPS PDF printer") << "print" << false;
    QTest::newRow("disc labels, print preview") << "preview" << true;
    QTest::newRow("disc labels, PDF export") << "export" << true;
    QTest::newRow("disc labels, CUPS PDF printer") << "print" << true;
}

void CupsPrintTest::samePageEverywhere()
{
    QFETCH(QString, way);
    QFETCH(bool, labels);
    TemporarySettings settings;
    const QTemporaryDir folder;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Spessore"), QStringLiteral("40") },
                    { QStringLiteral("Percorso"), folder.path() } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    if (labels)
        layOutDiscLabels(window);
    else
        layOutBothSlots(window);
    QCOMPARE(job->printer().printerName(), CupsPdfPrinter::queue());

    const QImage page = way == u"print"
        ? printedPageOf(job, window)
        : previewedOrExported(window, job, way, folder.path(), kDpi);
    QVERIFY(!page.isNull());
    page.save(QDir::temp().filePath(QStringLiteral("vellumark-same-%1%2.png")
                                        .arg(way, labels ? QStringLiteral("-labels") : QString())));

    // From the paper's edge: the cups-pdf PPD's printable area is the whole
    // sheet ("*ImageableArea A4/A4: "0 0 595 842"").
    // A4 at 300 dpi, to a pixel.
    QVERIFY2(std::abs(page.width() - 2480) <= 1 && std::abs(page.height() - 3508) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    const std::optional<QPointF> corner = PrintableCornerInPpd(CupsPdfPpd(), QStringLiteral("A4"));
    QVERIFY2(corner, "the A4 paper of the cups-pdf PPD");
    const PagePixels pixels(kDpi, *corner);
    if (labels) {
        // 11.7 cm across with a 4.1 cm hole, the standards; A's border is
        // 40 of the printer's 1200 dpi pixels, half of it outside the ring.
        const QStringList faultsA = DiscFaults(page, pixels, QRectF(4.6, 2.18, 11.7, 11.7), 4.1,
                                               IsMostlyRed, 20.0 * kDpi / 1200);
        QVERIFY2(faultsA.isEmpty(), qPrintable(faultsA.join(u'\n')));
        const QStringList faultsB
            = DiscFaults(page, pixels, QRectF(4.6, 15.88, 11.7, 11.7), 4.1, IsMostlyGreen);
        QVERIFY2(faultsB.isEmpty(), qPrintable(faultsB.join(u'\n')));
        return;
    }
    const QString fault = TwoSlotsPageFault(page, pixels, 1200, QRectF(1, 1, 19, 14));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QString CupsPrintTest::printAndFetch(MainWindow *window, PrintJob *job)
{
    const QString title = QStringLiteral("vellumark-calibration-%1-%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch());
    job->printer().setDocName(title);
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
    if (!WaitFor(CupsPdfPrinter::allJobsDone, 60000))
        return {};
    QString pdf;
    WaitFor(
        [&] {
            for (const QFileInfo &file : QDir(m_outputFolder).entryInfoList({ title + u'*' }))
                if (file.size() > 0)
                    pdf = file.filePath();
            return !pdf.isEmpty();
        },
        30000);
    return pdf;
}

void CupsPrintTest::calibrationMovesThePage_data()
{
    QTest::addColumn<QString>("how"); // "dialog", "other printer", "reset"
    QTest::addColumn<bool>("corrected");
    QTest::newRow("measures entered for this printer") << QStringLiteral("dialog") << true;
    QTest::newRow("a correction of another printer") << QStringLiteral("other printer") << false;
    QTest::newRow("reset after entering them") << QStringLiteral("reset") << false;
}

void CupsPrintTest::calibrationMovesThePage()
{
    QFETCH(QString, how);
    QFETCH(bool, corrected);
    TemporarySettings settings;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Lingua"), QStringLiteral("Inglese") } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    job->setPrintDialog([](QPrinter &, QWidget *) { return false; });
    // The page's origin is the printable area's corner; this queue's
    // description makes that the sheet's corner, so its margins are set
    // to that minimum here, whatever the printer's default margins are.
    job->printer().setPageMargins(job->printer().pageLayout().minimumMargins(),
                                  job->printer().pageLayout().units());

    // Measures as if the printer printed the rulers 147 and 202 mm long and
    // the crosshair 1.5 mm left of and 0.8 mm above where it belongs.
    const QStringList measures { "147", "202", "8.5", "9.2" };
    const auto enterMeasures = [&](const char *button) {
        answerNextMessageBox(QMessageBox::No);
        onNextModal([&, button](QWidget *modal) {
            if (modal->objectName() != u"CalibrationDialog")
                return false;
            const char *fields[] = { "RulerX", "RulerY", "CrossX", "CrossY" };
            for (int i = 0; i < 4; ++i)
                child<QLineEdit>(modal, QString::fromLatin1(fields[i]))->setText(measures.at(i));
            QTest::mouseClick(child<QPushButton>(modal, QString::fromLatin1(button)),
                              Qt::LeftButton);
            if (modal->isVisible())
                QTest::mouseClick(child<QPushButton>(modal, QStringLiteral("CancelButton")),
                                  Qt::LeftButton);
            return true;
        });
        child<QAction>(window, QStringLiteral("ID_Calibra"))->trigger();
    };
    if (how == u"other printer") {
        PrinterCorrections(settings.settings())
            .store(CupsPdfPrinter::queue() + u'2', { 150.0 / 147, 200.0 / 202, 1, 1 });
    } else {
        enterMeasures("OkButton");
        QVERIFY(PrinterCorrections(settings.settings()).of(CupsPdfPrinter::queue()));
        if (how == u"reset")
            enterMeasures("ResetButton");
    }

    layOutSlotA(window, QStringLiteral("12.1"), QStringLiteral("12.1"));
    const QString pdf = printAndFetch(window, job);
    QVERIFY2(!pdf.isEmpty(), qPrintable(QStringLiteral("no page in ") + m_outputFolder));
    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());
    QFile::remove(pdf);

    // The PPD's A4 ImageableArea is the whole sheet (0 0 595 842 pt): the
    // rulers should be 150 and 200 mm and the crosshair 10 mm from each
    // edge. The measures describe a printer that puts a point painted p mm
    // from the corner at start + k p, with k = measured / expected length and
    // start = crosshair - 10 k; the corrected page must land the cover where
    // that printer turns it into 20 mm and 20 + 121 mm. This faultless
    // printer shows where the page was painted.
    double left = 20, top = 20, right = 141, bottom = 141;
    if (corrected) {
        const double kx = 147.0 / 150, ky = 202.0 / 200;
        const double startX = 8.5 - 10 * kx, startY = 9.2 - 10 * ky;
        left = (20 - startX) / kx;
        right = (141 - startX) / kx;
        top = (20 - startY) / ky;
        bottom = (141 - startY) / ky;
    }
    const double perMm = kDpi / 25.4;
    const QRectF expected(QPointF(left * perMm, top * perMm),
                          QPointF(right * perMm, bottom * perMm));
    const QRect red = BoundsOf(page, IsRed);
    qInfo("%s: cover at %.2f, %.2f mm, %.2f x %.2f mm from the sheet's edges", qPrintable(how),
          red.left() / perMm, red.top() / perMm, (red.width()) / perMm, red.height() / perMm);
    QVERIFY2(SameEdges(red, expected), qPrintable(Describe(red, expected)));

    // The page-sent message says so when, and only when, it was corrected.
    const QString message = window->statusBar()->currentMessage();
    const QString correctedFor
        = CalibrationTextsOf(Language::English).correctedFor.arg(CupsPdfPrinter::queue());
    QVERIFY2(message.startsWith(QStringLiteral("Page sent to ")), qPrintable(message));
    QCOMPARE(message.endsWith(correctedFor), corrected);
}

void CupsPrintTest::paperChosenOnceHolds()
{
    const QString failure = m_cups.setUp();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(WaitFor([&] { return QPrinterInfo::availablePrinterNames().contains(m_marginsQueue); },
                    10000));
    TemporarySettings settings;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("1") },
                    { QStringLiteral("Lingua"), QStringLiteral("Inglese") } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    layOutSlotA(window, QStringLiteral("5"), QStringLiteral("4"));

    // A5 on the queue that is not the default one, chosen once: in the print
    // dialog's properties, from the menu's Printer Setup.
    bool chosen = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        if (!dialog)
            return false;
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        if (printers)
            printers->setCurrentIndex(printers->findText(m_marginsQueue));
        onNextModal([&](QWidget *properties) {
            auto *sizes = properties->findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
            if (!sizes)
                return false;
            const int a5 = sizes->findText(QStringLiteral("A5"), Qt::MatchStartsWith);
            chosen = a5 >= 0;
            sizes->setCurrentIndex(a5);
            static_cast<QDialog *>(properties)->accept();
            return true;
        });
        QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("properties")), Qt::LeftButton);
        dialog->accept();
        return true;
    });
    child<QAction>(window, QStringLiteral("ID_Stampa"))->trigger();
    QVERIFY(chosen);

    // Each page through the print dialog, confirmed as it shows.
    const auto confirmPrintDialog = [] {
        onNextModal([](QWidget *modal) {
            auto *dialog = qobject_cast<QPrintDialog *>(modal);
            if (dialog)
                dialog->accept();
            return dialog != nullptr;
        });
    };
    for (const char *way : { "print", "print again", "preview's button" }) {
        const QString title = QStringLiteral("vellumark-paper-%1-%2")
                                  .arg(QCoreApplication::applicationPid())
                                  .arg(++m_printed);
        job->printer().setDocName(title);
        confirmPrintDialog();
        if (QByteArray(way) == "preview's button") {
            onNextModal([&](QWidget *modal) {
                auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
                if (!preview)
                    return false;
                preview->findChild<QAction *>(QStringLiteral("PreviewPrint"))->trigger();
                if (preview->isVisible())
                    preview->reject();
                return true;
            });
            child<QAction>(window, QStringLiteral("ID_AnteprimaStampa"))->trigger();
        } else {
            child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
        }
        QCOMPARE(job->printer().printerName(), m_marginsQueue);
        const QString pdf = printedPage(title);
        QVERIFY2(!pdf.isEmpty(), way);
        // A5 is 148 x 210 mm: 420 x 595 pt, a pixel each at 72 dpi (the
        // PPD rounds it to "421 595").
        const QImage page = RasterisePdf(pdf, 72);
        QFile::remove(pdf);
        qInfo("%s: %d x %d pt", way, page.width(), page.height());
        QVERIFY2(std::abs(page.width() - 420) <= 1 && std::abs(page.height() - 595) <= 1, way);
    }
    // And the exported PDF shows the same paper.
    const QTemporaryDir folder;
    const QString exported = folder.filePath(QStringLiteral("cover.pdf"));
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (dialog) {
            dialog->setDirectory(folder.path());
            dialog->selectFile(exported);
            static_cast<QDialog *>(dialog)->accept();
        }
        return dialog != nullptr;
    });
    child<QAction>(window, QStringLiteral("ID_EsportaPDF"))->trigger();
    const QImage page = RasterisePdf(exported, 72);
    QVERIFY2(std::abs(page.width() - 420) <= 1 && std::abs(page.height() - 595) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
}

void CupsPrintTest::landscapeAreaEverywhere_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("print preview") << "preview";
    QTest::newRow("PDF export") << "export";
    QTest::newRow("fit check") << "fit check";
}

void CupsPrintTest::landscapeAreaEverywhere()
{
    QFETCH(QString, way);
    const QString failure = m_cups.setUp();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(WaitFor([&] { return QPrinterInfo::availablePrinterNames().contains(m_marginsQueue); },
                    10000));
    TemporarySettings settings;
    const QTemporaryDir folder;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Lingua"), QStringLiteral("Inglese") },
                    { QStringLiteral("Percorso"), folder.path() } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    job->printer().setPrinterName(m_marginsQueue);
    job->printer().setPageOrientation(QPageLayout::Landscape);
    // The page is 842 x 595 pt; turned with the sheet ("18 30 571 802"),
    // its printable area begins 30 pt from its left (the sheet's bottom)
    // and 18 pt from its top (the sheet's left), and ends 40 pt from its
    // right (the sheet's top): 842 - 30 - 40 = 772 pt wide.
    constexpr double cmPerPoint = 2.54 / 72;
    const QPointF corner(30 * cmPerPoint, 18 * cmPerPoint);
    const double printableWidth = 772 * cmPerPoint;
    // A 5 x 4 cm at (2, 2); for the fit check 0.45 cm wider than the area.
    const QString width = way == u"fit check" ? QString::number(printableWidth - 2 + 0.45, 'f', 3)
                                              : QStringLiteral("5");
    layOutSlotA(window, width, QStringLiteral("4"));

    if (way == u"fit check") {
        QString asked;
        answerNextMessageBox(QMessageBox::No, &asked);
        child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
        QCOMPARE(asked,
                 QStringLiteral("Cover A goes 0.5 cm beyond the right of the printable area and "
                                "will be cut off. Print anyway?"));
        return;
    }
    const QImage page = previewedOrExported(window, job, way, folder.path(), kDpi);
    QVERIFY(!page.isNull());
    // A4 lying: 29.7 x 21 cm.
    QVERIFY2(std::abs(page.width() - 29.7 * kDpi / 2.54) <= 2
                 && std::abs(page.height() - 21 * kDpi / 2.54) <= 2,
             qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    const QRectF expected = PagePixels(kDpi, corner).rect(QRectF(2, 2, 5, 4));
    const QRect red = BoundsOf(page, IsRed);
    QVERIFY2(SameEdges(red, expected), qPrintable(Describe(red, expected)));
}

void CupsPrintTest::gridLandsByTheFit_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("menuEntry");
    QTest::addColumn<int>("wheelNotches");
    QTest::addColumn<GridLanding>("landing");
    const QRectF cover(2, 2, 12.1, 12.1);
    for (const char *way : { "export", "print" }) {
        const QString name = way == QByteArray("export") ? QStringLiteral("PDF export, ")
                                                         : QStringLiteral("CUPS PDF printer, ");
        QTest::newRow(qPrintable(name + QStringLiteral("stretch")))
            << way << "FitStretch" << 0 << StretchedGrid(cover);
        QTest::newRow(qPrintable(name + QStringLiteral("fill")))
            << way << "FitFill" << 0 << FilledGrid(cover);
        // Two notches about the middle: 125 % of 125 %.
        QTest::newRow(qPrintable(name + QStringLiteral("fill, zoomed by the wheel")))
            << way << "FitFill" << 2 << FilledGrid(cover, 1.5625);
        QTest::newRow(qPrintable(name + QStringLiteral("fit")))
            << way << "FitInside" << 0 << FittedGrid(cover);
    }
}

void CupsPrintTest::gridLandsByTheFit()
{
    QFETCH(QString, way);
    QFETCH(QString, menuEntry);
    QFETCH(int, wheelNotches);
    QFETCH(GridLanding, landing);
    TemporarySettings settings;
    const QTemporaryDir folder;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Percorso"), folder.path() } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *job = window->findChild<PrintJob *>();
    layOutTwoSlots(window);
    child<QRadioButton>(window, QStringLiteral("Option3"))->setChecked(true);
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(false);
    auto *preview = child<PictureBox>(window, QStringLiteral("Image1"));
    preview->setPicture(GridPicture());

    // The mode from the preview's menu, by the menu key.
    preview->setFocus();
    QTest::keyClick(preview, Qt::Key_Menu);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
    QAction *entry = child<QAction>(menu, menuEntry);
    QVERIFY(entry);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    QTRY_VERIFY(!QApplication::activePopupWidget());
    if (wheelNotches != 0) {
        const QPointF middle(preview->width() / 2.0, preview->height() / 2.0);
        QWheelEvent wheel(middle, preview->mapToGlobal(middle), QPoint(),
                          QPoint(0, 120 * wheelNotches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview, &wheel);
    }

    QImage page;
    if (way == u"export") {
        page = previewedOrExported(window, job, way, folder.path(), kDpi);
    } else {
        page = printedPageOf(job, window);
    }
    QVERIFY(!page.isNull());
    const std::optional<QPointF> corner = PrintableCornerInPpd(CupsPdfPpd(), QStringLiteral("A4"));
    QVERIFY2(corner, "the A4 paper of the cups-pdf PPD");
    const QString fault = GridFault(page, PagePixels(kDpi, *corner), landing);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
