#pragma once

// A real CUPS server with the cups-pdf printer as the default one: pages
// printed by the program come back as PDF files.

#include "childprocess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <functional>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace vellumark::test {

// Runs a command to its end within the time given; its standard output
// followed by a blank, or a null string when it could not run or failed.
inline QString RunTool(const QString &program, const QStringList &arguments, int msecs = 20000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(msecs)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()) + QStringLiteral(" ");
}

// A program of CUPS, found also where PATH lacks the system folders.
inline QString CupsTool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(
               name, { QStringLiteral("/usr/sbin"), QStringLiteral("/sbin") })
                           : found;
}

// Polls until done() holds; false when the time ran out first.
inline bool WaitFor(const std::function<bool()> &done, int msecs)
{
    const QDeadlineTimer deadline(msecs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(200);
    }
    return true;
}

// The folder cups-pdf writes the jobs of the current user to: "Out" of its
// configuration, with ${HOME} the user's home.
inline QString CupsPdfOutputFolder()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QRegularExpression setting(QStringLiteral("^\\s*Out\\s+(\\S.*?)\\s*$"));
        while (!conf.atEnd()) {
            const QRegularExpressionMatch match
                = setting.match(QString::fromLocal8Bit(conf.readLine()));
            if (match.hasMatch())
                out = match.captured(1);
        }
    }
    const passwd *user = getpwuid(getuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    return out.replace(QStringLiteral("${HOME}"), home);
}

class CupsPdfPrinter
{
public:
    static QString queue() { return QStringLiteral("PDF"); }

    CupsPdfPrinter() = default;
    CupsPdfPrinter(const CupsPdfPrinter &) = delete;
    CupsPdfPrinter &operator=(const CupsPdfPrinter &) = delete;
    ~CupsPdfPrinter() { stop(); }

    // The CUPS programs that are not installed; empty when all are there.
    static QStringList missingTools()
    {
        QStringList missing;
        for (const char *name : { "cupsd", "lpstat", "lpadmin" }) {
            if (CupsTool(QString::fromLatin1(name)).isEmpty())
                missing.append(QString::fromLatin1(name));
        }
        return missing;
    }

    static bool serverAnswers()
    {
        return RunTool(CupsTool(QStringLiteral("lpstat")), { QStringLiteral("-r") }, 5000)
            .contains(QStringLiteral("is running"));
    }

    // Starts the server unless one answers already, then makes the PDF
    // queue the default printer. The reason when it fails, else empty.
    QString setUp()
    {
        if (!serverAnswers()) {
            m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            EndWithThisProcess(m_server);
            m_server.start(CupsTool(QStringLiteral("cupsd")), { QStringLiteral("-f") });
            if (!m_server.waitForStarted(5000) || !WaitFor(serverAnswers, 20000))
                return QStringLiteral("no CUPS server could be started (cups, cupsd)");
        }
        const QString lpadmin = CupsTool(QStringLiteral("lpadmin"));
        if (RunTool(lpadmin,
                    { QStringLiteral("-p"), queue(), QStringLiteral("-E"), QStringLiteral("-v"),
                      QStringLiteral("cups-pdf:/"), QStringLiteral("-m"),
                      QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd") })
                .isNull())
            return QStringLiteral(
                "the cups-pdf queue could not be added (printer-driver-cups-pdf)");
        if (RunTool(lpadmin, { QStringLiteral("-d"), queue() }).isNull())
            return QStringLiteral("the cups-pdf queue could not be made the default");
        return QString();
    }

    // Stops the server, if this object started it.
    void stop()
    {
        if (m_server.state() == QProcess::NotRunning)
            return;
        m_server.terminate();
        if (!m_server.waitForFinished(10000)) {
            m_server.kill();
            m_server.waitForFinished(5000);
        }
    }

    // Whether every job of the server has ended.
    static bool allJobsDone()
    {
        return RunTool(
                   CupsTool(QStringLiteral("lpstat")),
                   { QStringLiteral("-W"), QStringLiteral("not-completed"), QStringLiteral("-o") },
                   5000)
            .trimmed()
            .isEmpty();
    }

    // The ids of the jobs of the queue that have not ended, or of all its
    // jobs; null when lpstat fails.
    static std::optional<QList<int>> jobIds(bool notCompletedOnly)
    {
        const QString listing
            = RunTool(CupsTool(QStringLiteral("lpstat")),
                      { QStringLiteral("-W"),
                        notCompletedOnly ? QStringLiteral("not-completed") : QStringLiteral("all"),
                        QStringLiteral("-o"), queue() },
                      5000);
        if (listing.isNull())
            return std::nullopt;
        QList<int> ids;
        const QRegularExpression job(QStringLiteral("^%1-(\\d+)\\s").arg(queue()),
                                     QRegularExpression::MultilineOption);
        for (auto it = job.globalMatch(listing); it.hasNext();)
            ids.append(it.next().captured(1).toInt());
        return ids;
    }

private:
    QProcess m_server; // the server this object started, if it had to
};

} // namespace vellumark::test
