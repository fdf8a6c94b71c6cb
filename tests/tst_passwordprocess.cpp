// The start-up password prompt in the real program, on a virtual X display:
// the cases where the program must end cannot be watched from inside it.
#include "settings/programsettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <memory>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define HAVE_XCB_HEADERS 1
#endif

using namespace vellumark;

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

private:
    // The program over a settings folder of its own.
    void startProgram(const QList<std::pair<QString, QString>> &settings);
    QString settingsFile() const;

    QString xdotool(const QStringList &arguments, bool *ok = nullptr);
    // The first visible window whose name matches, waiting up to the time given.
    QString waitForWindow(const QString &name, int milliseconds);
    bool windowShown(const QString &name);
    void typeInto(const QString &window, const QString &text);
    void pressKey(const QString &window, const QString &key);
    bool requestClose(const QString &window);
    bool waitForEnd(int milliseconds);

    QString m_xdotool;
    QString m_program;
    QProcess m_server;
    QByteArray m_display;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QProcess> m_process;
};

void PasswordProcessTest::initTestCase()
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (server.isEmpty() || m_xdotool.isEmpty())
        QFAIL("Xvfb and xdotool are needed (scripts/install-deps.sh --test)");
#ifndef HAVE_XCB_HEADERS
    QFAIL("the xcb headers are needed to close windows as a window manager would");
#endif
    const QString binaryDir = qEnvironmentVariable("VELLUMARK_BINARY_DIR");
    QVERIFY2(!binaryDir.isEmpty(), "VELLUMARK_BINARY_DIR is not set");
    m_program = QDir(binaryDir).filePath(QStringLiteral("vellumark"));
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));

    // The server picks a free display and writes its number on fd 1.
    // No reset when the last client leaves: the next program may be connecting.
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(server,
                   { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-noreset"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp") });
    QVERIFY(m_server.waitForStarted(5000));
    QElapsedTimer clock;
    clock.start();
    while (!m_server.canReadLine() && clock.elapsed() < 10000)
        m_server.waitForReadyRead(200);
    const QByteArray number = m_server.readLine().trimmed();
    QVERIFY2(!number.isEmpty(), "Xvfb did not report its display");
    m_display = ':' + number;
}

void PasswordProcessTest::cleanupTestCase()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
    }
}

void PasswordProcessTest::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    m_runtime = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(m_runtime->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void PasswordProcessTest::cleanup()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    m_process.reset();
}

QString PasswordProcessTest::settingsFile() const
{
    return m_config->path() + QStringLiteral("/Orvandi/Vellumark/Settings.ini");
}

void PasswordProcessTest::startProgram(const QList<std::pair<QString, QString>> &settings)
{
    const ProgramSettings store { SettingsStore(m_config->path()) };
    store.createKey();
    for (const auto &[name, value] : settings)
        store.setText(name, value);
    QVERIFY(QFile::exists(settingsFile()));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_display));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config->path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_process = std::make_unique<QProcess>();
    m_process->setProcessEnvironment(environment);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(m_program, {});
    QVERIFY(m_process->waitForStarted(5000));
}

QString PasswordProcessTest::xdotool(const QStringList &arguments, bool *ok)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_display));
    tool.setProcessEnvironment(environment);
    tool.start(m_xdotool, arguments);
    const bool finished = tool.waitForFinished(5000);
    if (!finished)
        tool.kill();
    if (ok)
        *ok = finished && tool.exitCode() == 0;
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

QString PasswordProcessTest::waitForWindow(const QString &name, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    do {
        const QString found = xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), name });
        if (!found.isEmpty())
            return found.section(u'\n', 0, 0);
        QTest::qWait(100);
    } while (clock.elapsed() < milliseconds);
    return QString();
}

bool PasswordProcessTest::windowShown(const QString &name)
{
    return !xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                      QStringLiteral("--name"), name })
                .isEmpty();
}

void PasswordProcessTest::typeInto(const QString &window, const QString &text)
{
    bool ok = false;
    xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), window }, &ok);
    QVERIFY(ok);
    xdotool({ QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text }, &ok);
    QVERIFY(ok);
}

void PasswordProcessTest::pressKey(const QString &window, const QString &key)
{
    bool ok = false;
    xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), window }, &ok);
    QVERIFY(ok);
    xdotool({ QStringLiteral("key"), key }, &ok);
    QVERIFY(ok);
}

