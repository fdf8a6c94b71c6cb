#include "app/terminationsignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vellumark {

#ifdef Q_OS_UNIX
namespace {

constexpr int HandledSignals[] = { SIGTERM, SIGHUP, SIGINT };

// The pipe's ends. A signal handler can reach nothing but such a global;
// it is set once, while the one TerminationSignals object lives.
int pipeEnds[2] = { -1, -1 };

extern "C" void writeSignalToPipe(int signal)
{
    const int saved = errno;
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = saved;
}

} // namespace
#endif

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (pipeEnds[0] >= 0 || ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = writeSignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : HandledSignals) {
        struct sigaction previous = {};
        ::sigaction(signal, &action, &previous);
        // A signal the program was started to ignore (nohup) stays ignored.
        if (previous.sa_handler == SIG_IGN)
            ::sigaction(signal, &previous, nullptr);
    }
#endif
}

TerminationSignals::~TerminationSignals()
{
#ifdef Q_OS_UNIX
    if (!m_notifier)
        return;
    for (const int signal : HandledSignals)
        ::signal(signal, SIG_DFL);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
#endif
}

QString TerminationSignals::nameOf(int signal)
{
#ifdef Q_OS_UNIX
    switch (signal) {
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    case SIGINT:
        return QStringLiteral("SIGINT");
    default:
        break;
    }
#endif
    return QStringLiteral("signal %1").arg(signal);
}

void TerminationSignals::readSignal()
{
#ifdef Q_OS_UNIX
    char number = 0;
    while (::read(pipeEnds[0], &number, 1) == 1)
        emit received(int(number));
#endif
}

} // namespace vellumark
