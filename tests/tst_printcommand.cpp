#include "logic/page/pdfexport.h"
#include "logic/programinfo.h"
#include "logic/texts/messagetexts.h"
#include "pagescan.h"
#include "print/printjob.h"
#include "print/printpreview.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include "testpictures.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTransform>

using namespace vellumark;
using namespace vellumark::test;

class PrintCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheLayoutAtTrueSize_data();
    void printsTheLayoutAtTrueSize();
    void dvdPanelPrintsItsFormat_data();
    void dvdPanelPrintsItsFormat();
    void turnedPhotoPrintsAsQtTurnsIt_data();
    void turnedPhotoPrintsAsQtTurnsIt();
    void pageShowsThePictureAsLoaded_data();
    void pageShowsThePictureAsLoaded();
    void settingsReachTheInk_data();
    void settingsReachTheInk();
    void stampanteDecidesTheDialog_data();
    void stampanteDecidesTheDialog();
    void printDialogConfirmsOrCancels_data();
    void printDialogConfirmsOrCancels();
    void unreachablePrinterOffersTheDialog_data();
    void unreachablePrinterOffersTheDialog();
    void printerSetupGovernsLaterPages();
    void absurdFieldsStillPrint();
    void labelHoleFromTheOptions_data();
    void labelHoleFromTheOptions();
    void cutOffQuestion_data();
    void cutOffQuestion();
    void statusBarSaysWhatPrintingDid_data();
    void statusBarSaysWhatPrintingDid();
    void previewPrintsThroughThePrintPath_data();
    void previewPrintsThroughThePrintPath();
    void previewPrintButtonEitherWay_data();
    void previewPrintButtonEitherWay();
    void previewMarksStayOnScreen();
    void exportWritesWholeFilesOnly_data();
    void exportWritesWholeFilesOnly();
    void exportKeepsTheOldFileWhenNoneFitsBeside();

private:
    struct Window
    {
        TemporarySettings settings;
        LoadedWindow loaded;
        MainWindow *window = nullptr;
        PrintJob *job = nullptr;
        int dialogs = 0;
    };
    // A loaded window with the two-slot layout and these settings over
    // "Stampante" 0 (a null value stays unstored), whose pages go to a PDF
    // file and whose print dialog is only counted (and confirmed).
    std::unique_ptr<Window> window(const QList<std::pair<QString, QString>> &values);
    QString nextPdf() { return m_dir.filePath(QStringLiteral("page%1.pdf").arg(++m_pages)); }
    QString photo();

    QTemporaryDir m_dir;
    int m_pages = 0;
};

namespace {

constexpr int kDpi = 150;

void setField(MainWindow *window, const char *name, const QString &text)
{
    child<QLineEdit>(window, QString::fromLatin1(name))->setText(text);
}

void triggerPrint(MainWindow *window)
{
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
}

// Prints through the print tool and reads the page back at dpi.
QImage printedPage(MainWindow *window, PrintJob *job, int dpi = kDpi)
{
    triggerPrint(window);
    return RasterisePdf(job->printer().outputFileName(), dpi);
}

QString statusText(MainWindow *window)
{
    return child<QStatusBar>(window, QStringLiteral("StatusBar1"))->currentMessage();
}

// One value of pdfinfo's listing ("Title", "Creator", "Page size").
QString pdfInfo(const QString &pdf, const QString &key)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), { pdf });
    if (!process.waitForFinished(20000))
        return QString();
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(key + u':'))
            return line.mid(key.size() + 1).trimmed();
    }
    return QString();
}

// Runs the action on the next file dialog once it is the active modal one.
void onNextFileDialog(const std::function<void(QFileDialog *)> &action)
{
    onNextModal<QFileDialog>([action](QFileDialog *dialog) {
        action(dialog);
        return true;
    });
}

// Types a name into the file dialog and confirms it, as a user would.
void typeAndSave(QFileDialog *dialog, const QString &name)
{
    // Typing into the focused name field lets go of the file offered.
    dialog->findChild<QListView *>(QStringLiteral("listView"))->clearSelection();
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
    static_cast<QDialog *>(dialog)->accept(); // as Save does
}

// Clicks the middle of the widget as a user does: at that point of the window.
void clickAt(QWidget *window, QWidget *target)
{
    const QPoint where = target->mapTo(window, target->rect().center());
    QWidget *hit = window->childAt(where);
    QVERIFY(hit);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window, where));
}

// Loads the file into a picture box: a click on it, the file chosen.
void loadByClick(MainWindow *window, const QString &box, const QString &file)
{
    onNextFileDialog([file](QFileDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(file);
        static_cast<QDialog *>(dialog)->accept(); // as Open does
    });
    clickAt(window, child<PictureBox>(window, box));
}

// Exports the page to the PDF file through the file dialog.
QString exportPage(MainWindow *window, const QString &pdf)
{
    onNextFileDialog([pdf](QFileDialog *dialog) { typeAndSave(dialog, pdf); });
    child<QAction>(window, QStringLiteral("ID_EsportaPDF"))->trigger();
    return pdf;
}

} // namespace

std::unique_ptr<PrintCommandTest::Window>
PrintCommandTest::window(const QList<std::pair<QString, QString>> &values)
{
    auto made = std::make_unique<Window>();
    QList<std::pair<QString, QString>> seeded { { QStringLiteral("About"), QStringLiteral("0") },
                                                { QStringLiteral("Stampante"),
                                                  QStringLiteral("0") } };
    for (const auto &value : values) {
        seeded.removeIf([&](const auto &seed) { return seed.first == value.first; });
        if (!value.second.isNull())
            seeded.append(value);
    }
    made->settings.seed(seeded);
    made->loaded = loadWindow(made->settings.settings());
    made->window = made->loaded.window.get();
    made->job = made->window->findChild<PrintJob *>();
    made->job->setOutputFile(nextPdf());
    layOutTwoSlots(made->window);
    int *count = &made->dialogs;
    made->job->setPrintDialog([count](QPrinter &, QWidget *) {
        ++*count;
        return true;
    });
    return made;
}

