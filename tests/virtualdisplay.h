#pragma once

// A virtual X display of a test's own (Xvfb), on which the real program is
// driven with real input through xdotool, as a user would drive it.

#include "childprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLibrary>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <cstring>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define VELLUMARK_HAVE_XCB_HEADERS 1
#endif

namespace vellumark::test {

class VirtualDisplay
{
public:
    VirtualDisplay() = default;
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;
    ~VirtualDisplay() { stop(); }

    // The tools a test on the display needs that are not installed, by name;
    // empty when all are there.
    static QStringList missingTools(const QStringList &more = {})
    {
        QStringList missing;
        for (const QString &name :
             QStringList { QStringLiteral("Xvfb"), QStringLiteral("xdotool") } + more) {
            if (QStandardPaths::findExecutable(name).isEmpty())
                missing.append(name);
        }
#ifndef VELLUMARK_HAVE_XCB_HEADERS
        missing.append(QStringLiteral("xcb headers (libxcb1-dev)"));
#endif
        return missing;
    }

    // Starts the server on a free display; false when it did not come up.
    bool start(int width = 1024, int height = 768)
    {
        // The server picks a free display and writes its number on fd 1.
        // No reset when the last client leaves: the next program may be
        // connecting.
        m_server.setStandardErrorFile(QProcess::nullDevice());
        EndWithThisProcess(m_server);
        m_server.start(
            QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
            { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
              QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(width).arg(height),
              QStringLiteral("-noreset"), QStringLiteral("-nolisten"), QStringLiteral("tcp") });
        if (!m_server.waitForStarted(5000))
            return false;
        QElapsedTimer clock;
        clock.start();
        while (!m_server.canReadLine() && clock.elapsed() < 10000)
            m_server.waitForReadyRead(200);
        const QByteArray number = m_server.readLine().trimmed();
        if (number.isEmpty())
            return false;
        m_name = ':' + number;
        return true;
    }

    void stop()
    {
        if (m_server.state() == QProcess::NotRunning)
            return;
        m_server.terminate();
        if (!m_server.waitForFinished(5000)) {
            m_server.kill();
            m_server.waitForFinished(5000);
        }
    }

    // ":N"
    QByteArray name() const
    {
        return m_name;
    }

    // The system's environment with this display in it.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_name));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return environment;
    }

    // Runs xdotool on the display; its output, trimmed. *ok tells whether it
    // ran to a good end.
    QString xdotool(const QStringList &arguments, bool *ok = nullptr) const
    {
        return runOnDisplay(QStringLiteral("xdotool"), arguments, ok);
    }

    // The first visible window whose name matches, waiting up to the time
    // given; empty when none shows.
    QString waitForWindow(const QString &name, int milliseconds) const
    {
        QElapsedTimer clock;
        clock.start();
        do {
            const QString found = visibleWindows(name).value(0);
            if (!found.isEmpty())
                return found;
            QTest::qWait(100);
        } while (clock.elapsed() < milliseconds);
        return QString();
    }

    // Waits until no visible window's name matches.
    bool waitForNoWindow(const QString &name, int milliseconds) const
    {
        QElapsedTimer clock;
        clock.start();
        while (windowShown(name)) {
            if (clock.elapsed() > milliseconds)
                return false;
            QTest::qWait(100);
        }
        return true;
    }

    // Every visible window, the unnamed ones too (an open pop-up list).
    QStringList allVisibleWindows() const
    {
        return visibleWindows(QString());
    }

    // The first visible window that is not among those given, waiting up to
    // the time given; empty when none shows.
    QString waitForNewWindow(const QStringList &before, int milliseconds) const
    {
        QElapsedTimer clock;
        clock.start();
        do {
            for (const QString &window : allVisibleWindows())
                if (!before.contains(window))
                    return window;
            QTest::qWait(100);
        } while (clock.elapsed() < milliseconds);
        return QString();
    }

    // Waits until the window is no longer visible.
    bool waitForWindowGone(const QString &window, int milliseconds) const
    {
        QElapsedTimer clock;
        clock.start();
        while (allVisibleWindows().contains(window)) {
            if (clock.elapsed() > milliseconds)
                return false;
            QTest::qWait(100);
        }
        return true;
    }

    bool windowShown(const QString &name) const
    {
        return !visibleWindows(name).isEmpty();
    }

    QStringList visibleWindows(const QString &name) const
    {
        return xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--name"), name })
            .split(u'\n', Qt::SkipEmptyParts);
    }

    // A window's place on the screen and its size.
    QRect geometry(const QString &window) const
    {
        const QString shell
            = xdotool({ QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window });
        QRect rect;
        for (const QString &line : shell.split(u'\n')) {
            const QString value = line.section(u'=', 1);
            if (line.startsWith(u"X="))
                rect.moveLeft(value.toInt());
            else if (line.startsWith(u"Y="))
                rect.moveTop(value.toInt());
            else if (line.startsWith(u"WIDTH="))
                rect.setWidth(value.toInt());
            else if (line.startsWith(u"HEIGHT="))
                rect.setHeight(value.toInt());
        }
        return rect;
    }

