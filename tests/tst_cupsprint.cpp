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
    void init();
    void cleanupTestCase();
    void landsAtThePrintableAreaOfTheChosenPrinter_data();
    void landsAtThePrintableAreaOfTheChosenPrinter();
    void samePageEverywhere_data();
    void samePageEverywhere();
    void calibrationMovesThePage_data();
    void calibrationMovesThePage();
    void paperChosenOnceHolds();
    void gridLandsByTheFit_data();
    void gridLandsByTheFit();

private:
    struct Window
    {
        TemporarySettings settings;
        QTemporaryDir folder; // where the PDF export goes
        LoadedWindow loaded;
        MainWindow *window = nullptr;
        PrintJob *job = nullptr;
    };
    // An English window with the two-slot layout over these settings and
    // "Stampante" 0; its print dialog, should it show, cancels.
    static std::unique_ptr<Window> window(const QList<std::pair<QString, QString>> &values);
    // The page sent by the print tool (or by send) as a job of its own,
    // as cups-pdf wrote it, at dpi; null when none came.
    QImage printed(Window &w, int dpi = 300, const std::function<void()> &send = {});
    // The page as the print preview shows it ("preview"), as the PDF export
    // writes it under the name offered ("export") or as printed ("print").
    QImage pageBy(Window &w, const QString &way, int dpi = 300);

    CupsPdfPrinter m_cups;
    QString m_outputFolder;
    QTemporaryDir m_dir;
    QString m_marginsQueue;
    QPointF m_corner; // of the PDF queue's printable area on A4, in cm, as its PPD says
    int m_printed = 0;
};

namespace {

constexpr int kDpi = 300;
constexpr double kCmPerPoint = 2.54 / 72;

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

// Whether the page is a sheet of the given size in cm, to two pixels.
bool IsSheet(const QImage &page, double widthCm, double heightCm, int dpi = kDpi)
{
    return std::abs(page.width() - widthCm * dpi / 2.54) <= 2
        && std::abs(page.height() - heightCm * dpi / 2.54) <= 2;
}

QString SizeOf(const QImage &page)
{
    return QStringLiteral("%1 x %2").arg(page.width()).arg(page.height());
}

// Both slots on the disc label, at the figures of an A4 sheet of two
// labels: bounding squares 4.6 cm from the left and 2.18 and 15.88 cm from
// the top. A red and bordered, B green.
void layOutDiscLabels(MainWindow *window)
{
    child<QComboBox>(window, QStringLiteral("List1"))->setCurrentIndex(3);
    child<QComboBox>(window, QStringLiteral("List2"))->setCurrentIndex(3);
    for (const auto &[name, text] : { std::pair { "Text5", "4.6" },
                                      { "Text6", "2.18" },
                                      { "Text7", "4.6" },
                                      { "Text8", "15.88" } })
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(true);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
    child<PictureBox>(window, QStringLiteral("Image2"))->setPicture(solid(Qt::green));
}

// Slot A alone, red, at (2, 2) and of the given size in cm, unbordered.
void layOutSlotA(MainWindow *window, const QString &width, const QString &height)
{
    child<QLineEdit>(window, QStringLiteral("Text1"))->setText(width);
    child<QLineEdit>(window, QStringLiteral("Text2"))->setText(height);
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(false);
    child<QRadioButton>(window, QStringLiteral("Option3"))->setChecked(true);
}

} // namespace

std::unique_ptr<CupsPrintTest::Window>
CupsPrintTest::window(const QList<std::pair<QString, QString>> &values)
{
    auto made = std::make_unique<Window>();
    QList<std::pair<QString, QString>> seeded {
        { QStringLiteral("About"), QStringLiteral("0") },
        { QStringLiteral("Stampante"), QStringLiteral("0") },
        { QStringLiteral("Lingua"), QStringLiteral("Inglese") },
        { QStringLiteral("Percorso"), made->folder.path() }
    };
    for (const auto &value : values) {
        seeded.removeIf([&](const auto &seed) { return seed.first == value.first; });
        seeded.append(value);
    }
    made->settings.seed(seeded);
    made->loaded = loadWindow(made->settings.settings());
    made->window = made->loaded.window.get();
    made->job = made->window->findChild<PrintJob *>();
    made->job->setPrintDialog([](QPrinter &, QWidget *) { return false; });
    layOutTwoSlots(made->window);
    return made;
}

