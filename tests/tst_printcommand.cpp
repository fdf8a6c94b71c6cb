#include "dialogs/printjob.h"
#include "pagescan.h"
#include "testsupport.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vellumark;
using namespace vellumark::test;

class PrintCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheLayoutAtTrueSize();
    void selectionDecidesTheSlots_data();
    void selectionDecidesTheSlots();
    void dvdPanelPrintsItsFormat_data();
    void dvdPanelPrintsItsFormat();
    void borderWidthFromSettings_data();
    void borderWidthFromSettings();
    void stampanteDecidesTheDialog_data();
    void stampanteDecidesTheDialog();
    void cancelInThePrintDialogPrintsNothing();
    void confirmingThePrintDialogPrints();
    void unreachablePrinterOffersTheDialog_data();
    void unreachablePrinterOffersTheDialog();
    void printerSetupGovernsLaterPages();
    void absurdFieldsStillPrint();
    void tagliDecidesTheCutMarks_data();
    void tagliDecidesTheCutMarks();

private:
    struct Window
    {
        TemporarySettings settings;
        LoadedWindow loaded;
        MdiForm1 *window = nullptr;
        PrintJob *job = nullptr;
        int dialogs = 0;
    };
    // A loaded window with these settings whose pages go to a PDF file,
    // and whose print dialog is only counted (and confirmed).
    std::unique_ptr<Window> window(const QList<std::pair<QString, QString>> &values);
    QString nextPdf() { return m_dir.filePath(QStringLiteral("page%1.pdf").arg(++m_pages)); }

    QTemporaryDir m_dir;
    int m_pages = 0;
};

namespace {

constexpr int kDpi = 150;

QImage solid(Qt::GlobalColor colour)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

void setField(MdiForm1 *window, const char *name, const QString &text)
{
    child<QLineEdit>(window, QString::fromLatin1(name))->setText(text);
}

// Slot A at (2, 2) 12.1 x 12.1, red, bordered; slot B at (2, 16) 10 x 5,
// green, without border.
void layOutTwoSlots(MdiForm1 *window)
{
    setField(window, "Text1", QStringLiteral("12.1"));
    setField(window, "Text2", QStringLiteral("12.1"));
    setField(window, "Text5", QStringLiteral("2"));
    setField(window, "Text6", QStringLiteral("2"));
    setField(window, "Text3", QStringLiteral("10"));
    setField(window, "Text4", QStringLiteral("5"));
    setField(window, "Text7", QStringLiteral("2"));
    setField(window, "Text8", QStringLiteral("16"));
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(true);
    child<QCheckBox>(window, QStringLiteral("Check2"))->setChecked(false);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
    child<PictureBox>(window, QStringLiteral("Image2"))->setPicture(solid(Qt::green));
}

void triggerPrint(MdiForm1 *window)
{
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
}

// Answers the next print dialog once it shows, choosing to print to the
// printer's file when confirming; tells which printer it showed.
void answerNextPrintDialog(bool confirm, QPrinter **shownPrinter = nullptr)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, confirm, shownPrinter] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        if (shownPrinter)
            *shownPrinter = dialog->printer();
        // Qt's dialog offers the system's printer first when there is one.
        for (auto *list : dialog->findChildren<QComboBox *>()) {
            const int toFile = list->findText(QStringLiteral("Print to File (PDF)"));
            if (toFile >= 0)
                list->setCurrentIndex(toFile);
        }
        if (confirm)
            dialog->accept();
        else
            dialog->reject();
    });
    timer->start();
}

} // namespace

std::unique_ptr<PrintCommandTest::Window>
PrintCommandTest::window(const QList<std::pair<QString, QString>> &values)
{
    auto made = std::make_unique<Window>();
    QList<std::pair<QString, QString>> seeded { { QStringLiteral("About"), QStringLiteral("0") } };
    seeded += values;
    made->settings.seed(seeded);
    made->loaded = loadWindow(made->settings.settings());
    made->window = made->loaded.window.get();
    made->job = made->window->findChild<PrintJob *>();
    made->job->setOutputFile(nextPdf());
    int *count = &made->dialogs;
    made->job->setPrintDialog([count](QPrinter &, QWidget *) {
        ++*count;
        return true;
    });
    return made;
}

void PrintCommandTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void PrintCommandTest::printsTheLayoutAtTrueSize()
{
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("0") },
                      { QStringLiteral("Spessore"), QStringLiteral("40") } });
    layOutTwoSlots(w->window);
    // Typed with a decimal comma: the number ends at the comma.
    QLineEdit *left = child<QLineEdit>(w->window, QStringLiteral("Text7"));
    left->clear();
    QTest::keyClicks(left, QStringLiteral("2,7"));
    child<QRadioButton>(w->window, QStringLiteral("Option5"))->setChecked(true);

    triggerPrint(w->window);
    QCOMPARE(w->dialogs, 0);
    QVERIFY(!QApplication::overrideCursor()); // the busy cursor is gone again
    const QString pdf = w->job->printer().outputFileName();
    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());
    const PagePixels pixels(w->job->printer(), kDpi);

    const QRectF a = pixels.rect(QRectF(2, 2, 12.1, 12.1));
    QVERIFY2(SameEdges(BoundsOf(page, IsRed), a), qPrintable(Describe(BoundsOf(page, IsRed), a)));
    const QRectF border = pixels.rect(QRectF(2, 2, 12.1, 12.1), 20);
    const QRect dark = BoundsOf(page, IsDark, pixels.rect(QRectF(0, 0, 20, 15)).toRect());
    QVERIFY2(SameEdges(dark, border), qPrintable(Describe(dark, border)));
    const QRectF b = pixels.rect(QRectF(2, 16, 10, 5));
    QVERIFY2(SameEdges(BoundsOf(page, IsGreen), b),
             qPrintable(Describe(BoundsOf(page, IsGreen), b)));
}

void PrintCommandTest::selectionDecidesTheSlots_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("slotA");
    QTest::addColumn<bool>("slotB");
    QTest::newRow("A") << QStringLiteral("Option3") << true << false;
    QTest::newRow("B") << QStringLiteral("Option4") << false << true;
    QTest::newRow("A+B") << QStringLiteral("Option5") << true << true;
}

void PrintCommandTest::selectionDecidesTheSlots()
{
    QFETCH(QString, option);
    QFETCH(bool, slotA);
    QFETCH(bool, slotB);
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("0") } });
    layOutTwoSlots(w->window);
    QTest::mouseClick(child<QRadioButton>(w->window, option), Qt::LeftButton);
    triggerPrint(w->window);
    const QImage page = RasterisePdf(w->job->printer().outputFileName(), 50);
    QVERIFY(!page.isNull());
    QCOMPARE(!BoundsOf(page, IsRed).isEmpty(), slotA);
    QCOMPARE(!BoundsOf(page, IsGreen).isEmpty(), slotB);
}

void PrintCommandTest::dvdPanelPrintsItsFormat_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QRectF>("cm");
    QTest::newRow("18,3 x 27,2") << QStringLiteral("Option6") << QRectF(1, 1, 18.3, 27.2);
    QTest::newRow("13,1 x 18,3") << QStringLiteral("Option7") << QRectF(1, 1, 13.1, 18.3);
}

void PrintCommandTest::dvdPanelPrintsItsFormat()
{
    QFETCH(QString, option);
    QFETCH(QRectF, cm);
    // The window is never shown: the panel still counts as shown.
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("0") } });
    layOutTwoSlots(w->window);
    child<QAction>(w->window, QStringLiteral("ID_covers"))->trigger();
    child<QRadioButton>(w->window, option)->click();
    child<PictureBox>(w->window, QStringLiteral("Image7"))->setPicture(solid(Qt::blue));
    triggerPrint(w->window);
    const QImage page = RasterisePdf(w->job->printer().outputFileName(), kDpi);
    QVERIFY(!page.isNull());
    const PagePixels pixels(w->job->printer(), kDpi);
    QVERIFY2(SameEdges(BoundsOf(page, IsBlue), pixels.rect(cm)),
             qPrintable(Describe(BoundsOf(page, IsBlue), pixels.rect(cm))));
    QVERIFY(BoundsOf(page, IsRed).isEmpty());
    QVERIFY(BoundsOf(page, IsGreen).isEmpty());
}

void PrintCommandTest::borderWidthFromSettings_data()
{
    QTest::addColumn<QString>("spessore"); // empty: not stored
    QTest::addColumn<int>("pixels");
    QTest::newRow("absent") << QString() << 5;
    QTest::newRow("2.5") << QStringLiteral("2.5") << 2;
    QTest::newRow("3.5") << QStringLiteral("3.5") << 4;
    QTest::newRow("0.3") << QStringLiteral("0.3") << 1;
}

void PrintCommandTest::borderWidthFromSettings()
{
    QFETCH(QString, spessore);
    QFETCH(int, pixels);
    QList<std::pair<QString, QString>> values { { QStringLiteral("Stampante"),
                                                  QStringLiteral("0") } };
    if (!spessore.isEmpty())
        values.append({ QStringLiteral("Spessore"), spessore });
    auto w = window(values);
    layOutTwoSlots(w->window);
    child<PictureBox>(w->window, QStringLiteral("Image1"))->clearPicture();
    child<QRadioButton>(w->window, QStringLiteral("Option3"))->setChecked(true);
    triggerPrint(w->window);

    // Read at the printer's own 1200 dpi, across the left edge of slot A.
    constexpr int dpi = 1200;
    const PagePixels page(w->job->printer(), dpi);
    const QPoint edge(int(page.x(2)), int(page.y(8)));
    const QImage strip = RasterisePdf(w->job->printer().outputFileName(), dpi,
                                      QRect(edge - QPoint(30, 2), QSize(60, 5)));
    QVERIFY(!strip.isNull());
    const double ink = InkAlongRow(strip, 2, 0, strip.width());
    QVERIFY2(std::abs(ink - pixels) <= 0.35, qPrintable(QString::number(ink)));
}