// A 6000 x 4000 photo whose quadrants (red, green, blue, yellow) and
// shading towards the bottom right show any wrong turn.
QString PrintCommandTest::photo()
{
    const QString path = m_dir.filePath(QStringLiteral("photo.jpg"));
    if (!QFile::exists(path)) {
        QImage picture(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&picture);
        const QColor colours[]
            = { { 220, 30, 30 }, { 30, 200, 30 }, { 30, 30, 220 }, { 230, 220, 30 } };
        for (int i = 0; i < 4; ++i)
            painter.fillRect(i % 2 * 3000, i / 2 * 2000, 3000, 2000, colours[i]);
        QLinearGradient shade(0, 0, 6000, 4000);
        shade.setColorAt(0, QColor(0, 0, 0, 0));
        shade.setColorAt(1, QColor(0, 0, 0, 170));
        painter.fillRect(picture.rect(), shade);
        painter.end();
        writeBytes(path, encoded(picture, "jpeg"));
    }
    return path;
}

void PrintCommandTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void PrintCommandTest::printsTheLayoutAtTrueSize_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("slotA");
    QTest::addColumn<bool>("slotB");
    QTest::newRow("A") << QStringLiteral("Option3") << true << false;
    QTest::newRow("B") << QStringLiteral("Option4") << false << true;
    QTest::newRow("A+B") << QStringLiteral("Option5") << true << true;
}

void PrintCommandTest::printsTheLayoutAtTrueSize()
{
    QFETCH(QString, option);
    QFETCH(bool, slotA);
    QFETCH(bool, slotB);
    auto w = window({ { QStringLiteral("Spessore"), QStringLiteral("40") } });
    // Typed with a decimal comma: the number ends at the comma.
    QLineEdit *left = child<QLineEdit>(w->window, QStringLiteral("Text7"));
    left->clear();
    QTest::keyClicks(left, QStringLiteral("2,7"));
    QTest::mouseClick(child<QRadioButton>(w->window, option), Qt::LeftButton);

    const QImage page = printedPage(w->window, w->job);
    QCOMPARE(w->dialogs, 0);
    QVERIFY(!QApplication::overrideCursor()); // the busy cursor is gone again
    QVERIFY(!page.isNull());
    if (slotA && slotB) {
        const QString fault = TwoSlotsPageFault(page, PagePixels(kDpi));
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
    QCOMPARE(!BoundsOf(page, IsRed).isEmpty(), slotA);
    QCOMPARE(!BoundsOf(page, IsGreen).isEmpty(), slotB);
}

void PrintCommandTest::dvdPanelPrintsItsFormat_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QRectF>("cm");
    QTest::addColumn<int>("turns"); // clicks on "90°" before printing
    QTest::newRow("18,3 x 27,2") << QStringLiteral("Option6") << QRectF(1, 1, 18.3, 27.2) << 0;
    QTest::newRow("13,1 x 18,3") << QStringLiteral("Option7") << QRectF(1, 1, 13.1, 18.3) << 0;
    // A slim case's wrap: 18.3 x 26.6 cm whichever way the picture lies.
    QTest::newRow("18,3 x 26,6") << QStringLiteral("Option8") << QRectF(1, 1, 18.3, 26.6) << 0;
    QTest::newRow("18,3 x 26,6, turned")
        << QStringLiteral("Option8") << QRectF(1, 1, 18.3, 26.6) << 1;
}

void PrintCommandTest::dvdPanelPrintsItsFormat()
{
    QFETCH(QString, option);
    QFETCH(QRectF, cm);
    QFETCH(int, turns);
    // The window is never shown: the panel still counts as shown.
    auto w = window({});
    child<QAction>(w->window, QStringLiteral("ID_covers"))->trigger();
    child<QRadioButton>(w->window, option)->click();
    auto *dvd = child<PictureBox>(w->window, QStringLiteral("Image7"));
    dvd->setPicture(solid(Qt::blue, QSize(40, 20))); // wider than tall, so that a turn shows
    for (int turn = 0; turn < turns; ++turn)
        child<QPushButton>(w->window, QStringLiteral("Command2"))->click();
    QCOMPARE(dvd->picture().size(), turns % 2 ? QSize(20, 40) : QSize(40, 20));
    const QImage page = printedPage(w->window, w->job);
    QVERIFY(!page.isNull());
    const PagePixels pixels(kDpi);
    QVERIFY2(SameEdges(BoundsOf(page, IsBlue), pixels.rect(cm)),
             qPrintable(Describe(BoundsOf(page, IsBlue), pixels.rect(cm))));
    QVERIFY(BoundsOf(page, IsRed).isEmpty());
    QVERIFY(BoundsOf(page, IsGreen).isEmpty());
}

void PrintCommandTest::turnedPhotoPrintsAsQtTurnsIt_data()
{
    QTest::addColumn<int>("turns"); // clicks on "90°" before exporting
    for (int turns = 1; turns <= 4; ++turns)
        QTest::newRow(qPrintable(QStringLiteral("%1 turns").arg(turns))) << turns;
}

