// Settings that cannot be written are said, and nothing is taken for saved:
// on a full disk (a small filesystem of the test's own, filled up), with a
// read-only settings file (the real program run as a user who is not root),
// and with a key that cannot be made at all. The old file stays as it was,
// byte for byte. The expected texts are written out here by hand.
#include "app/mainwindow.h"
#include "app/terminationsignals.h"
#include "childprocess.h"
#include "logic/page/printercalibration.h"
#include "logic/settings/printercorrectionstore.h"
#include "print/calibrationdialog.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace vellumark;
using namespace vellumark::test;

namespace {

const QString Key = QStringLiteral("Software\\Orvandi\\Vellumark\\Settings");

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString statusText(MainWindow *window)
{
    return child<QStatusBar>(window, QStringLiteral("StatusBar1"))->currentMessage();
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// Settings of a user past the first start, in English.
bool seed(const SettingsStore &store, const char *selection)
{
    bool ok = store.CreateSettingsKey(Key).ok();
    for (const auto &[name, value] : { std::pair { "About", "0" },
                                       { "Uscita", "0" },
                                       { "Lingua", "Inglese" },
                                       { "Stampa", selection } })
        ok = ok && store.writeText(Key, QString::fromLatin1(name), QString::fromLatin1(value)).ok();
    return ok;
}

bool catchesSigterm(qint64 pid)
{
    const QByteArray status = bytesOf(QStringLiteral("/proc/%1/status").arg(pid));
    for (const QByteArray &line : status.split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

} // namespace

class SettingsWritesTest : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskIsSaid();
    void keyThatCannotBeCreatedIsSaidOnce();
    void readOnlyFileAsAnotherUser();
    void signalEndsAsTheExitDoes_data();
    void signalEndsAsTheExitDoes();
};

void SettingsWritesTest::fullDiskIsSaid()
{
    if (geteuid() != 0)
        QSKIP("mounting the small filesystem that is filled up needs the superuser");
    // A filesystem of 512 kB of the test's own.
    QTemporaryDir base;
    const QString root = base.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(root));
    QVERIFY(run(QStringLiteral("mount"),
                { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                  QStringLiteral("size=512k,mode=700"), QStringLiteral("tmpfs"), root }));
    const auto unmount = qScopeGuard([&root] { run(QStringLiteral("umount"), { root }); });

    const SettingsStore store(root);
    QVERIFY(seed(store, "C"));
    const QString file = store.filePath(Key);
    // Fill the disk up.
    QFile filler(QDir(root).filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) { }
    filler.close();
    const QByteArray before = bytesOf(file);
    const QString said = QStringLiteral("Settings not saved to %1: the disk is full.").arg(file);

    LoadedWindow loaded = loadWindow(ProgramSettings(store));
    MainWindow *window = loaded.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // A typed measure: said once, not at every key.
    auto *width = child<QLineEdit>(window, QStringLiteral("Text1"));
    width->setFocus();
    QTest::keyClicks(width, QStringLiteral("3"));
    QCOMPARE(statusText(window), said);
    child<QStatusBar>(window, QStringLiteral("StatusBar1"))->clearMessage();
    QTest::keyClicks(width, QStringLiteral("4"));
    QCOMPARE(statusText(window), QString());
    QCOMPARE(bytesOf(file), before);

    // The options dialog stays open and says why.
    QString optionsBox;
    bool optionsStillOpen = false;
    onNextModal([&](QWidget *modal) {
        if (modal->objectName() != u"Form3")
            return false;
        answerNextMessageBox(QMessageBox::Ok, &optionsBox);
        QTest::mouseClick(child<QPushButton>(modal, QStringLiteral("Command1")), Qt::LeftButton);
        optionsStillOpen = modal->isVisible();
        static_cast<QDialog *>(modal)->reject();
        return true;
    });
    child<QAction>(window, QStringLiteral("ID_Opzioni"))->trigger();
    QCOMPARE(optionsBox, said);
    QVERIFY(optionsStillOpen);
    QCOMPARE(bytesOf(file), before);

    // So does the calibration dialog, with the measures still in it.
    const PrinterPage page { QStringLiteral("Office"), QStringLiteral("A4"), QSizeF(210, 297),
                             QMarginsF(5, 5, 5, 5) };
    CalibrationDialog calibration(PrinterCorrections(ProgramSettings(store)), page,
                                  Language::English);
    calibration.show();
    const auto measures = ExpectedMeasures(page);
    const QStringList fields = { QStringLiteral("RulerX"), QStringLiteral("RulerY"),
                                 QStringLiteral("CrossX"), QStringLiteral("CrossY") };
    for (int i = 0; i < fields.size(); ++i)
        child<QLineEdit>(&calibration, fields.at(i))
            ->setText(QString::number(measures.at(std::size_t(i)) + 1));
    QString calibrationBox;
    answerNextMessageBox(QMessageBox::Ok, &calibrationBox);
    QTest::mouseClick(child<QPushButton>(&calibration, QStringLiteral("OkButton")), Qt::LeftButton);
    QCOMPARE(calibrationBox, said);
    QVERIFY(calibration.isVisible());
    QVERIFY(!child<QLineEdit>(&calibration, QStringLiteral("RulerX"))->text().isEmpty());
    calibration.reject();
    QCOMPARE(bytesOf(file), before);

    // The exit tells that the window's settings were not saved, and where.
    child<QRadioButton>(window, QStringLiteral("Option3"))->setChecked(true);
    QString exitBox;
    answerNextMessageBox(QMessageBox::Ok, &exitBox);
    window->close();
    QCOMPARE(exitBox,
             QStringLiteral("The window's settings could not be saved to %1: the disk is full.")
                 .arg(file));
    QCOMPARE(*loaded.endCount, 1);
    QCOMPARE(bytesOf(file), before);
}

void SettingsWritesTest::keyThatCannotBeCreatedIsSaidOnce()
{
    // The settings' folder cannot be made: a file stands where it would go.
    QTemporaryDir base;
    const QString root = base.filePath(QStringLiteral("config"));
    {
        QFile inTheWay(root);
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
    }
    const SettingsStore store(root);
    const QString file = store.filePath(Key);
    LoadedWindow loaded;
    {
        const ModalDialogCloser closer; // the about window of a first start
        loaded = loadWindow(ProgramSettings(store));
    }
    MainWindow *window = loaded.window.get();
    QCOMPARE(statusText(window),
             QStringLiteral("Impossibile creare le impostazioni %1 (la sua cartella non è "
                            "scrivibile): le modifiche non saranno conservate.")
                 .arg(file));
    // A typed measure does not say it again.
    child<QStatusBar>(window, QStringLiteral("StatusBar1"))->clearMessage();
    QTest::keyClicks(child<QLineEdit>(window, QStringLiteral("Text1")), QStringLiteral("3"));
    QCOMPARE(statusText(window), QString());
    // A first start that cannot store "Uscita" asks the question, then tells.
    QString exitBox;
    onNextModal([&exitBox](QWidget *modal) {
        auto *question = qobject_cast<QMessageBox *>(modal);
        if (!question)
            return false;
        answerNextMessageBox(QMessageBox::Ok, &exitBox);
        question->done(QMessageBox::Yes);
        return true;
    });
    window->close();
    QCOMPARE(exitBox,
             QStringLiteral("Non è stato possibile salvare le impostazioni della finestra in %1: "
                            "il file delle impostazioni non esiste.")
                 .arg(file));
    QVERIFY(!QFile::exists(file));
}

void SettingsWritesTest::readOnlyFileAsAnotherUser()
{
    const QString program
        = qEnvironmentVariable("VELLUMARK_BINARY_DIR") + QStringLiteral("/vellumark");
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
    // Folders the other user owns, below one that lets it through.
    QTemporaryDir base;
    QVERIFY(QFile::setPermissions(base.path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                      | QFileDevice::ExeOwner | QFileDevice::ExeOther));
    const QString config = base.filePath(QStringLiteral("config"));
    const QString runtime = base.filePath(QStringLiteral("runtime"));
    const SettingsStore store(config);
    QVERIFY(seed(store, "A"));
    QVERIFY(QDir().mkpath(runtime));
    const QString file = store.filePath(Key);
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
    QVERIFY(QFile::setPermissions(
        runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QByteArray before = bytesOf(file);

    QStringList command { program };
    if (geteuid() == 0) {
        // The superuser writes anywhere: run as nobody, who owns the folders.
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        QVERIFY2(!setpriv.isEmpty(), "setpriv (util-linux)");
        QVERIFY(run(QStringLiteral("chown"),
                    { QStringLiteral("-R"), QStringLiteral("65534:65534"), config, runtime }));
        command = QStringList { setpriv, QStringLiteral("--reuid=65534"),
                                QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                                QStringLiteral("--") }
            + command;
    }
    QProcess process;
    EndWithThisProcess(process);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("TMPDIR"), runtime);
    environment.insert(QStringLiteral("HOME"), runtime);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(command.first(), command.mid(1));
    QVERIFY(process.waitForStarted());
    // Its window is up once it catches SIGTERM (the kernel's list of the
    // signals a process catches).
    QTRY_VERIFY_WITH_TIMEOUT(catchesSigterm(process.processId()), 20000);
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QString told = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(
        told.contains(QStringLiteral("The window's settings could not be saved to %1: the file is "
                                     "read-only.")
                          .arg(file)),
        qPrintable(told));
    QCOMPARE(bytesOf(file), before);
}

void SettingsWritesTest::signalEndsAsTheExitDoes_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void SettingsWritesTest::signalEndsAsTheExitDoes()
{
    QFETCH(int, signal);
    TemporarySettings temp;
    // The question would be asked at a close by the user; a signal skips it.
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Uscita"), QStringLiteral("1") },
                { QStringLiteral("Stampa"), QStringLiteral("C") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const TerminationSignals endSignals;
    QVERIFY(endSignals.installed());
    QObject::connect(&endSignals, &TerminationSignals::received, window, &MainWindow::endOnSignal);
    QTest::mouseClick(child<QRadioButton>(window, QStringLiteral("Option3")), Qt::LeftButton);
    const ModalDialogCloser closer; // no question may be shown
    QVERIFY(::kill(::getpid(), signal) == 0);
    QTRY_COMPARE(*loaded.endCount, 1);
    QCOMPARE(temp.settings().text(QStringLiteral("Stampa"), QString()), QStringLiteral("A"));
    QCOMPARE(closer.closed(), QStringList());
}

QTEST_MAIN(SettingsWritesTest)
#include "tst_settingswrites.moc"