void PrintCommandTest::stampanteDecidesTheDialog_data()
{
    QTest::addColumn<QString>("stampante"); // empty: not stored
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
    QList<std::pair<QString, QString>> values;
    if (!stampante.isEmpty())
        values.append({ QStringLiteral("Stampante"), stampante });
    auto w = window(values);
    layOutTwoSlots(w->window);
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

void PrintCommandTest::cancelInThePrintDialogPrintsNothing()
{
    auto w = window({});
    w->job->setPrintDialog(ShowSystemPrintDialog);
    layOutTwoSlots(w->window);
    QPrinter *shown = nullptr;
    answerNextPrintDialog(false, &shown);
    triggerPrint(w->window);
    QCOMPARE(shown, &w->job->printer());
    QVERIFY(!QFile::exists(w->job->printer().outputFileName()));
    QVERIFY(!QApplication::overrideCursor());
}

void PrintCommandTest::confirmingThePrintDialogPrints()
{
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("1") } });
    w->job->setPrintDialog(ShowSystemPrintDialog);
    layOutTwoSlots(w->window);
    answerNextPrintDialog(true);
    triggerPrint(w->window);
    const QImage page = RasterisePdf(w->job->printer().outputFileName(), 50);
    QVERIFY(!page.isNull());
    QVERIFY(!BoundsOf(page, IsRed).isEmpty());
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
    QTest::newRow("printer fails to start") << "0"
                                            << "/nonexistent/folder/page.pdf" << true << 1;
}

void PrintCommandTest::unreachablePrinterOffersTheDialog()
{
    QFETCH(QString, stampante);
    QFETCH(QString, brokenOutput);
    QFETCH(bool, userPicksFile);
    QFETCH(int, dialogs);
    auto w = window({ { QStringLiteral("Stampante"), stampante } });
    layOutTwoSlots(w->window);
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
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("0") } });
    layOutTwoSlots(w->window);
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
        triggerPrint(w->window);
        const QImage printed = RasterisePdf(w->job->printer().outputFileName(), 30);
        QVERIFY(!printed.isNull());
        QVERIFY(printed.width() > printed.height());
    }
}

void PrintCommandTest::absurdFieldsStillPrint()
{
    auto w = window({ { QStringLiteral("Stampante"), QStringLiteral("0") },
                      { QStringLiteral("Spessore"), QStringLiteral("1e999") } });
    layOutTwoSlots(w->window);
    setField(w->window, "Text1", QStringLiteral("1e999"));
    setField(w->window, "Text2", QStringLiteral("-1e999"));
    setField(w->window, "Text5", QStringLiteral("1e308"));
    setField(w->window, "Text8", QStringLiteral("-1e400"));
    triggerPrint(w->window);
    QVERIFY(QFile(w->job->printer().outputFileName()).size() > 0);
}

void PrintCommandTest::tagliDecidesTheCutMarks_data()
{
    QTest::addColumn<QString>("tagli"); // empty: not stored
    QTest::addColumn<bool>("marks");
    QTest::newRow("not stored") << QString() << false;
    QTest::newRow("0") << QStringLiteral("0") << false;
    QTest::newRow("1") << QStringLiteral("1") << true;
}

void PrintCommandTest::tagliDecidesTheCutMarks()
{
    QFETCH(QString, tagli);
    QFETCH(bool, marks);
    QList<std::pair<QString, QString>> values { { QStringLiteral("Stampante"),
                                                  QStringLiteral("0") } };
    if (!tagli.isEmpty())
        values.append({ QStringLiteral("Tagli"), tagli });
    auto w = window(values);
    layOutTwoSlots(w->window);
    triggerPrint(w->window);
    const QImage page = RasterisePdf(w->job->printer().outputFileName(), kDpi);
    QVERIFY(!page.isNull());
    // Left of A's top left corner, along its top edge: 4 mm of a 0.1 mm line.
    const PagePixels pixels(w->job->printer(), kDpi);
    const QRect beside = pixels.rect(QRectF(QPointF(1.4, 1.9), QPointF(1.95, 2.1))).toRect();
    double ink = 0;
    for (int y = beside.top(); y <= beside.bottom(); ++y)
        ink += InkAlongRow(page, y, beside.left(), beside.right() + 1);
    // At this resolution the 0.1 mm line is drawn one pixel wide.
    const double length = 0.4 * kDpi / 2.54;
    QVERIFY2(marks ? qAbs(ink - length) < 2 : ink < 0.5, qPrintable(QString::number(ink)));
}

QTEST_MAIN(PrintCommandTest)
#include "tst_printcommand.moc"
