#pragma once

#include <QObject>

class QSocketNotifier;

namespace vellumark {

// Turns SIGTERM, SIGHUP and SIGINT (a desktop logging out, `kill`, Ctrl+C in
// the terminal) into a Qt signal delivered on the event loop, so that the
// program can end as the user's own exit does. A signal handler may do
// almost nothing: it writes the signal's number into a pipe, whose other end
// the event loop watches. Where there are no such signals (Windows) it
// installs nothing.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // Whether the handlers are in place.
    bool installed() const { return m_notifier != nullptr; }

    // "SIGTERM", "SIGHUP", "SIGINT".
    static QString nameOf(int signal);

signals:
    void received(int signal);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace vellumark
