// The whole program on a real X server, driven with real keys and clicks:
// the first start, a typology, a width and a picture chosen by hand, a page
// printed through CUPS to a PDF file and measured, the exit, and a second
// start that finds everything as it was left. Screenshots of every step are
// kept in e2e-artifacts of the build folder.
#include "childprocess.h"
#include "cupspdfprinter.h"
#include "logic/settings/settingsfileformat.h"
#include "logic/twips.h"
#include "pagescan.h"
#include "programondisplay.h"
#include "requiredtools.h"
#include "testpictures.h"
#include "virtualdisplay.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

using namespace vellumark;
using namespace vellumark::test;

namespace {

const QString AboutTitle = QStringLiteral("^Informazioni su Vellumark$");
const QString MainTitle = QStringLiteral("^Vellumark 1\\.2013\\.4$");
// A message box carries the program's title.
const QString ProgramTitle = QStringLiteral("^Vellumark$");
const QString PictureDialogTitle = QStringLiteral("^Seleziona cover\\.\\.\\.$");

const QString PictureName = QStringLiteral("picture.jpg");
// Red above, blue below: a quarter turn clockwise puts red on the right.
const QString DvdPictureName = QStringLiteral("dvd.jpg");
// Four times as wide as high, red on the left half, blue on the right.
const QString HalvesPictureName = QStringLiteral("halves.jpg");
const QString ArtifactsName = QStringLiteral("e2e-artifacts");
constexpr int Dpi = 300;

// Places in the main window's controls' area, in pixels.
const QRect FolderLabel = TwipsRect(120, 5880, 3615, 255); // Label2
const QPoint TypologyListA = TwipsRect(720, 3960, 1815, 240).center(); // List1
const QPoint WidthFieldA = TwipsRect(840, 3120, 615, 285).center(); // Text1
// Slot A's preview Image1 (as wide as "Fronte\CD" makes it), and a point on
// it away from the hint in its middle.
const QRect PreviewA = TwipsRect(240, 240, 2295, 2295);
const QPoint PreviewPointA = PreviewA.topLeft() + QPoint(30, 30);
// The right edge of slot A's preview frame (Line36) for "Retro" and for
// "Fronte\CD", from its top to its bottom.
const int RetroFrameEdge = TwipsToPixels(2870);
const int FrontFrameEdge = TwipsToPixels(2640);
const int FrameTop = TwipsToPixels(120);
const int FrameBottom = TwipsToPixels(2640);
// The DVD panel: a point on its picture Image7 away from the hint in its
// middle, with the panel where the "Cover DVD" tool shows it; and the "90°"
// button Command2 from the picture's top-left corner (Image7 lies at 120, 120
// of Frame2, which lies at 0, 120 of the panel that holds the button).
const QPoint DvdPicturePoint
    = TwipsRect(120 + 120, 60 + 240, 5295, 4815).topLeft() + QPoint(30, 30);
const QPoint TurnButtonFromPicture
    = TwipsRect(2880, 5280, 495, 375).center() - TwipsRect(120, 240, 0, 0).topLeft();

bool IsMidGrey(QRgb c)
{
    return qAbs(qRed(c) - 128) < 8 && qAbs(qGreen(c) - 128) < 8 && qAbs(qBlue(c) - 128) < 8;
}

// The top-left corner of a filled rectangle of the given size whose top row
// and left column all match.
std::optional<QPoint> FindFilledRect(const QImage &image, QSize size,
                                     const std::function<bool(QRgb)> &matches)
{
    for (int y = 0; y + size.height() <= image.height(); ++y) {
        for (int x = 0; x + size.width() <= image.width(); ++x) {
            bool whole = true;
            for (int i = 0; whole && i < size.width(); ++i)
                whole = matches(image.pixel(x + i, y));
            for (int j = 0; whole && j < size.height(); ++j)
                whole = matches(image.pixel(x, y + j));
            if (whole)
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

// Whether a column of the picture is one unbroken line between two rows.
bool LineDownAt(const QImage &image, int x, int top, int bottom,
                const std::function<bool(QRgb)> &matches)
{
    if (x < 0 || x >= image.width() || top < 0 || bottom >= image.height())
        return false;
    for (int y = top; y <= bottom; ++y) {
        if (!matches(image.pixel(x, y)))
            return false;
    }
    return true;
}

double ShareMatching(const QImage &image, const QRect &area,
                     const std::function<bool(QRgb)> &matches)
{
    const QRect inside = area.intersected(image.rect());
    if (inside.isEmpty())
        return 0;
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += matches(image.pixel(x, y)) ? 1 : 0;
    return double(count) / (inside.width() * inside.height());
}

// The file cups-pdf wrote since the time given for one of the jobs. It
// labels a document without a title with its job number; a titled one is
// the one new file that the print test (titles "vellumark-test-...") did
// not write.
QString PrintedPage(const QString &folder, const QList<int> &jobs, const QDateTime &since)
{
    QStringList recent;
    const QFileInfoList files
        = QDir(folder).entryInfoList({ QStringLiteral("*.pdf") }, QDir::Files);
    for (const QFileInfo &file : files) {
        if (file.lastModified() < since || file.size() == 0)
            continue;
        for (int id : jobs) {
            if (file.fileName().contains(QStringLiteral("job_%1.").arg(id)))
                return file.filePath();
        }
        if (!file.fileName().startsWith(QStringLiteral("vellumark-test-")))
            recent.append(file.filePath());
    }
    return recent.size() == 1 ? recent.first() : QString();
}

} // namespace

class EndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // The steps of one session, run in this order, each on what the one
    // before left: the program, its window, its settings. A step asked for
    // by itself fails at once (see init).
    void firstStartShowsTheAboutWindow();
    void mainWindowOpensWithTheDefaults();
    void retroChosenInTheListByHand();
    void widthTypedIsStoredAtOnce();
    void pictureChosenInThePreviewDialog();
    void printsThePageAtTrueSize();
    void exitCommandSavesTheSettings();
    void secondStartShowsTheLayoutAsLeft();
    void secondStartPrintsTheSameMeasures();
    void filledCoverShowsWhereItIsDragged();
    void dvdPictureTurnsAtAClickOnNinety();
    void closeBoxEndsAndSaves();

private:
    void startProgram();
    bool waitForEnd(int milliseconds);
    QString settingsFile() const;
    QString setting(const QString &name) const;
    // Waits for the main window and finds its controls' area in it.
    void findMainWindow();
    // A screenshot kept among the artefacts; "root" is the whole screen.
    QImage shot(const QString &label, const QString &window = QStringLiteral("root"));
    // Waits until a screenshot of the main window satisfies the check.
    bool waitForMainWindow(const std::function<bool(const QImage &)> &check, int milliseconds);
    bool showsRetro(const QImage &window) const;
    bool showsFront(const QImage &window) const;
    bool showsRedPicture(const QImage &window) const;
    void choosePicture(bool navigateToFolder);
    // Chooses the file in the picture dialog the click at the point opens.
    void chooseInPictureDialog(QPoint clickAt, const QString &file, bool navigateToFolder);
    void printAndMeasure(const QString &label,
                         const std::function<bool(QRgb)> &coverColour = IsRed);

    VirtualDisplay m_display;
    CupsPdfPrinter m_cups;
    ProgramOnDisplay m_run;
    QString m_artifacts;
    QString m_pdfFolder;
    QString m_mainWindow;
    QPoint m_area; // the controls' area's top-left corner in the main window
    int m_shots = 0;
    bool m_broken = false;
    int m_stepsDone = 0;
};

void EndToEndTest::initTestCase()
{
    const QStringList missing
        = VirtualDisplay::missingTools({ QStringLiteral("import"), QStringLiteral("pdftocairo") })
        + CupsPdfPrinter::missingTools();
    VELLUMARK_REQUIRE_TOOLS(missing);
    QString failure;
    QVERIFY2(m_run.findProgram(&failure), qPrintable(failure));
    const QString binaryDir = qEnvironmentVariable("VELLUMARK_BINARY_DIR");

    // A fresh folder of artefacts, which also holds the picture to load.
    m_artifacts = QDir(binaryDir).filePath(ArtifactsName);
    QDir(m_artifacts).removeRecursively();
    QVERIFY(QDir().mkpath(m_artifacts));
    m_artifacts = QFileInfo(m_artifacts).canonicalFilePath();
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(QDir(m_artifacts).filePath(PictureName), "JPG", 95));
    const QImage dvd = twoColourPicture(QSize(48, 64)).transformed(QTransform().rotate(90));
    QVERIFY(dvd.save(QDir(m_artifacts).filePath(DvdPictureName), "JPG", 95));
    QVERIFY(twoColourPicture(QSize(400, 100))
                .save(QDir(m_artifacts).filePath(HalvesPictureName), "JPG", 95));

    failure = m_cups.setUp();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(CupsPdfPrinter::queue()),
             "Qt does not see the CUPS printers (printsupport/libcupsprintersupport.so)");
    QCOMPARE(QPrinterInfo::defaultPrinterName(), CupsPdfPrinter::queue());
    m_pdfFolder = CupsPdfOutputFolder();