void PrintCommandTest::turnedPhotoPrintsAsQtTurnsIt()
{
    QFETCH(int, turns);
    auto w = window({ { QStringLiteral("ApriFile"), QStringLiteral("0") } }); // Qt's file dialog
    w->window->show();
    child<QAction>(w->window, QStringLiteral("ID_covers"))->trigger();
    child<QRadioButton>(w->window, QStringLiteral("Option6"))->click(); // 18.3 x 27.2 at (1, 1)
    loadByClick(w->window, QStringLiteral("Image7"), photo());
    QCOMPARE(child<PictureBox>(w->window, QStringLiteral("Image7"))->picture().size(),
             QSize(6000, 4000));
    for (int turn = 0; turn < turns; ++turn)
        clickAt(w->window, child<QPushButton>(w->window, QStringLiteral("Command2")));
    constexpr int dpi = 100;
    const QImage page = RasterisePdf(exportPage(w->window, nextPdf()), dpi);
    QVERIFY(!page.isNull());

    // The cover as it should be: the photo decoded whole, turned by Qt and
    // stretched to the cover (the DVD case's picture is never cropped).
    const QRectF cover = PagePixels(dpi).rect(QRectF(1, 1, 18.3, 27.2));
    const QImage whole = QImageReader(photo()).read();
    QImage sheet(page.size(), QImage::Format_RGB32);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The page went through a reduced JPEG decode and two resamplings: about
    // 52 dB from Qt's; a wrong turn puts other colours over whole quadrants
    // (about 10 dB).
    constexpr double kAlike = 40;
    for (int off = 0; off < 4; ++off) {
        painter.drawImage(
            cover,
            whole.transformed(QTransform().rotate(90 * (turns + off)))
                .scaled(cover.size().toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        // Clear of the edges' antialiasing.
        const double alike = Psnr(page, sheet, cover.toRect().adjusted(2, 2, -2, -2));
        QVERIFY2((alike >= kAlike) == (off == 0),
                 qPrintable(QStringLiteral("%1 quarters off: %2 dB").arg(off).arg(alike)));
    }
}

void PrintCommandTest::pageShowsThePictureAsLoaded_data()
{
    QTest::addColumn<bool>("deleted"); // else overwritten with a red picture
    QTest::addColumn<bool>("exported"); // else printed
    QTest::newRow("file deleted, exported") << true << true;
    QTest::newRow("file overwritten, exported") << false << true;
    QTest::newRow("file deleted, printed") << true << false;
    QTest::newRow("file overwritten, printed") << false << false;
}

void PrintCommandTest::pageShowsThePictureAsLoaded()
{
    QFETCH(bool, deleted);
    QFETCH(bool, exported);
    auto w = window({ { QStringLiteral("ApriFile"), QStringLiteral("0") } }); // Qt's file dialog
    w->window->show();
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("front.jpg"));
    QVERIFY(writeBytes(file, encoded(solid(Qt::blue, QSize(2000, 2000)), "jpeg")));
    loadByClick(w->window, QStringLiteral("Image1"), file);
    // Larger than the screen copy: the page decodes it again.
    const LoadedPicture &loaded = child<PictureBox>(w->window, QStringLiteral("Image1"))->picture();
    QCOMPARE(loaded.size(), QSize(2000, 2000));
    QVERIFY(loaded.screenCopy().width() < 2000);
    QVERIFY(deleted ? QFile::remove(file)
                    : writeBytes(file, encoded(solid(Qt::red, QSize(2500, 1000)), "jpeg")));
    const QImage page = exported ? RasterisePdf(exportPage(w->window, nextPdf()), kDpi)
                                 : printedPage(w->window, w->job);
    QVERIFY(!page.isNull());
    const QRectF a = PagePixels(kDpi).rect(QRectF(2, 2, 12.1, 12.1));
    QVERIFY2(SameEdges(BoundsOf(page, IsBlue), a), qPrintable(Describe(BoundsOf(page, IsBlue), a)));
    QVERIFY(BoundsOf(page, IsRed).isEmpty());
}

void PrintCommandTest::settingsReachTheInk_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // null: not stored
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QRectF>("cm"); // where the ink is summed
    QTest::addColumn<double>("ink"); // in pixels' worth
    QTest::addColumn<double>("tolerance");
    // Across A's left edge at the printer's own 1200 dpi: the border's
    // width in its pixels.
    const QRectF edge(1.94, 8, 0.12, 2.54 / 1200); // one pixel high
    QTest::newRow("Spessore absent") << "Spessore" << QString() << 1200 << edge << 5.0 << 0.35;
    QTest::newRow("Spessore 2.5") << "Spessore"
                                  << "2.5" << 1200 << edge << 2.0 << 0.35;
    QTest::newRow("Spessore 3.5") << "Spessore"
                                  << "3.5" << 1200 << edge << 4.0 << 0.35;
    QTest::newRow("Spessore 0.3") << "Spessore"
                                  << "0.3" << 1200 << edge << 1.0 << 0.35;
    // Left of A's top left corner: 4 mm of a 0.1 mm cut mark, drawn one
    // pixel wide at 150 dpi.
    const QRectF beside(QPointF(1.4, 1.9), QPointF(1.95, 2.1));
    const double mark = 0.4 * kDpi / 2.54;
    QTest::newRow("Tagli absent") << "Tagli" << QString() << kDpi << beside << 0.0 << 0.5;
    QTest::newRow("Tagli 0") << "Tagli"
                             << "0" << kDpi << beside << 0.0 << 0.5;
    QTest::newRow("Tagli 1") << "Tagli"
                             << "1" << kDpi << beside << mark << 2.0;
}