    // Gives the window the keyboard, then presses the keys one after the
    // other ("Return", "ctrl+a"). With no window, the keys go wherever the
    // keyboard is (an open pop-up list grabs it).
    bool pressKeys(const QString &window, const QStringList &keys) const
    {
        bool ok = window.isEmpty() || focus(window);
        if (ok)
            xdotool(QStringList { QStringLiteral("key"), QStringLiteral("--delay"),
                                  QStringLiteral("40") }
                        + keys,
                    &ok);
        return ok;
    }

    // Gives the window the keyboard, then types the text.
    bool typeText(const QString &window, const QString &text) const
    {
        bool ok = focus(window);
        if (ok)
            xdotool(
                { QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text },
                &ok);
        return ok;
    }

    // A left click at a point of the window.
    bool click(const QString &window, QPoint point) const
    {
        return clickButton(window, point, 1);
    }

    // A click of any button (1 left, 3 right, 4 and 5 the wheel's notches
    // up and down) at a point of the window.
    bool clickButton(const QString &window, QPoint point, int button, int times = 1) const
    {
        bool ok = false;
        xdotool({ QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"),
                  window, QString::number(point.x()), QString::number(point.y()),
                  QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(times),
                  QStringLiteral("--delay"), QStringLiteral("100"), QString::number(button) },
                &ok);
        return ok;
    }

    // The left button pressed at one point of the window, moved in steps
    // to another and released there.
    bool drag(const QString &window, QPoint from, QPoint to, int steps = 8) const
    {
        auto at = [&](QPoint point) {
            return QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                 QStringLiteral("--window"),  window,
                                 QString::number(point.x()),  QString::number(point.y()) };
        };
        bool ok = false;
        xdotool(at(from) + QStringList { QStringLiteral("mousedown"), QStringLiteral("1") }, &ok);
        for (int i = 1; ok && i <= steps; ++i) {
            xdotool(at(from + (to - from) * i / steps)
                        + QStringList { QStringLiteral("sleep"), QStringLiteral("0.05") },
                    &ok);
        }
        // The last step ended at the point: moving there again would wait
        // for a move that never comes.
        if (ok)
            xdotool({ QStringLiteral("mouseup"), QStringLiteral("1") }, &ok);
        return ok;
    }

    bool focus(const QString &window) const
    {
        bool ok = false;
        xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), window }, &ok);
        return ok;
    }

    // A window ("root" for the whole screen) as a picture, also written to
    // the file when one is given.
    QImage grab(const QString &window, const QString &file = QString()) const
    {
        QTemporaryDir scratch;
        const QString path = file.isEmpty() ? scratch.filePath(QStringLiteral("grab.png")) : file;
        bool ok = false;
        runOnDisplay(QStringLiteral("import"), { QStringLiteral("-window"), window, path }, &ok);
        return ok ? QImage(path).convertToFormat(QImage::Format_RGB32) : QImage();
    }

    // The window once it has drawn what it was last sent: two grabs in a
    // row alike, within the time given; a null picture otherwise.
    QImage settledGrab(const QString &window, int milliseconds) const
    {
        QElapsedTimer clock;
        clock.start();
        QImage last = grab(window);
        while (clock.elapsed() < milliseconds) {
            QTest::qWait(100);
            const QImage now = grab(window);
            if (!now.isNull() && now == last)
                return now;
            last = now;
        }
        return QImage();
    }

    // Waits until the window looks other than it did; false when it still
    // looks the same after the time given.
    bool waitForChange(const QString &window, const QImage &before, int milliseconds) const
    {
        return QTest::qWaitFor(
            [&] {
                const QImage now = grab(window);
                return !now.isNull() && now != before;
            },
            milliseconds);
    }

    // The close box: what a window manager sends, WM_DELETE_WINDOW.
    bool requestClose(const QString &window) const
    {
#ifdef VELLUMARK_HAVE_XCB_HEADERS
        QLibrary library(QStringLiteral("xcb"), 1);
        if (!library.load())
            return false;
        const auto connectTo
            = reinterpret_cast<decltype(&xcb_connect)>(library.resolve("xcb_connect"));
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

        xcb_connection_t *connection = connectTo(m_name.constData(), nullptr);
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

private:
    QString runOnDisplay(const QString &program, const QStringList &arguments, bool *ok) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment());
        tool.start(QStandardPaths::findExecutable(program), arguments);
        const bool finished = tool.waitForFinished(10000);
        if (!finished) {
            tool.kill();
            tool.waitForFinished(1000);
        }
        if (ok)
            *ok = finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    QProcess m_server;
    QByteArray m_name;
};

} // namespace vellumark::test
