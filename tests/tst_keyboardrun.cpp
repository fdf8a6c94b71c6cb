// The real program on a virtual X display, driven by keys alone (xdotool):
// the DVD panel is reached, its picture chosen, turned and put on a PDF page;
// then Tab enters the print selection at its checked button, an arrow key
// changes it, and `kill -TERM` ends the program with the change saved.
#include "childprocess.h"
#include "logic/settings/programsettings.h"
#include "logic/settings/settingsfileformat.h"
#include "pagescan.h"
#include "programondisplay.h"
#include "requiredtools.h"
#include "virtualdisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace vellumark;
using namespace vellumark::test;

namespace {

const QString MainTitle = QStringLiteral("^Vellumark [0-9.]+$");

QString settingsValue(const QString &config, const QString &name)
{
    QFile file(QDir(config).filePath(QStringLiteral("Orvandi/Vellumark/Settings.ini")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return ReadSettingsFile(file.readAll()).value(name).toString();
}

} // namespace

class KeyboardRunTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dvdPanelTurnedAndPrintedByKeys();
    void printSelectionByKeysKeptAtSigterm();
    void cleanup();

private:
    void startProgram(const QList<std::pair<QString, QString>> &settings);
    // Presses the keys on the main window, one after the other.
    void keys(const QStringList &keys);

    VirtualDisplay m_display;
    ProgramOnDisplay m_run;
    QTemporaryDir m_files;
    QString m_window;
};

void KeyboardRunTest::initTestCase()
{
    VELLUMARK_REQUIRE_TOOLS(VirtualDisplay::missingTools({ QStringLiteral("pdftocairo") }));
    QString failure;
    QVERIFY2(m_run.findProgram(&failure), qPrintable(failure));
    QVERIFY2(m_display.start(), "Xvfb did not report its display");
    // Red above, blue below: a quarter turn clockwise puts red on the right.
    QImage dvd(64, 48, QImage::Format_RGB32);
    dvd.fill(Qt::blue);
    for (int y = 0; y < dvd.height() / 2; ++y)
        for (int x = 0; x < dvd.width(); ++x)
            dvd.setPixel(x, y, qRgb(255, 0, 0));
    QVERIFY(dvd.save(m_files.filePath(QStringLiteral("dvd.png"))));
}

void KeyboardRunTest::startProgram(const QList<std::pair<QString, QString>> &settings)
{
    QVERIFY(m_run.makeFolders());
    const ProgramSettings store { SettingsStore(m_run.configFolder()) };
    QVERIFY(store.createKey().ok());
    for (const auto &[name, value] : settings)
        QVERIFY(store.setText(name, value).ok());

    QVERIFY(m_run.start(m_display, QProcess::ForwardedChannels));
    m_window = m_display.waitForWindow(MainTitle, 15000);
    QVERIFY2(!m_window.isEmpty(), "the main window did not show");
}

void KeyboardRunTest::keys(const QStringList &keys)
{
    QVERIFY(m_display.pressKeys(m_window, keys));
}

void KeyboardRunTest::cleanup()
{
    m_run.kill();
}

void KeyboardRunTest::dvdPanelTurnedAndPrintedByKeys()
{
    const QString pdf = m_files.filePath(QStringLiteral("turned.pdf"));
    startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("Uscita"), QStringLiteral("0") },
                   { QStringLiteral("Lingua"), QStringLiteral("Inglese") },
                   { QStringLiteral("ApriFile"), QStringLiteral("0") },
                   { QStringLiteral("Percorso"), m_files.path() } });
    // Ctrl+D shows the DVD panel with its picture at hand; Space opens it.
    keys({ QStringLiteral("ctrl+d") });
    QStringList before = m_display.allVisibleWindows();
    keys({ QStringLiteral("space") });
    QString dialog = m_display.waitForNewWindow(before, 10000);
    QVERIFY2(!dialog.isEmpty(), "no picture dialog");
    QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("ctrl+a") }));
    QVERIFY(m_display.typeText(dialog, m_files.filePath(QStringLiteral("dvd.png"))));
    QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("Return") }));
    QVERIFY2(m_display.waitForWindowGone(dialog, 10000), "the picture dialog stayed");
    // Tab: the format (at the checked one), Tab: "90°", Space turns.
    keys({ QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("space") });
    // The page, to a PDF file.
    before = m_display.allVisibleWindows();
    keys({ QStringLiteral("ctrl+shift+e") });
    dialog = m_display.waitForNewWindow(before, 10000);
    QVERIFY2(!dialog.isEmpty(), "no PDF dialog");
    QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("ctrl+a") }));
    QVERIFY(m_display.typeText(dialog, pdf));
    QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("Return") }));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(pdf) && QFileInfo(pdf).size() > 0, 20000);
    QVERIFY(m_display.waitForWindowGone(dialog, 10000));

    // Turned: red stands right of blue on the page.
    QImage page;
    QTRY_VERIFY_WITH_TIMEOUT(!(page = RasterisePdf(pdf, 30)).isNull(), 10000);
    const QRect red = BoundsOf(page, IsRed);
    const QRect blue = BoundsOf(page, IsBlue);
    QVERIFY(!red.isEmpty() && !blue.isEmpty());
    QVERIFY2(red.center().x() > blue.right() && qAbs(red.center().y() - blue.center().y()) < 5,
             qPrintable(QStringLiteral("red %1,%2 blue %3,%4")
                            .arg(red.center().x())
                            .arg(red.center().y())
                            .arg(blue.center().x())
                            .arg(blue.center().y())));
    keys({ QStringLiteral("ctrl+q") });
    QVERIFY(m_run.process()->waitForFinished(10000));
}

void KeyboardRunTest::printSelectionByKeysKeptAtSigterm()
{
    startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("Uscita"), QStringLiteral("1") },
                   { QStringLiteral("Lingua"), QStringLiteral("Inglese") },
                   { QStringLiteral("Stampa"), QStringLiteral("B") } });
    // From slot A's list, Tab passes slot A's and slot B's seven controls
    // each (list, picture, four fields, border) and enters the print
    // selection at "B"; the arrow to the left is "A+B".
    QStringList tabs(14, QStringLiteral("Tab"));
    keys(tabs + QStringList { QStringLiteral("Left") });
    // The options dialog, opened after them, shows once those keys are
    // handled; the signal then comes while it is open.
    const QStringList before = m_display.allVisibleWindows();
    keys({ QStringLiteral("ctrl+comma") });
    QVERIFY2(!m_display.waitForNewWindow(before, 10000).isEmpty(), "no options dialog");
    QCOMPARE(settingsValue(m_run.configFolder(), QStringLiteral("Stampa")), QStringLiteral("B"));
    ::kill(pid_t(m_run.process()->processId()), SIGTERM);
    QVERIFY(m_run.process()->waitForFinished(10000));
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
    QCOMPARE(settingsValue(m_run.configFolder(), QStringLiteral("Stampa")), QStringLiteral("C"));
}

QTEST_GUILESS_MAIN(KeyboardRunTest)
#include "tst_keyboardrun.moc"