    QVERIFY2(m_display.start(), "Xvfb did not report its display");
    // An empty settings folder: the program starts as for the first time.
    QVERIFY(m_run.makeFolders());
}

void EndToEndTest::cleanupTestCase()
{
    m_run.kill();
    m_display.stop();
    m_cups.stop();
}

void EndToEndTest::init()
{
    // Every step builds on the one before: they run all, in their order.
    QStringList steps;
    const QMetaObject *meta = metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const QByteArray name = method.name();
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Private
            && !name.startsWith("init") && !name.startsWith("cleanup"))
            steps.append(QString::fromLatin1(name));
    }
    if (steps.value(m_stepsDone) != QLatin1String(QTest::currentTestFunction()))
        QFAIL("the steps run only all together, from the first, in their order");
    if (m_broken)
        QFAIL("an earlier step failed");
}

void EndToEndTest::cleanup()
{
    ++m_stepsDone;
    m_broken = m_broken || QTest::currentTestFailed();
}

QString EndToEndTest::settingsFile() const
{
    return m_run.settingsFile();
}

QString EndToEndTest::setting(const QString &name) const
{
    QFile file(settingsFile());
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return ReadSettingsFile(file.readAll()).value(name).toString();
}

void EndToEndTest::startProgram()
{
    QVERIFY(m_run.start(m_display, QProcess::ForwardedChannels));
}

