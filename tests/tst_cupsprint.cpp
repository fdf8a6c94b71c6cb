// The print command through a real CUPS server and its PDF printer: the
// page leaves the program as a real print job and comes back as a file.
#include "cover/picturebox.h"
#include "cupspdfprinter.h"
#include "pagescan.h"
#include "print/printjob.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
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
    void samePageEverywhere_data();
    void samePageEverywhere();

private:
    // The page the print command sent, rasterised; null when none came.
    QImage printedPage(PrintJob *job, MdiForm1 *window);

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

// Slot A at (2, 2) 12.1 x 12.1, red, bordered 40 device pixels wide; slot B
// at (2, 16) 10 x 5, green; both printed.
void layOutTwoSlots(MdiForm1 *window)
{
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

QImage CupsPrintTest::printedPage(PrintJob *job, MdiForm1 *window)
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
    MdiForm1 *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    layOutTwoSlots(window);
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
        page = printedPage(job, window);
    }
    QVERIFY(!page.isNull());
    page.save(QDir::temp().filePath(QStringLiteral("vellumark-same-%1.png").arg(way)));

    // From the paper's edge: the cups-pdf PPD's printable area is the whole
    // sheet ("*ImageableArea A4/A4: "0 0 595 842"").
    // A4 at 300 dpi, to a pixel.
    QVERIFY2(std::abs(page.width() - 2480) <= 1 && std::abs(page.height() - 3508) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    const PagePixels pixels(QPointF(0, 0), kDpi);
    const QRectF a = pixels.rect(QRectF(2, 2, 12.1, 12.1));
    QVERIFY2(SameEdges(BoundsOf(page, IsRed), a), qPrintable(Describe(BoundsOf(page, IsRed), a)));
    const QRectF border = pixels.rect(QRectF(2, 2, 12.1, 12.1), 20, 1200);
    const QRect dark = BoundsOf(page, IsDark, pixels.rect(QRectF(1, 1, 19, 14)).toRect());
    QVERIFY2(SameEdges(dark, border), qPrintable(Describe(dark, border)));
    const QRectF b = pixels.rect(QRectF(2, 16, 10, 5));
    QVERIFY2(SameEdges(BoundsOf(page, IsGreen), b),
             qPrintable(Describe(BoundsOf(page, IsGreen), b)));
}

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