void PrintCommandTest::settingsReachTheInk()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, dpi);
    QFETCH(QRectF, cm);
    QFETCH(double, ink);
    QFETCH(double, tolerance);
    auto w = window({ { key, value } });
    child<PictureBox>(w->window, QStringLiteral("Image1"))->clearPicture();
    child<QRadioButton>(w->window, QStringLiteral("Option3"))->setChecked(true);
    triggerPrint(w->window);
    const QImage strip
        = RasterisePdf(w->job->printer().outputFileName(), dpi, PagePixels(dpi).rect(cm).toRect());
    QVERIFY(!strip.isNull());
    const double found = InkIn(strip, strip.rect());
    QVERIFY2(std::abs(found - ink) < tolerance, qPrintable(QString::number(found)));
}

void PrintCommandTest::stampanteDecidesTheDialog_data()
{
    QTest::addColumn<QString>("stampante"); // null: not stored
    QTest::addColumn<int>("dialogs");
    QTest::newRow("absent") << QString() << 1;
    QTest::newRow("1") << QStringLiteral("1") << 1;
    QTest::newRow("1.0") << QStringLiteral("1.0") << 1;
    QTest::newRow("0") << QStringLiteral("0") << 0;
    QTest::newRow("2") << QStringLiteral("2") << 0;
}

void PrintCommandTest::stampanteDecidesTheDialog()
{
    QFETCH(QString, stampante);
    QFETCH(int, dialogs);
    auto w = window({ { QStringLiteral("Stampante"), stampante } });
    triggerPrint(w->window);
    QCOMPARE(w->dialogs, dialogs);
    QVERIFY(QFile::exists(w->job->printer().outputFileName()));
    // Read at the moment of use: a change counts at the next page.
    w->settings.settings().setText(QStringLiteral("Stampante"),
                                   dialogs ? QStringLiteral("0") : QStringLiteral("1"));
    w->job->setOutputFile(nextPdf());
    triggerPrint(w->window);
    QCOMPARE(w->dialogs, dialogs ? dialogs : 1);
}

void PrintCommandTest::printDialogConfirmsOrCancels_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("cancelled") << false;
    QTest::newRow("confirmed") << true;
}

void PrintCommandTest::printDialogConfirmsOrCancels()
{
    QFETCH(bool, confirm);
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("1") } });
    w->job->setPrintDialog(ShowSystemPrintDialog);
    const QString pdf = w->job->printer().outputFileName();
    // The machine's printers come first in Qt's list, the PDF file last.
    QPrinter *shown = nullptr;
    onNextModal<QPrintDialog>([&](QPrintDialog *dialog) {
        shown = dialog->printer();
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);
        dialog->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(pdf);
        confirm ? dialog->accept() : dialog->reject();
        return true;
    });
    triggerPrint(w->window);
    QCOMPARE(shown, &w->job->printer());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(w->job->printer().outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(QFile::exists(pdf), confirm);
    QVERIFY(!confirm || !BoundsOf(RasterisePdf(pdf, 50), IsRed).isEmpty());
}

void PrintCommandTest::unreachablePrinterOffersTheDialog_data()
{
    QTest::addColumn<QString>("stampante");
    QTest::addColumn<QString>("brokenOutput"); // empty: no printer at all
    QTest::addColumn<bool>("userPicksFile");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("no printer, file chosen") << "0" << QString() << true << 1;
    QTest::newRow("no printer, cancelled") << "0" << QString() << false << 1;
    QTest::newRow("asked first, still no printer") << "1" << QString() << true << 2;
    // A printer that is there but fails the page says so instead (tst_failuressaid).
    QTest::newRow("printer fails to start") << "0"
                                            << "/nonexistent/folder/page.pdf" << false << 0;
}

