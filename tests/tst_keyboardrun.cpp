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
#include "testpictures.h"
#include "virtualdisplay.h"

#include <QDebug>
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

QString settingsValue(const QString &file, const QString &name)
{
    QFile settings(file);
    return settings.open(QIODevice::ReadOnly)
        ? ReadSettingsFile(settings.readAll()).value(name).toString()
        : QString();
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
    // Red left, blue right: a quarter turn clockwise puts red above.
    QVERIFY(writeBytes(m_files.filePath(QStringLiteral("dvd.png")),
                       encoded(twoColourPicture(QSize(64, 48)), "png")));
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
    // Ctrl+D shows the DVD panel with its picture at hand, Space opens it;
    // then Tab: the format (at the checked one), Tab: "90°", Space turns,
    // and the page goes to a PDF file. Each file is typed in its dialog.
    const std::pair<QStringList, QString> steps[] = {
        { { QStringLiteral("ctrl+d"), QStringLiteral("space") },
          m_files.filePath(QStringLiteral("dvd.png")) },
        { { QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("space"),
            QStringLiteral("ctrl+shift+e") },
          pdf },
    };
    for (const auto &[toDialog, path] : steps) {
        const QStringList before = m_display.allVisibleWindows();
        keys(toDialog);
        const QString dialog = m_display.waitForNewWindow(before, 10000);
        QVERIFY2(!dialog.isEmpty(), qPrintable(QStringLiteral("no dialog for ") + path));
        QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("ctrl+a") }));
        QVERIFY(m_display.typeText(dialog, path));
        QVERIFY(m_display.pressKeys(dialog, { QStringLiteral("Return") }));
        QVERIFY2(m_display.waitForWindowGone(dialog, 10000), qPrintable(path));
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0, 20000);

    // Turned: red stands above blue on the page.
    QImage page;
    QTRY_VERIFY_WITH_TIMEOUT(!(page = RasterisePdf(pdf, 30)).isNull(), 10000);
    const QRect red = BoundsOf(page, IsRed);
    const QRect blue = BoundsOf(page, IsBlue);
    QVERIFY(!red.isEmpty() && !blue.isEmpty());
    QString where;
    QDebug(&where) << "red" << red << "blue" << blue;
    QVERIFY2(red.center().y() < blue.top() && qAbs(red.center().x() - blue.center().x()) < 5,
             qPrintable(where));
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
    keys(QStringList(14, QStringLiteral("Tab")) << QStringLiteral("Left"));
    // The options dialog, opened after them, shows once those keys are
    // handled; the signal then comes while it is open.
    const QStringList before = m_display.allVisibleWindows();
    keys({ QStringLiteral("ctrl+comma") });
    QVERIFY2(!m_display.waitForNewWindow(before, 10000).isEmpty(), "no options dialog");
    QCOMPARE(settingsValue(m_run.settingsFile(), QStringLiteral("Stampa")), QStringLiteral("B"));
    ::kill(pid_t(m_run.process()->processId()), SIGTERM);
    QVERIFY(m_run.process()->waitForFinished(10000));
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
    QCOMPARE(settingsValue(m_run.settingsFile(), QStringLiteral("Stampa")), QStringLiteral("C"));
}

QTEST_GUILESS_MAIN(KeyboardRunTest)
#include "tst_keyboardrun.moc"