QImage CupsPrintTest::printed(Window &w, int dpi, const std::function<void()> &send)
{
    // cups-pdf names the file after the job's title (and adds to it).
    const QString title = QStringLiteral("vellumark-test-%1-%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(++m_printed);
    w.job->printer().setDocName(title);
    if (send)
        send();
    else
        child<QAction>(w.window, QStringLiteral("ID_Print"))->trigger();
    // The file stands empty until the job ends.
    QString pdf;
    WaitFor(
        [&] {
            for (const QFileInfo &file : QDir(m_outputFolder).entryInfoList({ title + u'*' }))
                if (file.size() > 0 && CupsPdfPrinter::allJobsDone())
                    pdf = file.filePath();
            return !pdf.isEmpty();
        },
        90000);
    if (pdf.isEmpty())
        qWarning("no page in %s", qPrintable(m_outputFolder));
    const QImage page = pdf.isEmpty() ? QImage() : RasterisePdf(pdf, dpi);
    QFile::remove(pdf);
    return page;
}

QImage CupsPrintTest::pageBy(Window &w, const QString &way, int dpi)
{
    if (way == u"print")
        return printed(w, dpi);
    QImage page;
    if (way == u"preview") {
        onNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
            page = PreviewedPage(preview, w.job->printer(), dpi);
            preview->reject();
            return true;
        });
        child<QAction>(w.window, QStringLiteral("ID_AnteprimaStampa"))->trigger();
        return page;
    }
    onNextModal<QFileDialog>([](QFileDialog *dialog) {
        static_cast<QDialog *>(dialog)->accept(); // the name offered
        return true;
    });
    child<QAction>(w.window, QStringLiteral("ID_EsportaPDF"))->trigger();
    return RasterisePdf(w.folder.filePath(QStringLiteral("cover.pdf")), dpi);
}

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
    // paper's edges. Named after this run, so that other runs on the same
    // server keep theirs.
    const QString ppd = CupsPdfPpd();
    QVERIFY2(!ppd.isEmpty(), "the PPD of cups-pdf (printer-driver-cups-pdf)");
    const std::optional<QPointF> corner = PrintableCornerInPpd(ppd, QStringLiteral("A4"));
    QVERIFY2(corner, "the A4 paper of the cups-pdf PPD");
    m_corner = *corner;
    QVERIFY(m_dir.isValid());
    const QString marginsPpd = m_dir.filePath(QStringLiteral("margins.ppd"));
    QVERIFY2(writeMarginsPpd(ppd, marginsPpd), qPrintable(ppd));
    m_marginsQueue = QStringLiteral("VellumarkMargins%1").arg(QCoreApplication::applicationPid());
    const QString added = CupsPdfPrinter::addQueue(m_marginsQueue, marginsPpd);
    QVERIFY2(added.isEmpty(), qPrintable(added));
}

