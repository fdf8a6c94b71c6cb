// The print command through a real CUPS server and its PDF printer: the
// page leaves the program as a real print job and comes back as a file.
#include "cover/picturebox.h"
#include "pagescan.h"
#include "print/printjob.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

using namespace vellumark;
using namespace vellumark::test;

class CupsPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printsStraightToTheDefaultPrinter();

private:
    bool startServer();
    QString m_outputFolder;
    QProcess m_server; // the server this test started, if it had to
};

namespace {

constexpr int kDpi = 300;
const QString kQueue = QStringLiteral("PDF");

// Runs a command to its end within the time given; its standard output,
// or a null string when it could not run or failed.
QString run(const QString &program, const QStringList &arguments, int msecs = 20000)
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
QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(
               name, { QStringLiteral("/usr/sbin"), QStringLiteral("/sbin") })
                           : found;
}

bool serverAnswers()
{
    return run(tool(QStringLiteral("lpstat")), { QStringLiteral("-r") }, 5000)
        .contains(QStringLiteral("is running"));
}

bool waitFor(const std::function<bool()> &done, int msecs)
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
QString cupsPdfOutputFolder()
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

QImage solid(Qt::GlobalColor colour)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

bool CupsPrintTest::startServer()
{
    if (serverAnswers())
        return true;
    const QString cupsd = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), { QStringLiteral("/usr/sbin"), QStringLiteral("/sbin") });
    if (cupsd.isEmpty())
        return false;
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start(cupsd, { QStringLiteral("-f") });
    return m_server.waitForStarted(5000) && waitFor(serverAnswers, 20000);
}

void CupsPrintTest::initTestCase()
{
    for (const char *name : { "cupsd", "lpstat", "lpadmin", "pdftocairo" })
        QVERIFY2(!tool(QString::fromLatin1(name)).isEmpty(), name);
    QVERIFY2(startServer(), "no CUPS server could be started (cups, cupsd)");
    const QString lpadmin = tool(QStringLiteral("lpadmin"));
    QVERIFY2(!run(lpadmin,
                  { QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                    QStringLiteral("cups-pdf:/"), QStringLiteral("-m"),
                    QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd") })
                  .isNull(),
             "the cups-pdf queue could not be added (printer-driver-cups-pdf)");
    QVERIFY(!run(lpadmin, { QStringLiteral("-d"), kQueue }).isNull());
    // Qt sees CUPS printers only through its CUPS print support plugin.
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(kQueue),
             "Qt does not see the CUPS printers (printsupport/libcupsprintersupport.so)");
    QCOMPARE(QPrinterInfo::defaultPrinterName(), kQueue);
    m_outputFolder = cupsPdfOutputFolder();
}

void CupsPrintTest::cleanupTestCase()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(10000)) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
}

void CupsPrintTest::printsStraightToTheDefaultPrinter()
{
    TemporarySettings settings;
    settings.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                    { QStringLiteral("Stampante"), QStringLiteral("0") },
                    { QStringLiteral("Spessore"), QStringLiteral("40") } });
    LoadedWindow loaded = loadWindow(settings.settings());
    MdiForm1 *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    job->setPrintDialog([](QPrinter &, QWidget *) {
        qWarning("no dialog was expected");
        return false;
    });
    const QList<std::pair<const char *, const char *>> fields {
        { "Text1", "12.1" }, { "Text2", "12.1" }, { "Text5", "2" }, { "Text6", "2" },
        { "Text3", "10" },   { "Text4", "5" },    { "Text7", "2" }, { "Text8", "16" }
    };
    for (const auto &[name, text] : fields)
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(true);
    child<QRadioButton>(window, QStringLiteral("Option5"))->setChecked(true);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
    child<PictureBox>(window, QStringLiteral("Image2"))->setPicture(solid(Qt::green));

    // cups-pdf names the file after the job's title (and adds to it).
    const QString title
        = QStringLiteral("vellumark-test-%1").arg(QCoreApplication::applicationPid());
    job->printer().setDocName(title);
    child<QAction>(window, QStringLiteral("ID_Print"))->trigger();
    QCOMPARE(job->printer().printerName(), kQueue);
    QCOMPARE(job->printer().outputFormat(), QPrinter::NativeFormat);

    // The file stands empty until the job ends.
    QVERIFY2(waitFor(
                 [] {
                     return run(tool(QStringLiteral("lpstat")),
                                { QStringLiteral("-W"), QStringLiteral("not-completed"),
                                  QStringLiteral("-o") },
                                5000)
                         .trimmed()
                         .isEmpty();
                 },
                 60000),
             "the print job did not end");
    QString pdf;
    QVERIFY2(waitFor(
                 [&] {
                     const QDir folder(m_outputFolder);
                     for (const QFileInfo &file : folder.entryInfoList({ title + u'*' }))
                         if (file.size() > 0)
                             pdf = file.filePath();
                     return !pdf.isEmpty();
                 },
                 30000),
             qPrintable(QStringLiteral("no page in ") + m_outputFolder));

    const QImage page = RasterisePdf(pdf, kDpi);
    QVERIFY(!page.isNull());
    const PagePixels pixels(job->printer(), kDpi);
    const QRectF a = pixels.rect(QRectF(2, 2, 12.1, 12.1));
    QVERIFY2(SameEdges(BoundsOf(page, IsRed), a), qPrintable(Describe(BoundsOf(page, IsRed), a)));
    const QRectF border = pixels.rect(QRectF(2, 2, 12.1, 12.1), 20, job->printer().resolution());
    const QRect dark = BoundsOf(page, IsDark, pixels.rect(QRectF(0, 0, 20, 15)).toRect());
    QVERIFY2(SameEdges(dark, border), qPrintable(Describe(dark, border)));
    const QRectF b = pixels.rect(QRectF(2, 16, 10, 5));
    QVERIFY2(SameEdges(BoundsOf(page, IsGreen), b),
             qPrintable(Describe(BoundsOf(page, IsGreen), b)));
    QFile::remove(pdf);
}

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
