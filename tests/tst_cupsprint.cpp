// The print command through a real CUPS server and its PDF printer: the
// page leaves the program as a real print job and comes back as a file.
#include "cupspdfprinter.h"
#include "dialogs/printjob.h"
#include "logic/calibrationtexts.h"
#include "logic/printercorrectionstore.h"
#include "pagescan.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

using namespace vellumark;
using namespace vellumark::test;

class CupsPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printsStraightToTheDefaultPrinter();
    void calibrationMovesThePage_data();
    void calibrationMovesThePage();

private:
    // Triggers the print tool and returns the file cups-pdf made of the job.
    QString printAndFetch(MdiForm1 *window, PrintJob *job);

    CupsPdfPrinter m_cups;
    QString m_outputFolder;
};

namespace {

constexpr int kDpi = 300;

QImage solid(Qt::GlobalColor colour)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

void CupsPrintTest::initTestCase()
{
    const QStringList missing = CupsPdfPrinter::missingTools();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
    QVERIFY2(!CupsTool(QStringLiteral("pdftocairo")).isEmpty(), "pdftocairo");
    const QString failure = m_cups.setUp();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // Qt sees CUPS printers only through its CUPS print support plugin.
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(CupsPdfPrinter::queue()),
             "Qt does not see the CUPS printers (printsupport/libcupsprintersupport.so)");
    QCOMPARE(QPrinterInfo::defaultPrinterName(), CupsPdfPrinter::queue());
    m_outputFolder = CupsPdfOutputFolder();
}

void CupsPrintTest::cleanupTestCase()
{
    m_cups.stop();
}

void CupsPrintTest::printsStraightToTheDefaultPrinter()
{
    TemporarySettings settings;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Spessore"), QStringLiteral("40") } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MdiForm1 *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    job->setPrintDialog([](QPrinter &, QWidget *) {
        qWarning("no dialog was expected");
        return false;
    });
    const QList<std::pair<const char *, const char *>> fields {
        { "Text1", "12.1" }, { "Text2", "12.1" }, { "Text5", "2" }, { "Text6", "2" },
        { "Text3", "10" },   { "Text4", "5" },    { "Text7", "2" }, { "Text8", "16" }
    };
    for (const auto &[name, text] : fields)
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(true);
    child<QRadioButton>(window, QStringLiteral("Option5"))->setChecked(true);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
    child<PictureBox>(window, QStringLiteral("Image2"))->setPicture(solid(Qt::green));

    // cups-pdf names the file after the job's title (and adds to it).
    const QString title
        = QStringLiteral("vellumark-test-%1").arg(QCoreApplication::applicationPid());
    job->printer().setDocName(title);
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
    QCOMPARE(job->printer().printerName(), CupsPdfPrinter::queue());
    QCOMPARE(job->printer().outputFormat(), QPrinter::NativeFormat);

    // The file stands empty until the job ends.
    QVERIFY2(WaitFor(CupsPdfPrinter::allJobsDone, 60000), "the print job did not end");
    QString pdf;
    QVERIFY2(WaitFor(
                 [&] {
                     const QDir folder(m_outputFolder);
                     for (const QFileInfo &file : folder.entryInfoList({ title + u'*' }))
                         if (file.size() > 0)
                             pdf = file.filePath();
                     return !pdf.isEmpty();
                 },
                 30000),
             qPrintable(QStringLiteral("no page in ") + m_outputFolder));

    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());
    const PagePixels pixels(job->printer(), kDpi);
    const QRectF a = pixels.rect(QRectF(2, 2, 12.1, 12.1));
    QVERIFY2(SameEdges(BoundsOf(page, IsRed), a), qPrintable(Describe(BoundsOf(page, IsRed), a)));
    const QRectF border = pixels.rect(QRectF(2, 2, 12.1, 12.1), 20, job->printer().resolution());
    const QRect dark = BoundsOf(page, IsDark, pixels.rect(QRectF(0, 0, 20, 15)).toRect());
    QVERIFY2(SameEdges(dark, border), qPrintable(Describe(dark, border)));
    const QRectF b = pixels.rect(QRectF(2, 16, 10, 5));
    QVERIFY2(SameEdges(BoundsOf(page, IsGreen), b),
             qPrintable(Describe(BoundsOf(page, IsGreen), b)));
    QFile::remove(pdf);
}

QString CupsPrintTest::printAndFetch(MdiForm1 *window, PrintJob *job)
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
    MdiForm1 *window = loaded.window.get();
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

    const QString message = window->statusBar()->currentMessage();
    QCOMPARE(message,
             corrected
                 ? CalibrationTextsOf(Language::English).correctedFor.arg(CupsPdfPrinter::queue())
                 : QString());
}

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
