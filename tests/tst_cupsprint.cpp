// The print command through a real CUPS server and its PDF printer: the
// page leaves the program as a real print job and comes back as a file.
#include "cupspdfprinter.h"
#include "dialogs/printjob.h"
#include "pagescan.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
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

private:
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

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