bool EndToEndTest::waitForEnd(int milliseconds)
{
    // No question on the way: "Uscita" is "0".
    QElapsedTimer clock;
    clock.start();
    while (m_run.process()->state() != QProcess::NotRunning && clock.elapsed() < milliseconds) {
        if (m_display.windowShown(ProgramTitle)) {
            qWarning("a message box showed on the way out");
            return false;
        }
        m_run.process()->waitForFinished(50);
    }
    return m_run.process()->state() == QProcess::NotRunning;
}

QImage EndToEndTest::shot(const QString &label, const QString &window)
{
    const QString file
        = QDir(m_artifacts)
              .filePath(
                  QStringLiteral("%1-%2.png").arg(++m_shots, 2, 10, QLatin1Char('0')).arg(label));
    return m_display.grab(window, file);
}

bool EndToEndTest::waitForMainWindow(const std::function<bool(const QImage &)> &check,
                                     int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (check(m_display.grab(m_mainWindow)))
            return true;
        QTest::qWait(100);
    } while (clock.elapsed() < milliseconds);
    return false;
}

void EndToEndTest::findMainWindow()
{
    m_mainWindow = m_display.waitForWindow(MainTitle, 15000);
    QVERIFY2(!m_mainWindow.isEmpty(), "the main window did not show");
    // The folder label, grey and at a known place of the controls' area,
    // tells where the area lies below the toolbar once it is painted.
    std::optional<QPoint> label;
    QVERIFY2(waitForMainWindow(
                 [&](const QImage &window) {
                     label = FindFilledRect(window, FolderLabel.size(), IsMidGrey);
                     return label.has_value();
                 },
                 10000),
             "the folder label was not found in the main window");
    m_area = *label - FolderLabel.topLeft();
}