// The close box: what a window manager sends, WM_DELETE_WINDOW.
bool PasswordProcessTest::requestClose(const QString &window)
{
#ifdef HAVE_XCB_HEADERS
    QLibrary library(QStringLiteral("xcb"), 1);
    if (!library.load())
        return false;
    const auto connectTo = reinterpret_cast<decltype(&xcb_connect)>(library.resolve("xcb_connect"));
    const auto hasError = reinterpret_cast<decltype(&xcb_connection_has_error)>(
        library.resolve("xcb_connection_has_error"));
    const auto internAtom
        = reinterpret_cast<decltype(&xcb_intern_atom)>(library.resolve("xcb_intern_atom"));
    const auto internAtomReply = reinterpret_cast<decltype(&xcb_intern_atom_reply)>(
        library.resolve("xcb_intern_atom_reply"));
    const auto sendEvent
        = reinterpret_cast<decltype(&xcb_send_event)>(library.resolve("xcb_send_event"));
    const auto disconnect
        = reinterpret_cast<decltype(&xcb_disconnect)>(library.resolve("xcb_disconnect"));
    if (!connectTo || !hasError || !internAtom || !internAtomReply || !sendEvent || !disconnect)
        return false;

    xcb_connection_t *connection = connectTo(m_display.constData(), nullptr);
    if (hasError(connection)) {
        disconnect(connection);
        return false;
    }
    auto atom = [&](const char *name) {
        const xcb_intern_atom_cookie_t cookie
            = internAtom(connection, 0, uint16_t(std::strlen(name)), name);
        xcb_intern_atom_reply_t *reply = internAtomReply(connection, cookie, nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return result;
    };
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window.toUInt();
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    sendEvent(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
              reinterpret_cast<const char *>(&message));
    // A round trip: the server has handled the message before we hang up.
    atom("WM_PROTOCOLS");
    disconnect(connection);
    return true;
#else
    Q_UNUSED(window);
    return false;
#endif
}

bool PasswordProcessTest::waitForEnd(int milliseconds)
{
    return m_process->state() == QProcess::NotRunning || m_process->waitForFinished(milliseconds);
}

void PasswordProcessTest::wrongThenRightOpensWindow()
{
    startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("Uscita"), QStringLiteral("0") },
                   { QStringLiteral("OnPassword"), QStringLiteral("1") },
                   { QStringLiteral("Password"), QStringLiteral("Segreto9") } });
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
    QVERIFY(m_process->state() == QProcess::Running);

    QVERIFY(requestClose(window));
    QVERIFY(waitForEnd(10000));
    QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
}

void PasswordProcessTest::wrongTwiceEndsWithoutMessage()
{
    startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("OnPassword"), QStringLiteral("1") },
                   { QStringLiteral("Password"), QStringLiteral("Segreto9") } });
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
    while (m_process->state() != QProcess::NotRunning && clock.elapsed() < 10000) {
        secondMessage = secondMessage || windowShown(WarningTitle);
        m_process->waitForFinished(50);
    }
    QCOMPARE(m_process->state(), QProcess::NotRunning);
    QVERIFY(!secondMessage);
    QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(fileBytes(settingsFile()), before);
}

void PasswordProcessTest::rightEntryThenCloseBoxStarts()
{
    startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("Uscita"), QStringLiteral("0") },
                   { QStringLiteral("OnPassword"), QStringLiteral("1") },
                   { QStringLiteral("Password"), QStringLiteral("Segreto9") } });
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
    startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("OnPassword"), QStringLiteral("1") },
                   { QStringLiteral("Password"), QStringLiteral("Segreto9") } });
    const QByteArray before = fileBytes(settingsFile());
    const QString prompt = waitForWindow(PromptTitle, 15000);
    QVERIFY2(!prompt.isEmpty(), "no password prompt");
    QVERIFY(requestClose(prompt));
    QVERIFY(waitForEnd(5000));
    QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
    QVERIFY(!windowShown(MainTitle));
    QCOMPARE(fileBytes(settingsFile()), before);
}

void PasswordProcessTest::emptyPasswordAsksNothing()
{
    startProgram({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("Uscita"), QStringLiteral("0") },
                   { QStringLiteral("OnPassword"), QStringLiteral("1") },
                   { QStringLiteral("Password"), QString() } });
    const QString window = waitForWindow(MainTitle, 15000);
    QVERIFY2(!window.isEmpty(), "the main window did not open");
    QVERIFY(!windowShown(PromptTitle));
    QVERIFY(requestClose(window));
    QVERIFY(waitForEnd(10000));
}

QTEST_GUILESS_MAIN(PasswordProcessTest)
#include "tst_passwordprocess.moc"