void CupsPrintTest::init()
{
    // The server may be another run's, which ends it with that run: make
    // sure one answers and sees both queues before the job starts.
    const QString failure = m_cups.setUp();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
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

void CupsPrintTest::landsAtThePrintableAreaOfTheChosenPrinter_data()
{
    QTest::addColumn<QString>("way"); // "print", "preview", "export" or "fit check"
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<double>("dialogMargins"); // mm left on the page by the dialog; 0: none
    QTest::addColumn<double>("width"); // of cover A, 4 cm high at (2, 2) on the page
    // The sheet as the page comes out (cups-pdf's PDF, the preview or the
    // export), and where cover A lands from its top left corner, in cm.
    QTest::addColumn<QSizeF>("sheet");
    QTest::addColumn<QRectF>("onSheet");
    const QSizeF upright(21, 29.7);
    const QRectF portrait(2, 2, 5, 4);
    QTest::newRow("whole page, margins left by the dialog")
        << "print" << CupsPdfPrinter::queue() << false << 20.0 << 5.0 << upright
        << portrait.translated(m_corner);
    // "18 30 571 802": the printable area begins 18 pt from the left and
    // 842 - 802 = 40 pt from the top of the upright sheet.
    const QRectF unequal = portrait.translated(18 * kCmPerPoint, 40 * kCmPerPoint);
    QTest::newRow("unequal margins")
        << "print" << m_marginsQueue << false << 0.0 << 5.0 << upright << unequal;
    QTest::newRow("unequal margins, margins left by the dialog")
        << "print" << m_marginsQueue << false << 20.0 << 5.0 << upright << unequal;
    // Landscape: cups-pdf turns the page a quarter counter-clockwise onto
    // the upright sheet; the page's printable corner is 30 pt above the
    // sheet's bottom and 18 pt from its left. The cover's left and right
    // (2, 7 cm) lie that far above 30 pt, its top and bottom (2, 6 cm) right
    // of 18 pt.
    const double sheetHeight = 842 * kCmPerPoint;
    const QRectF turned(QPointF(18 * kCmPerPoint + 2, sheetHeight - 30 * kCmPerPoint - 7),
                        QPointF(18 * kCmPerPoint + 6, sheetHeight - 30 * kCmPerPoint - 2));
    QTest::newRow("unequal margins, landscape")
        << "print" << m_marginsQueue << true << 0.0 << 5.0 << upright << turned;
    QTest::newRow("unequal margins, landscape, margins left by the dialog")
        << "print" << m_marginsQueue << true << 20.0 << 5.0 << upright << turned;
    // The preview and the export show the page lying (842 x 595 pt), its
    // printable area 30 pt from its left and 18 pt from its top, and
    // 842 - 30 - 40 = 772 pt wide.
    const QRectF lying = portrait.translated(30 * kCmPerPoint, 18 * kCmPerPoint);
    for (const char *way : { "preview", "export" })
        QTest::newRow(qPrintable(QStringLiteral("unequal margins, landscape, ") + way))
            << way << m_marginsQueue << true << 0.0 << 5.0 << QSizeF(29.7, 21) << lying;
    QTest::newRow("unequal margins, landscape, 0.45 cm too wide")
        << "fit check" << m_marginsQueue << true << 0.0 << 772 * kCmPerPoint - 2 + 0.45 << QSizeF()
        << QRectF();
}

void CupsPrintTest::landsAtThePrintableAreaOfTheChosenPrinter()
{
    QFETCH(QString, way);
    QFETCH(QString, queue);
    QFETCH(bool, landscape);
    QFETCH(double, dialogMargins);
    QFETCH(double, width);
    QFETCH(QSizeF, sheet);
    QFETCH(QRectF, onSheet);
    const bool print = way == u"print";
    auto w = window(
        { { QStringLiteral("Stampante"), print ? QStringLiteral("1") : QStringLiteral("0") } });
    // The user picks the printer and the orientation in the print dialog,
    // which may leave page margins of its own on the layout.
    const auto choose = [=](QPrinter &printer) {
        printer.setPrinterName(queue);
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (dialogMargins > 0)
            printer.setPageMargins(
                QMarginsF(dialogMargins, dialogMargins, dialogMargins, dialogMargins),
                QPageLayout::Millimeter);
        return true;
    };
    if (print)
        w->job->setPrintDialog([=](QPrinter &printer, QWidget *) { return choose(printer); });
    else
        choose(w->job->printer());
    layOutSlotA(w->window, QString::number(width, 'f', 3), QStringLiteral("4"));

    if (way == u"fit check") {
        QString asked;
        answerNextMessageBox(QMessageBox::No, &asked);
        child<QAction>(w->window, QStringLiteral("ID_Print"))->trigger();
        QCOMPARE(asked,
                 QStringLiteral("Cover A goes 0.5 cm beyond the right of the printable area and "
                                "will be cut off. Print anyway?"));
        return;
    }
    const QImage page = pageBy(*w, way);
    QCOMPARE(w->job->printer().printerName(), queue);
    QVERIFY(!page.isNull());
    QVERIFY2(IsSheet(page, sheet.width(), sheet.height()), qPrintable(SizeOf(page)));
    const QRectF expected = PagePixels(kDpi).rect(onSheet);
    const QRect red = BoundsOf(page, IsRed);
    QVERIFY2(SameEdges(red, expected), qPrintable(Describe(red, expected)));
}

void CupsPrintTest::samePageEverywhere_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("labels"); // two disc labels instead of two covers
    for (const bool labels : { false, true }) {
        const QString name = labels ? QStringLiteral("disc labels, ") : QString();
        QTest::newRow(qPrintable(name + QStringLiteral("print preview"))) << "preview" << labels;
        QTest::newRow(qPrintable(name + QStringLiteral("PDF export"))) << "export" << labels;
        QTest::newRow(qPrintable(name + QStringLiteral("CUPS PDF printer"))) << "print" << labels;
    }
}