bool EndToEndTest::showsRetro(const QImage &window) const
{
    const int top = m_area.y() + FrameTop + 2;
    const int bottom = m_area.y() + FrameBottom - 2;
    return LineDownAt(window, m_area.x() + RetroFrameEdge, top, bottom, IsMidGrey)
        && !LineDownAt(window, m_area.x() + FrontFrameEdge, top, bottom, IsMidGrey);
}

bool EndToEndTest::showsFront(const QImage &window) const
{
    const int top = m_area.y() + FrameTop + 2;
    const int bottom = m_area.y() + FrameBottom - 2;
    return LineDownAt(window, m_area.x() + FrontFrameEdge, top, bottom, IsMidGrey)
        && !LineDownAt(window, m_area.x() + RetroFrameEdge, top, bottom, IsMidGrey);
}

bool EndToEndTest::showsRedPicture(const QImage &window) const
{
    // Most of the preview: the hint lies over its middle.
    return ShareMatching(window, PreviewA.translated(m_area), IsRed) > 0.8;
}

void EndToEndTest::firstStartShowsTheAboutWindow()
{
    QVERIFY(!QFile::exists(settingsFile()));
    startProgram();
    const QString about = m_display.waitForWindow(AboutTitle, 15000);
    QVERIFY2(!about.isEmpty(), "no about window at the first start");
    shot(QStringLiteral("about"));
    // Shown while the main window loads, before it shows.
    QVERIFY(!m_display.windowShown(MainTitle));
    // The first start has written the defaults.
    QCOMPARE(setting(QStringLiteral("About")), QStringLiteral("1"));
    QCOMPARE(setting(QStringLiteral("Stampante")), QStringLiteral("0"));
    QCOMPARE(setting(QStringLiteral("Uscita")), QStringLiteral("0"));
    QCOMPARE(setting(QStringLiteral("TipoCoverA")), QStringLiteral("0"));

    QVERIFY(m_display.pressKeys(about, { QStringLiteral("alt+o") }));
    QVERIFY2(m_display.waitForNoWindow(AboutTitle, 5000), "OK did not close the about window");
}

void EndToEndTest::mainWindowOpensWithTheDefaults()
{
    findMainWindow();
    if (QTest::currentTestFailed())
        return;
    const QImage window = shot(QStringLiteral("main-window"), m_mainWindow);
    QVERIFY2(showsFront(window), "slot A's preview is not shaped for \"Fronte\\CD\"");
    QCOMPARE(QFileInfo(setting(QStringLiteral("Percorso"))).canonicalFilePath(),
             QFileInfo(m_artifacts).path());
}

void EndToEndTest::retroChosenInTheListByHand()
{
    QVERIFY(m_display.focus(m_mainWindow));
    const QStringList before = m_display.allVisibleWindows();
    QVERIFY(m_display.click(m_mainWindow, m_area + TypologyListA));
    // The open list is a window of its own, without a name.
    const QString list = m_display.waitForNewWindow(before, 5000);
    QVERIFY2(!list.isEmpty(), "List1 did not open");
    shot(QStringLiteral("typology-list"));
    // From "Fronte\CD" one down is "Retro".
    QVERIFY(m_display.pressKeys(QString(), { QStringLiteral("Down"), QStringLiteral("Return") }));
    QVERIFY2(m_display.waitForWindowGone(list, 5000), "List1 did not close");
    QVERIFY2(waitForMainWindow([this](const QImage &window) { return showsRetro(window); }, 5000),
             "slot A's preview did not take the shape of \"Retro\"");
    shot(QStringLiteral("retro"), m_mainWindow);
}

