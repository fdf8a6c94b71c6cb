// The start-up password prompt in the real program, on a virtual X display:
// the cases where the program must end cannot be watched from inside it.
#include "logic/settings/programsettings.h"
#include "programondisplay.h"
#include "requiredtools.h"
#include "virtualdisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vellumark;
using namespace vellumark::test;

namespace {

const QString PromptTitle = QStringLiteral("^Password$");
const QString WarningTitle = QStringLiteral("^Vellumark$");
const QString MainTitle = QStringLiteral("^Vellumark 1\\.2013\\.4$");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PasswordProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void wrongThenRightOpensWindow();
    void wrongTwiceEndsWithoutMessage();
    void rightEntryThenCloseBoxStarts();
    void closedWithNothingTypedEnds();
    void emptyPasswordAsksNothing();
    void handWrittenPasswordIsAccepted_data();
    void handWrittenPasswordIsAccepted();

private:
    // The program over a settings folder of its own.
    void startProgram(const QList<std::pair<QString, QString>> &settings);
    // Past the first start, with a password asked for at start.
    void startWithPassword(const QString &password = QStringLiteral("Segreto9"))
    {
        startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                       { QStringLiteral("Uscita"), QStringLiteral("0") },
                       { QStringLiteral("OnPassword"), QStringLiteral("1") },
                       { QStringLiteral("Password"), password } });
    }
    QString settingsFile() const;

    // The first visible window whose name matches, waiting up to the time given.
    QString waitForWindow(const QString &name, int milliseconds);
    bool windowShown(const QString &name);
    void typeInto(const QString &window, const QString &text);
    void pressKey(const QString &window, const QString &key);
    bool requestClose(const QString &window);
    bool waitForEnd(int milliseconds);

    VirtualDisplay m_display;
    ProgramOnDisplay m_run;
};

void PasswordProcessTest::initTestCase()
{
    VELLUMARK_REQUIRE_TOOLS(VirtualDisplay::missingTools());
    QString failure;
    QVERIFY2(m_run.findProgram(&failure), qPrintable(failure));
    QVERIFY2(m_display.start(), "Xvfb did not report its display");
}

void PasswordProcessTest::cleanupTestCase()
{
    m_display.stop();
}

void PasswordProcessTest::init()
{
    QVERIFY(m_run.makeFolders());
}

void PasswordProcessTest::cleanup()
{
    m_run.kill();
}

QString PasswordProcessTest::settingsFile() const
{
    return m_run.settingsFile();
}

void PasswordProcessTest::startProgram(const QList<std::pair<QString, QString>> &settings)
{
    const ProgramSettings store { SettingsStore(m_run.configFolder()) };
    store.createKey();
    for (const auto &[name, value] : settings)
        store.setText(name, value);
    QVERIFY(QFile::exists(settingsFile()));

    QVERIFY(m_run.start(m_display, QProcess::ForwardedErrorChannel));
}

QString PasswordProcessTest::waitForWindow(const QString &name, int milliseconds)
{
    return m_display.waitForWindow(name, milliseconds);
}

bool PasswordProcessTest::windowShown(const QString &name)
{
    return m_display.windowShown(name);
}

void PasswordProcessTest::typeInto(const QString &window, const QString &text)
{
    QVERIFY(m_display.typeText(window, text));
}

void PasswordProcessTest::pressKey(const QString &window, const QString &key)
{
    QVERIFY(m_display.pressKeys(window, { key }));
}

// The close box: what a window manager sends, WM_DELETE_WINDOW.
bool PasswordProcessTest::requestClose(const QString &window)
{
    return m_display.requestClose(window);
}

bool PasswordProcessTest::waitForEnd(int milliseconds)
{
    return m_run.process()->state() == QProcess::NotRunning
        || m_run.process()->waitForFinished(milliseconds);
}

void PasswordProcessTest::wrongThenRightOpensWindow()
{
    startWithPassword();
    const QString prompt = waitForWindow(PromptTitle, 15000);
    QVERIFY2(!prompt.isEmpty(), "no password prompt");
    typeInto(prompt, QStringLiteral("segreto9"));
    pressKey(prompt, QStringLiteral("Return"));

    const QString warning = waitForWindow(WarningTitle, 5000);
    QVERIFY2(!warning.isEmpty(), "no warning after a wrong password");
    pressKey(warning, QStringLiteral("Return"));
    QTRY_VERIFY_WITH_TIMEOUT(!windowShown(WarningTitle), 5000);

    // The wrong entry is still there: replace it.
    pressKey(prompt, QStringLiteral("ctrl+a"));
    pressKey(prompt, QStringLiteral("BackSpace"));
    typeInto(prompt, QStringLiteral("Segreto9"));
    pressKey(prompt, QStringLiteral("Return"));

    const QString window = waitForWindow(MainTitle, 10000);
    QVERIFY2(!window.isEmpty(), "the main window did not open");
    QVERIFY(!windowShown(PromptTitle));
    QVERIFY(!windowShown(WarningTitle));
    QVERIFY(m_run.process()->state() == QProcess::Running);

    QVERIFY(requestClose(window));
    QVERIFY(waitForEnd(10000));
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
}

