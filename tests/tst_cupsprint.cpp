// The print command through a real CUPS server and its PDF printer: the
// page leaves the program as a real print job and comes back as a file.
#include "cupspdfprinter.h"
#include "logic/settings/printercorrectionstore.h"
#include "logic/texts/calibrationtexts.h"
#include "pagescan.h"
#include "print/printjob.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include "testpictures.h"
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace vellumark;
using namespace vellumark::test;

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

// The printable area of the second queue on A4 (595 x 842 pt): 18 pt from
// the left edge, 36 pt from the top, 24 pt from the bottom and 18 pt from
// the right.
constexpr int kMarginLeftPt = 18;
constexpr int kMarginTopPt = 36;

// A copy of the PDF queue's PPD whose A4 paper has the margins above.
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
    // PostScript counts from the lower left corner.
    text.replace(whole,
                 QStringLiteral("*ImageableArea A4/A4: \"%1 24 %2 %3\"")
                     .arg(kMarginLeftPt)
                     .arg(595 - kMarginLeftPt)
                     .arg(842 - kMarginTopPt)
                     .toLatin1());
    return target.write(text) == text.size();
}

// The two slots, both printed.
void layOutBothSlots(MainWindow *window)
{
    layOutTwoSlots(window);
    child<QRadioButton>(window, QStringLiteral("Option5"))->setChecked(true);
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
    const QPointF margins(kMarginLeftPt * cmPerPoint, kMarginTopPt * cmPerPoint);
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QPointF>("corner"); // of the printable area, in cm
    QTest::addColumn<double>("dialogMargins"); // mm left on the page by the dialog; 0: none
    QTest::newRow("whole page, margins left by the dialog")
        << CupsPdfPrinter::queue() << wholePage.value_or(QPointF(-1, -1)) << 20.0;
    QTest::newRow("18 pt left, 36 pt top") << m_marginsQueue << margins << 0.0;
    QTest::newRow("18 pt left, 36 pt top, margins left by the dialog")
        << m_marginsQueue << margins << 20.0;
}

void CupsPrintTest::landsAtThePrintableAreaOfTheChosenPrinter()
{
    QFETCH(QString, queue);
    QFETCH(QPointF, corner);
    QFETCH(double, dialogMargins);
    QVERIFY(corner.x() >= 0);
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
    // The user picks the printer in the print dialog, which may leave page
    // margins of its own on the layout.
    job->setPrintDialog([&](QPrinter &printer, QWidget *) {
        printer.setPrinterName(queue);
        if (dialogMargins > 0)
            printer.setPageMargins(
                QMarginsF(dialogMargins, dialogMargins, dialogMargins, dialogMargins),
                QPageLayout::Millimeter);
        return true;
    });
    const QList<std::pair<const char *, const char *>> fields {
        { "Text1", "5" }, { "Text2", "4" }, { "Text5", "2" }, { "Text6", "2" }
    };
    for (const auto &[name, text] : fields)
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    child<QRadioButton>(window, QStringLiteral("Option3"))->setChecked(true);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));

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
    // The sheet is A4: 21 x 29.7 cm.
    QVERIFY2(std::abs(page.width() - 21 * kDpi / 2.54) <= 2,
             qPrintable(QString::number(page.width())));
    const QRectF expected = PagePixels(kDpi, corner).rect(QRectF(2, 2, 5, 4));
    const QRect red = BoundsOf(page, IsRed);
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
    QTest::newRow("print preview") << "preview";
    QTest::newRow("PDF export") << "export";
    QTest::newRow("CUPS PDF printer") << "print";
}

void CupsPrintTest::samePageEverywhere()
{
    QFETCH(QString, way);
    TemporarySettings settings;
    const QTemporaryDir folder;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Spessore"), QStringLiteral("40") },
                    { QStringLiteral("Percorso"), folder.path() } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    layOutBothSlots(window);
    QCOMPARE(job->printer().printerName(), CupsPdfPrinter::queue());

    QImage page;
    if (way == u"preview") {
        onNextModal([&](QWidget *modal) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
            if (!preview)
                return false;
            page = PreviewedPage(preview, job->printer(), kDpi);
            preview->reject();
            return true;
        });
        child<QAction>(window, QStringLiteral("ID_AnteprimaStampa"))->trigger();
    } else if (way == u"export") {
        const QString pdf = folder.filePath(QStringLiteral("cover.pdf"));
        onNextModal([](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (dialog)
                static_cast<QDialog *>(dialog)->accept(); // the name offered
            return dialog != nullptr;
        });
        child<QAction>(window, QStringLiteral("ID_EsportaPDF"))->trigger();
        page = RasterisePdf(pdf, kDpi);
    } else {
        page = printedPageOf(job, window);
    }
    QVERIFY(!page.isNull());
    page.save(QDir::temp().filePath(QStringLiteral("vellumark-same-%1.png").arg(way)));

    // From the paper's edge: the cups-pdf PPD's printable area is the whole
    // sheet ("*ImageableArea A4/A4: "0 0 595 842"").
    // A4 at 300 dpi, to a pixel.
    QVERIFY2(std::abs(page.width() - 2480) <= 1 && std::abs(page.height() - 3508) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    const std::optional<QPointF> corner = PrintableCornerInPpd(CupsPdfPpd(), QStringLiteral("A4"));
    QVERIFY2(corner, "the A4 paper of the cups-pdf PPD");
    const QString fault
        = TwoSlotsPageFault(page, PagePixels(kDpi, *corner), 1200, QRectF(1, 1, 19, 14));
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

    const QList<std::pair<const char *, const char *>> fields {
        { "Text1", "12.1" }, { "Text2", "12.1" }, { "Text5", "2" }, { "Text6", "2" }
    };
    for (const auto &[name, text] : fields)
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(false);
    child<QRadioButton>(window, QStringLiteral("Option3"))->setChecked(true);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
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

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