void EndToEndTest::widthTypedIsStoredAtOnce()
{
    QVERIFY(m_display.focus(m_mainWindow));
    QVERIFY(m_display.click(m_mainWindow, m_area + WidthFieldA));
    QVERIFY(m_display.pressKeys(m_mainWindow, { QStringLiteral("ctrl+a") }));
    QVERIFY(m_display.typeText(m_mainWindow, QStringLiteral("13.5")));
    // Every key press stores the field under "Retro"'s width.
    QTRY_COMPARE_WITH_TIMEOUT(setting(QStringLiteral("11A")), QStringLiteral("13.5"), 5000);
    shot(QStringLiteral("width"), m_mainWindow);
}

void EndToEndTest::choosePicture(bool navigateToFolder)
{
    chooseInPictureDialog(m_area + PreviewPointA, PictureName, navigateToFolder);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(
        waitForMainWindow([this](const QImage &window) { return showsRedPicture(window); }, 5000),
        "the picture did not show in slot A");
}

void EndToEndTest::chooseInPictureDialog(QPoint clickAt, const QString &file, bool navigateToFolder)
{
    QVERIFY(m_display.focus(m_mainWindow));
    QVERIFY(m_display.click(m_mainWindow, clickAt));
    // The title is Italian: the language is Italian.
    const QString dialog = m_display.waitForWindow(PictureDialogTitle, 10000);
    QVERIFY2(!dialog.isEmpty(), "the picture dialog did not open");
    shot(QStringLiteral("picture-dialog"));

    // A click into the folder list, left and halfway down.
    const QRect frame = m_display.geometry(dialog);
    QVERIFY(!frame.isEmpty());
    QVERIFY(m_display.focus(dialog));
    QVERIFY(m_display.click(dialog, QPoint(frame.width() / 5, frame.height() / 2)));
    if (navigateToFolder) {
        // The list holds the folders from the root down to the remembered
        // one, then its subfolders by name: down to the artefacts' folder
        // and open it.
        const QString remembered = setting(QStringLiteral("Percorso"));
        QCOMPARE(QFileInfo(remembered).canonicalFilePath(), QFileInfo(m_artifacts).path());
        int chain = 1;
        for (QDir dir(remembered); !dir.isRoot() && dir.cdUp();)
            ++chain;
        const QStringList subfolders
            = QDir(remembered)
                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        const qsizetype index = subfolders.indexOf(ArtifactsName);
        QVERIFY(index >= 0);
        QStringList keys { QStringLiteral("Home") };
        for (qsizetype row = 0; row < chain + index; ++row)
            keys.append(QStringLiteral("Down"));
        QVERIFY(m_display.pressKeys(dialog, keys));
        const QImage onTheFolder = m_display.settledGrab(dialog, 5000);
        QVERIFY(!onTheFolder.isNull());
        QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("Return") }));
        // The folder opens: its path and its files show.
        QVERIFY2(m_display.waitForChange(dialog, onTheFolder, 5000),
                 "Enter did not open the artefacts' folder");
    }
    // Folders, picture type, files, then the name field.
    QVERIFY(m_display.pressKeys(
        dialog, { QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab") }));
    QVERIFY(m_display.typeText(dialog, file));
    shot(QStringLiteral("picture-chosen"), dialog);
    QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("Return") }));
    QVERIFY2(m_display.waitForNoWindow(PictureDialogTitle, 5000),
             "Enter did not close the picture dialog");
}

void EndToEndTest::pictureChosenInThePreviewDialog()
{
    choosePicture(true);
    if (QTest::currentTestFailed())
        return;
    const QImage window = shot(QStringLiteral("picture"), m_mainWindow);
    QVERIFY(showsRetro(window));
    if (qEnvironmentVariable("UPDATE_SCREENSHOT") == u"1") {
        const QString sources = qEnvironmentVariable("VELLUMARK_SOURCE_DIR");
        QVERIFY2(!sources.isEmpty(), "VELLUMARK_SOURCE_DIR is not set");
        const QString target = QDir(sources).filePath(QStringLiteral("docs/screenshot-e2e.png"));
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        QVERIFY(window.save(target));
    }
}

