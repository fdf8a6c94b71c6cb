#pragma once

// A headless Wayland compositor (weston) of a test's own, with its own
// runtime folder and socket. It is started before the test's application
// object, which then connects to it through Qt's Wayland plugin.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vellumark::test {

class WestonServer
{
public:
    WestonServer() = default;
    WestonServer(const WestonServer &) = delete;
    WestonServer &operator=(const WestonServer &) = delete;
    ~WestonServer() { stop(); }

    // True when the compositor runs and takes clients; otherwise failure()
    // tells why.
    bool start()
    {
        const QByteArray program
            = QFile::encodeName(QStandardPaths::findExecutable(QStringLiteral("weston")));
        if (program.isEmpty()) {
            m_failure = QStringLiteral("weston is not installed");
            return false;
        }
        m_runtime.setAutoRemove(true);
        QFile::setPermissions(m_runtime.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner);
        const QByteArray runtime = QFile::encodeName(m_runtime.path());
        const QByteArray log = QFile::encodeName(m_runtime.filePath(QStringLiteral("weston.log")));
        const QByteArray socket = "--socket=" + socketName();

        m_pid = fork();
        if (m_pid == 0) {
            // Ends with the test, even when the test is killed.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
            unsetenv("WAYLAND_DISPLAY");
            unsetenv("DISPLAY");
            const int out = open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            execl(program.constData(), "weston", "--backend=headless-backend.so",
                  socket.constData(), "--no-config", "--idle-time=0", static_cast<char *>(nullptr));
            _exit(127);
        }
        if (m_pid < 0) {
            m_failure = QStringLiteral("cannot start weston");
            return false;
        }
        // Up once its socket is there; ten seconds is plenty on a busy machine.
        const QString socketPath = m_runtime.filePath(QString::fromLatin1(socketName()));
        for (int tries = 0; tries < 200; ++tries) {
            if (QFile::exists(socketPath))
                return true;
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                QFile written(QString::fromLocal8Bit(log));
                written.open(QIODevice::ReadOnly);
                m_failure = QStringLiteral("weston ended at start: ")
                    + QString::fromLocal8Bit(written.readAll());
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        m_failure = QStringLiteral("weston's socket did not appear");
        return false;
    }

    void stop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

    // Points this process at the compositor: Wayland as Qt's platform, its
    // runtime folder and socket, and no X display to fall back on.
    void becomeClient() const
    {
        qputenv("QT_QPA_PLATFORM", "wayland");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("WAYLAND_DISPLAY", socketName());
        qunsetenv("DISPLAY");
    }

    QByteArray socketName() const { return QByteArrayLiteral("vellumark-test"); }
    QString failure() const { return m_failure; }

private:
    QTemporaryDir m_runtime;
    pid_t m_pid = -1;
    QString m_failure;
};

} // namespace vellumark::test