void PrintCommandTest::unreachablePrinterOffersTheDialog()
{
    QFETCH(QString, stampante);
    QFETCH(QString, brokenOutput);
    QFETCH(bool, userPicksFile);
    QFETCH(int, dialogs);
    auto w = window({ { QStringLiteral("Stampante"), stampante } });
    if (!brokenOutput.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    if (brokenOutput.isEmpty()) {
        // As Qt leaves the printer when no printer is installed: PDF, no file.
        w->job->printer().setOutputFileName(QString());
        w->job->printer().setOutputFormat(QPrinter::PdfFormat);
    } else {
        w->job->setOutputFile(brokenOutput);
    }
    const QString chosen = nextPdf();
    int shown = 0;
    w->job->setPrintDialog([&](QPrinter &printer, QWidget *) {
        // Confirming the first of two dialogs changes nothing yet.
        if (++shown < dialogs || !userPicksFile)
            return shown < dialogs;
        printer.setOutputFileName(chosen);
        return true;
    });
    triggerPrint(w->window);
    QCOMPARE(shown, dialogs);
    QCOMPARE(QFile::exists(chosen), userPicksFile);
    QVERIFY(!QApplication::overrideCursor());
}

void PrintCommandTest::printerSetupGovernsLaterPages()
{
    auto w = window({});
    QPrinter *seen = nullptr;
    w->job->setPrintDialog([&](QPrinter &printer, QWidget *) {
        seen = &printer;
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    child<QAction>(w->window, QStringLiteral("ID_Stampa"))->trigger();
    QCOMPARE(seen, &w->job->printer());
    for (int page = 1; page <= 2; ++page) {
        w->job->setOutputFile(nextPdf());
        const QImage printed = printedPage(w->window, w->job, 30);
        QVERIFY(!printed.isNull());
        QVERIFY(printed.width() > printed.height());
    }
}

void PrintCommandTest::absurdFieldsStillPrint()
{
    auto w = window({ { QStringLiteral("Spessore"), QStringLiteral("1e999") } });
    setField(w->window, "Text1", QStringLiteral("1e999"));
    setField(w->window, "Text2", QStringLiteral("-1e999"));
    setField(w->window, "Text5", QStringLiteral("1e308"));
    setField(w->window, "Text8", QStringLiteral("-1e400"));
    answerNextMessageBox(QMessageBox::Yes); // far beyond the paper: print anyway
    triggerPrint(w->window);
    QVERIFY(QFile(w->job->printer().outputFileName()).size() > 0);
}

void PrintCommandTest::labelHoleFromTheOptions_data()
{
    QTest::addColumn<QString>("stored"); // "Foro" before the start; null: none
    QTest::addColumn<QString>("typed"); // into the options dialog's field; empty: not opened
    QTest::addColumn<double>("holeCm");
    QTest::newRow("not stored") << QString() << QString() << 4.1;
    QTest::newRow("stored 2.5") << "2.5" << QString() << 2.5;
    QTest::newRow("stored outside the range") << "9" << QString() << 4.1;
    QTest::newRow("typed 1.5") << QString() << "1.5" << 1.5;
    QTest::newRow("typed 4.5 over 2") << "2"
                                      << "4.5" << 4.5;
}

void PrintCommandTest::labelHoleFromTheOptions()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(double, holeCm);
    auto w = window({ { QStringLiteral("Foro"), stored } });
    child<QCheckBox>(w->window, QStringLiteral("Check1"))->setChecked(false);
    child<QComboBox>(w->window, QStringLiteral("List1"))->setCurrentIndex(3); // 11.7 at 2, 2
    child<QRadioButton>(w->window, QStringLiteral("Option3"))->setChecked(true);
    if (!typed.isEmpty()) {
        onNextModal<QDialog>(
            [&](QDialog *dialog) {
                auto *field = child<QLineEdit>(dialog, QStringLiteral("Text3"));
                field->selectAll();
                QTest::keyClicks(field, typed);
                QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("Command1")),
                                  Qt::LeftButton);
                return true;
            },
            QStringLiteral("Form3"));
        child<QAction>(w->window, QStringLiteral("ID_Opzioni"))->trigger();
    }
    const QImage page = printedPage(w->window, w->job);
    QVERIFY(!page.isNull());
    const QStringList faults
        = DiscFaults(page, PagePixels(kDpi), QRectF(2, 2, 11.7, 11.7), holeCm, IsMostlyRed);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void PrintCommandTest::cutOffQuestion_data()
{
    // name=text over the two slots' layout; a list's text is the index chosen.
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("dvd");
    QTest::addColumn<double>("unprintableTopMm");
    QTest::addColumn<QString>("question"); // empty: none is asked
    QTest::addColumn<bool>("printAnyway");
    // A4 portrait, 21 x 29.7 cm; slot A 12.1 x 12.1 at (2, 2), B 10 x 5 at (2, 16).
    QTest::newRow("fits") << QStringList() << false << 0.0 << QString() << false;
    QTest::newRow("cut right")
        << QStringList { "Text5=10" } << false << 0.0
        << "Cover A goes 1.1 cm beyond the right of the printable area and will be cut off. "
           "Print anyway?"
        << false;
    QTest::newRow("cut bottom")
        << QStringList { "Text8=26" } << false << 0.0
        << "Cover B goes 1.3 cm beyond the bottom of the printable area and will be cut off. "
           "Print anyway?"
        << false;
    QTest::newRow("cut left, printed anyway")
        << QStringList { "Text7=-0.5" } << false << 0.0
        << "Cover B goes 0.5 cm beyond the left of the printable area and will be cut off. "
           "Print anyway?"
        << true;
    QTest::newRow("cut top")
        << QStringList { "Text6=-1.2" } << false << 0.0
        << "Cover A goes 1.2 cm beyond the top of the printable area and will be cut off. "
           "Print anyway?"
        << false;
    // A disc label counts as its bounding square: 11.7 cm from 10 cm on.
    QTest::newRow("disc label cut right")
        << QStringList { "List1=3", "Text5=10" } << false << 0.0
        << "Cover A goes 0.7 cm beyond the right of the printable area and will be cut off. "
           "Print anyway?"
        << false;
    // 18.3 x 27.2 at (1, 1) under 2 cm the printer cannot reach: 27.7 cm remain.
    QTest::newRow("DVD full case below an unprintable top")
        << QStringList() << true << 20.0
        << "The DVD cover goes 0.5 cm beyond the bottom of the printable area and will be cut "
           "off. Print anyway?"
        << false;
}

void PrintCommandTest::cutOffQuestion()
{
    QFETCH(QStringList, fields);
    QFETCH(bool, dvd);
    QFETCH(double, unprintableTopMm);
    QFETCH(QString, question);
    QFETCH(bool, printAnyway);
    auto w = window({ { QStringLiteral("Lingua"), QStringLiteral("Inglese") } });
    const QMarginsF unprintable(0, unprintableTopMm, 0, 0);
    w->job->printer().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                unprintable, QPageLayout::Millimeter, unprintable));
    for (const QString &field : fields) {
        const QString name = field.section(u'=', 0, 0);
        if (name.startsWith(u"List"))
            child<QComboBox>(w->window, name)->setCurrentIndex(field.section(u'=', 1).toInt());
        else
            setField(w->window, qPrintable(name), field.section(u'=', 1));
    }
    if (dvd)
        child<QAction>(w->window, QStringLiteral("ID_covers"))->trigger();

    const QString pdf = w->job->printer().outputFileName();
    if (question.isEmpty()) {
        const ModalDialogCloser closer;
        triggerPrint(w->window);
        QCOMPARE(closer.closed(), QStringList());
        QVERIFY(QFile::exists(pdf));
        return;
    }
    QString shown;
    answerNextMessageBox(printAnyway ? QMessageBox::Yes : QMessageBox::No, &shown);
    triggerPrint(w->window);
    QCOMPARE(shown, question);
    QCOMPARE(QFile::exists(pdf), printAnyway);
}