void EndToEndTest::printAndMeasure(const QString &label,
                                   const std::function<bool(QRgb)> &coverColour)
{
    const std::optional<QList<int>> before = CupsPdfPrinter::jobIds(false);
    QVERIFY2(before, "lpstat could not list the jobs");
    const QDateTime started = QDateTime::currentDateTime().addSecs(-2);
    QVERIFY(m_display.pressKeys(m_mainWindow, { QStringLiteral("ctrl+p") }));

    // The program's own job: a new one on the PDF queue.
    QList<int> ours;
    QVERIFY2(WaitFor(
                 [&] {
                     const std::optional<QList<int>> now = CupsPdfPrinter::jobIds(false);
                     for (int id : now.value_or(QList<int>()))
                         if (!before->contains(id))
                             ours.append(id);
                     return !ours.isEmpty();
                 },
                 20000),
             "no print job reached the PDF printer");
    // The file stands empty until the job ends.
    QVERIFY2(WaitFor(
                 [&] {
                     const std::optional<QList<int>> open = CupsPdfPrinter::jobIds(true);
                     if (!open)
                         return false;
                     for (int id : ours)
                         if (open->contains(id))
                             return false;
                     return true;
                 },
                 60000),
             "the print job did not end");
    QString pdf;
    QVERIFY2(WaitFor(
                 [&] {
                     pdf = PrintedPage(m_pdfFolder, ours, started);
                     return !pdf.isEmpty();
                 },
                 30000),
             qPrintable(QStringLiteral("no page in ") + m_pdfFolder));
    const QString kept = QDir(m_artifacts).filePath(label + QStringLiteral(".pdf"));
    QVERIFY(QFile::copy(pdf, kept));
    QFile::remove(pdf);

    const QImage page = RasterisePdf(kept, Dpi);
    QVERIFY2(!page.isNull(), "pdftocairo could not read the page");
    page.save(QDir(m_artifacts).filePath(label + QStringLiteral(".png")));
    // Centimetres count from the printable area of the printer's page, as
    // the printer's PPD describes it.
    const std::optional<QPointF> corner = PrintableCornerInPpd(CupsPdfPpd(), QStringLiteral("A4"));
    QVERIFY2(corner, "the A4 paper of the cups-pdf PPD");
    const PagePixels pixels(Dpi, *corner);
    // "Retro" with its standard height 11.8, the width typed, at (2, 2).
    const QRectF expected = pixels.rect(QRectF(2, 2, 13.5, 11.8));
    const QRect found = BoundsOf(page, coverColour);
    QVERIFY2(SameEdges(found, expected), qPrintable(Describe(found, expected)));
}

void EndToEndTest::printsThePageAtTrueSize()
{
    printAndMeasure(QStringLiteral("page-first-run"));
}

void EndToEndTest::exitCommandSavesTheSettings()
{
    QVERIFY(m_display.pressKeys(m_mainWindow, { QStringLiteral("ctrl+q") }));
    QVERIFY2(waitForEnd(10000), "Ctrl+Q did not end the program");
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_run.process()->exitCode(), 0);
    QVERIFY(!m_display.windowShown(MainTitle));
    QCOMPARE(setting(QStringLiteral("TipoCoverA")), QStringLiteral("1"));
    QCOMPARE(setting(QStringLiteral("11A")), QStringLiteral("13.5"));
    QCOMPARE(setting(QStringLiteral("Lingua")), QStringLiteral("Italiano"));
    QCOMPARE(QFileInfo(setting(QStringLiteral("Percorso"))).canonicalFilePath(), m_artifacts);
    shot(QStringLiteral("ended"));
}