void CupsPrintTest::samePageEverywhere()
{
    QFETCH(QString, way);
    QFETCH(bool, labels);
    // Straight to the default printer: a print dialog would cancel.
    auto w = window({ { QStringLiteral("Spessore"), QStringLiteral("40") } });
    child<QRadioButton>(w->window, QStringLiteral("Option5"))->setChecked(true);
    if (labels)
        layOutDiscLabels(w->window);
    QCOMPARE(w->job->printer().printerName(), CupsPdfPrinter::queue());

    const QImage page = pageBy(*w, way);
    QVERIFY(!page.isNull());
    if (way == u"print")
        QCOMPARE(w->job->printer().outputFormat(), QPrinter::NativeFormat);
    // A4 at 300 dpi, from the paper's edge: the cups-pdf PPD's printable
    // area is the whole sheet ("*ImageableArea A4/A4: "0 0 595 842"").
    QVERIFY2(std::abs(page.width() - 2480) <= 1 && std::abs(page.height() - 3508) <= 1,
             qPrintable(SizeOf(page)));
    const PagePixels pixels(kDpi, m_corner);
    if (labels) {
        // 11.7 cm across with a 4.1 cm hole, the standards; A's border is
        // 40 of the printer's 1200 dpi pixels, half of it outside the ring.
        const QStringList faults = DiscFaults(page, pixels, QRectF(4.6, 2.18, 11.7, 11.7), 4.1,
                                              IsMostlyRed, 20.0 * kDpi / 1200)
            + DiscFaults(page, pixels, QRectF(4.6, 15.88, 11.7, 11.7), 4.1, IsMostlyGreen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        return;
    }
    const QString fault = TwoSlotsPageFault(page, pixels, 1200, QRectF(1, 1, 19, 14));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
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
    auto w = window({});
    PrintJob *job = w->job;
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
        child<QAction>(w->window, QStringLiteral("ID_Calibra"))->trigger();
    };
    if (how == u"other printer") {
        PrinterCorrections(w->settings.settings())
            .store(CupsPdfPrinter::queue() + u'2', { 150.0 / 147, 200.0 / 202, 1, 1 });
    } else {
        enterMeasures("OkButton");
        QVERIFY(PrinterCorrections(w->settings.settings()).of(CupsPdfPrinter::queue()));
        if (how == u"reset")
            enterMeasures("ResetButton");
    }

    layOutSlotA(w->window, QStringLiteral("12.1"), QStringLiteral("12.1"));
    const QImage page = printed(*w);
    QVERIFY(!page.isNull());

    // The PPD's A4 ImageableArea is the whole sheet (0 0 595 842 pt): the
    // rulers should be 150 and 200 mm and the crosshair 10 mm from each
    // edge. The measures describe a printer that puts a point painted p mm
    // from the corner at start + k p, with k = measured / expected length and
    // start = crosshair - 10 k; the corrected page must land the cover where
    // that printer turns it into 20 mm and 20 + 121 mm. This faultless
    // printer shows where the page was painted.
    const double kx = corrected ? 147.0 / 150 : 1, ky = corrected ? 202.0 / 200 : 1;
    const QPointF start(corrected ? 8.5 - 10 * kx : 0, corrected ? 9.2 - 10 * ky : 0);
    const double perMm = kDpi / 25.4;
    const auto painted
        = [&](double mm) { return QPointF((mm - start.x()) / kx, (mm - start.y()) / ky) * perMm; };
    const QRectF expected(painted(20), painted(141));
    const QRect red = BoundsOf(page, IsRed);
    qInfo("%s: cover at %.2f, %.2f mm, %.2f x %.2f mm from the sheet's edges", qPrintable(how),
          red.left() / perMm, red.top() / perMm, (red.width()) / perMm, red.height() / perMm);
    QVERIFY2(SameEdges(red, expected), qPrintable(Describe(red, expected)));

    // The page-sent message says so when, and only when, it was corrected.
    const QString message = w->window->statusBar()->currentMessage();
    const QString correctedFor
        = CalibrationTextsOf(Language::English).correctedFor.arg(CupsPdfPrinter::queue());
    QVERIFY2(message.startsWith(QStringLiteral("Page sent to ")), qPrintable(message));
    QCOMPARE(message.endsWith(correctedFor), corrected);
}

