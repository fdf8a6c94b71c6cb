#pragma once

// A real CUPS server with the cups-pdf printer as the default one: pages
// printed by the program come back as PDF files.

#include "childprocess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointF>
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

// The PPD the PDF queue is made from, as the printer driver installs it;
// empty when it is not there.
inline QString CupsPdfPpd()
{
    for (const char *folder : { "/usr/share/ppd/cups-pdf", "/usr/share/cups/model/cups-pdf" }) {
        const QString ppd = QString::fromLatin1(folder) + QStringLiteral("/CUPS-PDF_opt.ppd");
        if (QFileInfo::exists(ppd))
            return ppd;
    }
    return {};
}

// The top-left corner of a paper's imageable area as a PPD describes it,
// in centimetres from the paper's top-left corner; none when the PPD does
// not describe that paper.
inline std::optional<QPointF> PrintableCornerInPpd(const QString &ppd, const QString &paper)
{
    QFile file(ppd);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QString text = QString::fromLatin1(file.readAll());
    const QString number = QStringLiteral("([0-9.]+)");
    auto figures = [&](const QString &keyword, int count) {
        QString pattern = QStringLiteral("^\\*%1 %2(/[^:]*)?:\\s*\"")
                              .arg(keyword, QRegularExpression::escape(paper));
        for (int i = 0; i < count; ++i)
            pattern += (i ? QStringLiteral("\\s+") : QString()) + number;
        const QRegularExpressionMatch match
            = QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text);
        QList<double> values;
        for (int i = 0; match.hasMatch() && i < count; ++i)
            values.append(match.captured(i + 2).toDouble());
        return values;
    };
    const QList<double> size = figures(QStringLiteral("PaperDimension"), 2);
    const QList<double> area = figures(QStringLiteral("ImageableArea"), 4);
    if (size.size() != 2 || area.size() != 4)
        return std::nullopt;
    // PostScript points, counted from the paper's lower left corner.
    constexpr double cmPerPoint = 2.54 / 72;
    return QPointF(area[0] * cmPerPoint, (size[1] - area[3]) * cmPerPoint);
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

    // Adds a further cups-pdf queue described by the given PPD file; the
    // reason when it fails, else empty.
    static QString addQueue(const QString &name, const QString &ppd)
    {
        if (RunTool(CupsTool(QStringLiteral("lpadmin")),
                    { QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                      QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), ppd })
                .isNull())
            return QStringLiteral("the queue %1 could not be added").arg(name);
        return QString();
    }

    static void removeQueue(const QString &name)
    {
        RunTool(CupsTool(QStringLiteral("lpadmin")), { QStringLiteral("-x"), name });
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