void EndToEndTest::secondStartShowsTheLayoutAsLeft()
{
    startProgram();
    // "About" stays "1": the about window shows at every start.
    const QString about = m_display.waitForWindow(AboutTitle, 15000);
    QVERIFY2(!about.isEmpty(), "no about window at the second start");
    shot(QStringLiteral("second-about"));
    QVERIFY(m_display.pressKeys(about, { QStringLiteral("Return") }));
    QVERIFY2(m_display.waitForNoWindow(AboutTitle, 5000), "Return did not close the about window");

    findMainWindow();
    if (QTest::currentTestFailed())
        return;
    const QImage window = shot(QStringLiteral("second-main-window"), m_mainWindow);
    QVERIFY2(showsRetro(window), "slot A's preview is not shaped for \"Retro\"");
    QCOMPARE(setting(QStringLiteral("TipoCoverA")), QStringLiteral("1"));
    QCOMPARE(setting(QStringLiteral("11A")), QStringLiteral("13.5"));
}

void EndToEndTest::secondStartPrintsTheSameMeasures()
{
    // The dialog opens in the folder of the last picture.
    choosePicture(false);
    if (QTest::currentTestFailed())
        return;
    shot(QStringLiteral("second-picture"), m_mainWindow);
    printAndMeasure(QStringLiteral("page-second-run"));
}