void PrintCommandTest::statusBarSaysWhatPrintingDid_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("happening");
    const int english = int(Language::English);
    for (const char *happening :
         { "sent A+B", "sent A", "sent B", "sent DVD", "dialog cancelled", "cut off declined",
           "no printer", "PDF saved", "export cancelled" })
        QTest::newRow(happening) << english << QString::fromLatin1(happening);
    QTest::newRow("Italian") << int(Language::Italian) << "sent A+B";
    QTest::newRow("German") << int(Language::German) << "sent A+B";
}

void PrintCommandTest::statusBarSaysWhatPrintingDid()
{
    QFETCH(int, language);
    QFETCH(QString, happening);
    const QTemporaryDir folder;
    auto w
        = window({ { QStringLiteral("Stampante"),
                     happening == u"dialog cancelled" ? QStringLiteral("1") : QStringLiteral("0") },
                   { QStringLiteral("Lingua"), MarkerOfLanguage(Language(language)) },
                   { QStringLiteral("Percorso"), folder.path() } });
    const MessageTexts &texts = Messages(Language(language));
    const QString pdf = w->job->printer().outputFileName();
    const QString saved = folder.filePath(QStringLiteral("cover.pdf"));
    w->job->setPrintDialog([](QPrinter &, QWidget *) { return false; });

    const QHash<QString, std::pair<const char *, QString>> cases {
        { QStringLiteral("sent A+B"), { "Option5", texts.pageSent.arg(pdf, texts.sentAB) } },
        { QStringLiteral("sent A"), { "Option3", texts.pageSent.arg(pdf, texts.sentA) } },
        { QStringLiteral("sent B"), { "Option4", texts.pageSent.arg(pdf, texts.sentB) } },
        { QStringLiteral("sent DVD"), { "Option5", texts.pageSent.arg(pdf, texts.sentDvd) } },
        { QStringLiteral("dialog cancelled"), { "Option5", texts.printCancelled } },
        { QStringLiteral("cut off declined"), { "Option5", texts.printCancelled } },
        { QStringLiteral("no printer"), { "Option5", texts.noPrinter } },
        { QStringLiteral("PDF saved"), { "Option5", texts.pdfSaved.arg(saved) } },
        { QStringLiteral("export cancelled"), { "Option5", texts.exportCancelled } },
    };
    const auto &[option, expected] = cases.value(happening);
    child<QRadioButton>(w->window, QString::fromLatin1(option))->setChecked(true);
    QCOMPARE(statusText(w->window), QString());

    if (happening == u"sent DVD")
        child<QAction>(w->window, QStringLiteral("ID_covers"))->trigger();
    if (happening == u"cut off declined") {
        setField(w->window, "Text8", QStringLiteral("40"));
        answerNextMessageBox(QMessageBox::No);
    }
    if (happening == u"no printer") {
        w->job->printer().setOutputFileName(QString());
        w->job->printer().setOutputFormat(QPrinter::PdfFormat);
    }
    if (happening == u"PDF saved" || happening == u"export cancelled") {
        onNextFileDialog([&](QFileDialog *dialog) {
            if (happening == u"PDF saved")
                static_cast<QDialog *>(dialog)->accept(); // the name offered: cover.pdf
            else
                dialog->reject();
        });
        child<QAction>(w->window, QStringLiteral("ID_EsportaPDF"))->trigger();
    } else {
        triggerPrint(w->window);
    }
    QCOMPARE(statusText(w->window), expected);
}

void PrintCommandTest::previewPrintsThroughThePrintPath_data()
{
    QTest::addColumn<QString>("stampante");
    QTest::addColumn<bool>("dialogConfirms");
    QTest::addColumn<bool>("cutOff");
    QTest::addColumn<bool>("pressPrint"); // false: the preview is closed
    QTest::addColumn<bool>("printed");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("printed straight") << "0" << true << false << true << true << 0;
    QTest::newRow("asked first, confirmed") << "1" << true << false << true << true << 1;
    QTest::newRow("asked first, cancelled") << "1" << false << false << true << false << 1;
    QTest::newRow("cut off, No") << "0" << true << true << true << false << 0;
    QTest::newRow("closed") << "0" << true << false << false << false << 0;
}

void PrintCommandTest::previewPrintsThroughThePrintPath()
{
    QFETCH(QString, stampante);
    QFETCH(bool, dialogConfirms);
    QFETCH(bool, cutOff);
    QFETCH(bool, pressPrint);
    QFETCH(bool, printed);
    QFETCH(int, dialogs);
    auto w = window({ { QStringLiteral("Stampante"), stampante } });
    if (cutOff)
        setField(w->window, "Text8", QStringLiteral("40"));
    int shownDialogs = 0;
    w->job->setPrintDialog([&](QPrinter &, QWidget *) {
        ++shownDialogs;
        return dialogConfirms;
    });
    const QString pdf = w->job->printer().outputFileName();

    bool previewed = false;
    bool printButton = false;
    bool staysOpen = false;
    onNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
        previewed = true;
        QAction *print = preview->findChild<QAction *>(QStringLiteral("PreviewPrint"));
        printButton = print != nullptr;
        // Nothing is sent while the preview only shows the page.
        if (QFile::exists(pdf))
            printButton = false;
        if (pressPrint && print) {
            if (cutOff)
                answerNextMessageBox(QMessageBox::No);
            print->trigger();
        }
        staysOpen = preview->isVisible();
        preview->reject();
        return true;
    });
    child<QAction>(w->window, QStringLiteral("ID_AnteprimaStampa"))->trigger();
    QVERIFY(previewed);
    QVERIFY(printButton);
    QCOMPARE(QFile::exists(pdf), printed);
    QCOMPARE(shownDialogs, dialogs);
    QCOMPARE(staysOpen, !printed);
    QVERIFY(!QApplication::overrideCursor());
}