void CupsPrintTest::paperChosenOnceHolds()
{
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("1") } });
    w->job->setPrintDialog(ShowSystemPrintDialog);
    layOutSlotA(w->window, QStringLiteral("5"), QStringLiteral("4"));

    // A5 on the queue that is not the default one, chosen once: in the print
    // dialog's properties, from the menu's Printer Setup.
    bool chosen = false;
    onNextModal<QPrintDialog>([&](QPrintDialog *dialog) {
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
    child<QAction>(w->window, QStringLiteral("ID_Stampa"))->trigger();
    QVERIFY(chosen);

    // Each page through the print dialog, confirmed as it shows, and the
    // exported PDF: A5, 14.8 x 21 cm (the PPD rounds it to "421 595" pt).
    for (const char *way : { "print", "print again", "preview's button", "export" }) {
        const auto confirmed = [] {
            onNextModal<QPrintDialog>([](QPrintDialog *dialog) {
                dialog->accept();
                return true;
            });
        };
        QImage page;
        if (QByteArray(way) == "export") {
            page = pageBy(*w, QStringLiteral("export"), 72);
        } else if (QByteArray(way) == "preview's button") {
            page = printed(*w, 72, [&] {
                confirmed();
                onNextModal<QPrintPreviewDialog>([](QPrintPreviewDialog *preview) {
                    preview->findChild<QAction *>(QStringLiteral("PreviewPrint"))->trigger();
                    if (preview->isVisible())
                        preview->reject();
                    return true;
                });
                child<QAction>(w->window, QStringLiteral("ID_AnteprimaStampa"))->trigger();
            });
        } else {
            confirmed();
            page = printed(*w, 72);
        }
        QCOMPARE(w->job->printer().printerName(), m_marginsQueue);
        qInfo("%s: %s pt", way, qPrintable(SizeOf(page)));
        QVERIFY2(IsSheet(page, 14.8, 21, 72), way);
    }
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
    auto w = window({});
    w->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w->window));
    layOutSlotA(w->window, QStringLiteral("12.1"), QStringLiteral("12.1"));
    auto *preview = child<PictureBox>(w->window, QStringLiteral("Image1"));
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

    const QImage page = pageBy(*w, way);
    QVERIFY(!page.isNull());
    const QString fault = GridFault(page, PagePixels(kDpi, m_corner), landing);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