void EndToEndTest::filledCoverShowsWhereItIsDragged()
{
    // "Riempi la cover (ritaglia)" from the preview's menu: the second entry.
    QVERIFY(m_display.focus(m_mainWindow));
    const QStringList before = m_display.allVisibleWindows();
    QVERIFY(m_display.clickButton(m_mainWindow, m_area + PreviewPointA, 3));
    QVERIFY2(!m_display.waitForNewWindow(before, 5000).isEmpty(), "no menu on the preview");
    shot(QStringLiteral("fit-menu"), m_mainWindow);
    QVERIFY(m_display.pressKeys(
        QString(), { QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return") }));
    QVERIFY2(WaitFor([this] { return setting(QStringLiteral("AdattaA")) == u"1"; }, 5000),
             "the fill mode was not stored at once");

    // A click without moving still opens the picture dialog (elsewhere than
    // the right click: xdotool waits for the pointer to move).
    chooseInPictureDialog(m_area + PreviewPointA + QPoint(10, 10), HalvesPictureName, false);
    if (QTest::currentTestFailed())
        return;
    // Whether red comes to fill from..to of a strip across the top of the
    // preview, clear of the hint in its middle.
    QRect preview;
    auto shows = [&](double from, double to) {
        return waitForMainWindow(
            [&](const QImage &window) {
                const QRect slotA = QRect(TwipsRect(120, 120, 2880, 2520)).translated(m_area);
                preview = BoundsOf(
                    window, [](QRgb c) { return IsRed(c) || IsBlue(c); }, slotA);
                const QRect strip(preview.left(), preview.top() + 4, preview.width(),
                                  preview.height() / 8);
                const double share = ShareMatching(window, strip, IsRed);
                return preview.width() > 100 && share >= from && share <= to;
            },
            5000);
    };
    // Filled and centred: the middle of the picture, half red, half blue.
    QVERIFY2(shows(0.45, 0.55), "the filled picture does not show its middle");
    shot(QStringLiteral("fill-centred"), m_mainWindow);

    // Two notches of the wheel three quarters across: 156 %, the point
    // under the pointer kept, so red shrinks to 36 %.
    const QPoint threeQuarters(preview.left() + preview.width() * 3 / 4, preview.center().y());
    QVERIFY(m_display.clickButton(m_mainWindow, threeQuarters, 4, 2));
    QVERIFY2(shows(0.31, 0.41), "the wheel did not zoom about the pointer");
    shot(QStringLiteral("fill-zoomed"), m_mainWindow);

    // Dragged left by half the box: only blue is left under the cover.
    QVERIFY(m_display.drag(m_mainWindow, preview.center(),
                           preview.center() - QPoint(preview.width() / 2, 0)));
    QVERIFY2(shows(0, 0.01), "the drag did not move the picture");
    QVERIFY2(!m_display.waitForWindow(PictureDialogTitle, 500).size(),
             "the drag opened the picture dialog");
    shot(QStringLiteral("fill-dragged"), m_mainWindow);
    printAndMeasure(QStringLiteral("page-fill-dragged"), IsBlue);
}

void EndToEndTest::dvdPictureTurnsAtAClickOnNinety()
{
    // The "Cover DVD" tool is the toolbar's one dark blue-grey picture.
    const QImage before = m_display.grab(m_mainWindow);
    const QRect toolBar(0, 0, before.width(), m_area.y());
    const QRect dvdTool = BoundsOf(
        before,
        [](QRgb c) {
            return qAbs(qRed(c) - 60) < 8 && qAbs(qGreen(c) - 60) < 8 && qAbs(qBlue(c) - 80) < 8;
        },
        toolBar);
    QVERIFY2(dvdTool.isValid(), "the \"Cover DVD\" tool was not found in the toolbar");
    QVERIFY(m_display.focus(m_mainWindow));
    QVERIFY(m_display.click(m_mainWindow, dvdTool.center()));
    QVERIFY2(
        waitForMainWindow([this](const QImage &window) { return !showsRedPicture(window); }, 5000),
        "the DVD panel did not cover the slots");

    chooseInPictureDialog(m_area + DvdPicturePoint, DvdPictureName, false);
    if (QTest::currentTestFailed())
        return;
    // The picture fills Image7: its bounds tell where the panel lies.
    QRect picture;
    auto halves = [&](const QImage &window, bool turned) {
        const QRect below(0, m_area.y(), window.width(), window.height() - m_area.y());
        picture = BoundsOf(
            window, [](QRgb c) { return IsRed(c) || IsBlue(c); }, below);
        if (picture.width() < 100 || picture.height() < 100)
            return false;
        const int w = picture.width() / 4;
        const int h = picture.height() / 4;
        const QRect top(picture.left(), picture.top(), picture.width(), h);
        const QRect bottom(picture.left(), picture.bottom() - h, picture.width(), h);
        const QRect left(picture.left(), picture.top(), w, picture.height());
        const QRect right(picture.right() - w, picture.top(), w, picture.height());
        if (turned)
            return ShareMatching(window, left, IsBlue) > 0.8
                && ShareMatching(window, right, IsRed) > 0.8;
        return ShareMatching(window, top, IsRed) > 0.8
            && ShareMatching(window, bottom, IsBlue) > 0.8;
    };
    QVERIFY2(waitForMainWindow([&](const QImage &window) { return halves(window, false); }, 5000),
             "the DVD picture did not show upright");
    shot(QStringLiteral("dvd-picture"), m_mainWindow);

    QVERIFY(m_display.click(m_mainWindow, picture.topLeft() + TurnButtonFromPicture));
    const bool turned
        = waitForMainWindow([&](const QImage &window) { return halves(window, true); }, 10000);
    shot(QStringLiteral("dvd-turned"), m_mainWindow);
    QVERIFY2(turned, "a click on \"90°\" did not turn the DVD picture");
}

void EndToEndTest::closeBoxEndsAndSaves()
{
    QVERIFY(m_display.requestClose(m_mainWindow));
    QVERIFY2(waitForEnd(10000), "the close box did not end the program");
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_run.process()->exitCode(), 0);
    QCOMPARE(setting(QStringLiteral("TipoCoverA")), QStringLiteral("1"));
    QCOMPARE(setting(QStringLiteral("11A")), QStringLiteral("13.5"));
    QCOMPARE(setting(QStringLiteral("Lingua")), QStringLiteral("Italiano"));
    QCOMPARE(QFileInfo(setting(QStringLiteral("Percorso"))).canonicalFilePath(), m_artifacts);
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