void PrintCommandTest::previewPrintButtonEitherWay_data()
{
    QTest::addColumn<bool>("qtSlotThere"); // false: Qt prints some other way
    QTest::newRow("Qt's button taken over") << true;
    QTest::newRow("Qt's slot gone: a button of ours") << false;
}

void PrintCommandTest::previewPrintButtonEitherWay()
{
    QFETCH(bool, qtSlotThere);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(nextPdf());
    QPrintPreviewDialog dialog(&printer);
    auto *toolbar = dialog.findChild<QToolBar *>();
    QVERIFY(toolbar);
    // Qt's print buttons, as the user sees them in the toolbar.
    const auto printButtons = [&] {
        QList<QAction *> found;
        for (QAction *action : toolbar->actions()) {
            const QWidget *shown = toolbar->widgetForAction(action);
            if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")
                && (!dialog.isVisible() || (shown && shown->isVisible())))
                found.append(action);
        }
        return found;
    };
    QCOMPARE(printButtons().size(), 1);
    QAction *qtPrint = printButtons().first();
    // A Qt without the private slot: its button does not print through it.
    if (!qtSlotThere)
        QVERIFY(QObject::disconnect(qtPrint, SIGNAL(triggered(bool)), &dialog, SLOT(_q_print())));

    int printed = 0;
    QAction *button = RoutePrintButton(dialog, [&] { ++printed; });
    QVERIFY(button);
    QCOMPARE(button->objectName(), QStringLiteral("PreviewPrint"));
    QCOMPARE(button == qtPrint, qtSlotThere);
    dialog.resize(1000, 700); // the whole toolbar in sight
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // One print button in sight, and a click on it prints our way only.
    QCOMPARE(printButtons(), QList<QAction *> { button });
    const ModalDialogCloser closer; // Qt's own print dialog, should it show
    clickAt(&dialog, toolbar->widgetForAction(button));
    QCOMPARE(printed, 1);
    QCOMPARE(closer.closed(), QStringList());
    QVERIFY(!QFile::exists(printer.outputFileName()));
}

void PrintCommandTest::previewMarksStayOnScreen()
{
    auto w = window({ { QStringLiteral("Tagli"), QStringLiteral("1") } });
    // A printer that cannot reach the outer centimetre of the sheet; B runs
    // 3.3 cm past the printable area's bottom, 1 cm of it still on paper.
    const QMarginsF unprintable(10, 10, 10, 10);
    w->job->printer().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                unprintable, QPageLayout::Millimeter, unprintable));
    setField(w->window, "Text8", QStringLiteral("26"));
    constexpr int dpi = 100;
    QImage screen;
    QString said;
    onNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
        screen = PreviewedPage(preview, w->job->printer(), dpi);
        if (auto *words = preview->findChild<QLabel *>(QStringLiteral("PreviewCutOff")))
            said = words->isVisible() ? words->text() : QString();
        preview->reject();
        return true;
    });
    child<QAction>(w->window, QStringLiteral("ID_AnteprimaStampa"))->trigger();
    QVERIFY(!screen.isNull());
    // What the hatching shows only 1 cm of, in words (the window is Italian).
    QCOMPARE(said,
             QStringLiteral("La cover B supera di 3,3 cm il bordo inferiore dell'area stampabile "
                            "e verrà tagliata."));
    answerNextMessageBox(QMessageBox::Yes);
    const QImage paper = printedPage(w->window, w->job, dpi);
    QVERIFY(!paper.isNull());

    // The origin is the printable area's corner: 1 cm in from the sheet's edges.
    const PagePixels pixels(dpi, QPointF(1, 1));
    const QRectF a = pixels.rect(QRectF(2, 2, 12.1, 12.1));
    for (const QImage &page : { screen, paper })
        QVERIFY2(SameEdges(BoundsOf(page, IsRed), a),
                 qPrintable(Describe(BoundsOf(page, IsRed), a)));
    // The hatching and the printable area's edge (pink, blue) are the
    // screen's alone; the hatch covers B's part in the unprintable strip.
    const auto isHatch
        = [](QRgb c) { return qRed(c) > qGreen(c) + 25 && qBlue(c) > qGreen(c) + 10; };
    const auto isEdge = [](QRgb c) { return qBlue(c) > qRed(c) + 40 && qBlue(c) > qGreen(c) + 20; };
    const QRect hatch = BoundsOf(screen, isHatch);
    const QRectF strip = pixels.rect(QRectF(2, 27.7, 10, 1));
    QVERIFY2(SameEdges(hatch, strip, 2.0), qPrintable(Describe(hatch, strip)));
    QVERIFY(!BoundsOf(screen, isEdge).isEmpty());
    QVERIFY(BoundsOf(paper, isHatch).isEmpty());
    QVERIFY(BoundsOf(paper, isEdge).isEmpty());

    // The cut mark left of A's top left corner, 0.1 mm wide on paper, is a
    // screen pixel wide on screen: the ink across it, down one column.
    const auto across = [](const PagePixels &at) {
        return QRect(int(at.x(1.7)), int(at.y(1.8)), 1, int(at.y(2.2)) - int(at.y(1.8)) + 1);
    };
    const double onScreen = InkIn(screen, across(pixels));
    QVERIFY2(onScreen >= 0.9, qPrintable(QString::number(onScreen)));
    // On paper it stays 0.1 mm: 2.4 pixels at 600 dpi.
    const QImage column = RasterisePdf(w->job->printer().outputFileName(), 600,
                                       across(PagePixels(600, QPointF(1, 1))));
    const double ink = InkIn(column, column.rect());
    QVERIFY2(std::abs(ink - 0.01 / 2.54 * 600) < 0.6, qPrintable(QString::number(ink)));
}