void PasswordProcessTest::wrongTwiceEndsWithoutMessage()
{
    startWithPassword();
    const QByteArray before = fileBytes(settingsFile());
    const QString prompt = waitForWindow(PromptTitle, 15000);
    QVERIFY2(!prompt.isEmpty(), "no password prompt");
    typeInto(prompt, QStringLiteral("Segreto"));
    pressKey(prompt, QStringLiteral("Return"));
    const QString warning = waitForWindow(WarningTitle, 5000);
    QVERIFY2(!warning.isEmpty(), "no warning after a wrong password");
    pressKey(warning, QStringLiteral("Return"));
    QTRY_VERIFY_WITH_TIMEOUT(!windowShown(WarningTitle), 5000);

    typeInto(prompt, QStringLiteral("99")); // "Segreto99"
    pressKey(prompt, QStringLiteral("Return"));
    // Ends at once, and no second message shows on the way.
    QElapsedTimer clock;
    clock.start();
    bool secondMessage = false;
    while (m_run.process()->state() != QProcess::NotRunning && clock.elapsed() < 10000) {
        secondMessage = secondMessage || windowShown(WarningTitle);
        m_run.process()->waitForFinished(50);
    }
    QCOMPARE(m_run.process()->state(), QProcess::NotRunning);
    QVERIFY(!secondMessage);
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
    QCOMPARE(fileBytes(settingsFile()), before);
}

void PasswordProcessTest::rightEntryThenCloseBoxStarts()
{
    startWithPassword();
    const QString prompt = waitForWindow(PromptTitle, 15000);
    QVERIFY2(!prompt.isEmpty(), "no password prompt");
    typeInto(prompt, QStringLiteral("Segreto9"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(requestClose(prompt));
    const QString window = waitForWindow(MainTitle, 10000);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(!window.isEmpty(), "the main window did not open");
    QVERIFY2(elapsed >= 900 && elapsed < 6000, qPrintable(QString::number(elapsed)));
    QVERIFY(!windowShown(WarningTitle));

    QVERIFY(requestClose(window));
    QVERIFY(waitForEnd(10000));
}

void PasswordProcessTest::closedWithNothingTypedEnds()
{
    startWithPassword();
    const QByteArray before = fileBytes(settingsFile());
    const QString prompt = waitForWindow(PromptTitle, 15000);
    QVERIFY2(!prompt.isEmpty(), "no password prompt");
    QVERIFY(requestClose(prompt));
    QVERIFY(waitForEnd(5000));
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
    QVERIFY(!windowShown(MainTitle));
    QCOMPARE(fileBytes(settingsFile()), before);
}

void PasswordProcessTest::emptyPasswordAsksNothing()
{
    startWithPassword(QString());
    const QString window = waitForWindow(MainTitle, 15000);
    QVERIFY2(!window.isEmpty(), "the main window did not open");
    QVERIFY(!windowShown(PromptTitle));
    QVERIFY(requestClose(window));
    QVERIFY(waitForEnd(10000));
}

void PasswordProcessTest::handWrittenPasswordIsAccepted_data()
{
    // Characters that other settings files give a meaning of their own.
    QTest::addColumn<QString>("password");
    QTest::newRow("semicolon and hash") << QStringLiteral("p;w#1");
    QTest::newRow("backslash") << QStringLiteral("a\\b");
}

void PasswordProcessTest::handWrittenPasswordIsAccepted()
{
    QFETCH(QString, password);
    // The program's file, with the password written into it by hand.
    const ProgramSettings store { SettingsStore(m_run.configFolder()) };
    store.createKey();
    store.setText(QStringLiteral("About"), QStringLiteral("0"));
    store.setText(QStringLiteral("Uscita"), QStringLiteral("0"));
    {
        QFile file(settingsFile());
        QVERIFY(file.open(QIODevice::Append));
        file.write("OnPassword=1\nPassword=" + password.toUtf8() + "\n");
    }
    const QByteArray written = fileBytes(settingsFile());
    startProgram({});

    const QString prompt = waitForWindow(PromptTitle, 15000);
    QVERIFY2(!prompt.isEmpty(), "no password prompt");
    typeInto(prompt, password);
    pressKey(prompt, QStringLiteral("Return"));
    const QString window = waitForWindow(MainTitle, 10000);
    QVERIFY2(!window.isEmpty(), "the password was refused");
    QVERIFY(!windowShown(WarningTitle));
    QVERIFY(requestClose(window));
    QVERIFY(waitForEnd(10000));
    QCOMPARE(m_run.process()->exitStatus(), QProcess::NormalExit);
    // The exit kept the lines as they were written.
    QVERIFY(fileBytes(settingsFile()).startsWith(written));
}

QTEST_GUILESS_MAIN(PasswordProcessTest)
#include "tst_passwordprocess.moc"