void PrintCommandTest::exportWritesWholeFilesOnly_data()
{
    QTest::addColumn<QString>("typed"); // into the file dialog; null: cancelled
    QTest::addColumn<QString>("old"); // a file there before
    QTest::addColumn<QString>("written"); // empty: nothing written
    QTest::addColumn<int>("paper"); // the printer's: 0 A4 portrait, 1 A5 lying, 2 no printer
    QTest::addColumn<QSizeF>("points"); // of the page written
    const QSizeF a4(595.28, 841.89);
    const QString cover = QStringLiteral("cover.pdf");
    QTest::newRow("written, .pdf added") << "mine" << cover << "mine.pdf" << 0 << a4;
    QTest::newRow("a dot in the name, .pdf added")
        << "cover_v1.2" << cover << "cover_v1.2.pdf" << 0 << a4;
    QTest::newRow("upper-case .PDF kept") << "MINE.PDF" << cover << "MINE.PDF" << 0 << a4;
    // Qt asks about the file that would be replaced: No, then Cancel.
    QTest::newRow("a dot in the name, its .pdf there: asked first")
        << "cover_v1.2"
        << "cover_v1.2.pdf" << QString() << 0 << a4;
    QTest::newRow("cancelled") << QString() << cover << QString() << 0 << a4;
    QTest::newRow("folder takes no files") << "/proc/cover.pdf" << cover << QString() << 0 << a4;
    QTest::newRow("without a printer: A4 portrait") << "mine" << cover << "mine.pdf" << 2 << a4;
    QTest::newRow("the printer's paper")
        << "mine" << cover << "mine.pdf" << 1 << QSizeF(595.28, 419.53);
}

void PrintCommandTest::exportWritesWholeFilesOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, old);
    QFETCH(QString, written);
    QFETCH(int, paper);
    QFETCH(QSizeF, points);
    const QTemporaryDir folder;
    auto w = window({ { QStringLiteral("Percorso"), folder.path() } });
    QVERIFY(writeBytes(folder.filePath(old), "old"));
    QPrinter &printer = w->job->printer();
    if (paper == 2) { // as Qt leaves the printer when none is installed
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
    }
    printer.setPageSize(QPageSize(paper == 1       ? QPageSize::A5
                                      : paper == 2 ? QPageSize::Letter
                                                   : QPageSize::A4));
    printer.setPageOrientation(paper == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);

    QString startFolder;
    QString startName;
    QString replaceAsked;
    const bool replacing = old == typed + QStringLiteral(".pdf");
    onNextFileDialog([&](QFileDialog *dialog) {
        startFolder = dialog->directory().absolutePath();
        startName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        if (replacing)
            answerNextMessageBox(QMessageBox::No, &replaceAsked);
        if (!typed.isNull())
            typeAndSave(dialog, typed);
        if (dialog->isVisible())
            dialog->reject();
    });
    child<QAction>(w->window, QStringLiteral("ID_EsportaPDF"))->trigger();
    QCOMPARE(startFolder, QDir(folder.path()).absolutePath());
    QCOMPARE(startName, QStringLiteral("cover.pdf"));
    QVERIFY2(replaceAsked.contains(old) == replacing, qPrintable(replaceAsked));

    QFile oldFile(folder.filePath(old));
    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    QCOMPARE(oldFile.readAll(), QByteArray("old"));
    QStringList expected { old };
    if (!written.isEmpty())
        expected.append(written);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase), expected);
    if (written.isEmpty())
        return;
    const QString target = folder.filePath(written);
    QCOMPARE(pdfInfo(target, QStringLiteral("Title")), QStringLiteral("Vellumark 1.2013.4"));
    QCOMPARE(pdfInfo(target, QStringLiteral("Creator")), QStringLiteral("Vellumark 1.2013.4"));
    const QStringList size = pdfInfo(target, QStringLiteral("Page size")).split(u' ');
    QVERIFY2(size.size() >= 3 && std::abs(size[0].toDouble() - points.width()) < 0.5
                 && std::abs(size[2].toDouble() - points.height()) < 0.5,
             qPrintable(size.join(u' ')));
}

void PrintCommandTest::exportKeepsTheOldFileWhenNoneFitsBeside()
{
    const QTemporaryDir folder;
    // A name as long as the folder allows: no temporary file fits beside it.
    const QString old = folder.filePath(QString(251, u'n') + QStringLiteral(".pdf"));
    QVERIFY(writeBytes(old, "old"));
    QVERIFY(!ExportPdf(BuildCoverPlan({}), PaperCornerA4(), QStringLiteral("Vellumark"), old));
    QFile oldFile(old);
    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    QCOMPARE(oldFile.readAll(), QByteArray("old"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { QFileInfo(old).fileName() });
}

QTEST_MAIN(PrintCommandTest)
#include "tst_printcommand.moc"
