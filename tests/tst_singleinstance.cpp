#include "app/singleinstance.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace vellumark;

// Runs the real program in processes of its own, each with the same private
// runtime and settings folders.
class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secondStartIsRefused();
    void staleLockDoesNotBlock();
    void damagedLockIsTakenOver();
    void startsWhenNoLockCanBeTaken_data();
    void startsWhenNoLockCanBeTaken();

private:
    // The program with the runtime folder given (the shared one when empty),
    // run through the wrapper command when one is given.
    QProcess *start(const QString &runtime = {}, const QStringList &wrapper = {});
    // Waits until the lock names the process as its owner: it has started
    // up and taken the lock.
    bool waitForLockOf(QProcess *process, int milliseconds);

    QString m_program;
    QTemporaryDir m_runtime;
    QTemporaryDir m_config;
};

void SingleInstanceTest::initTestCase()
{
    m_program = qEnvironmentVariable("VELLUMARK_BINARY_DIR") + QStringLiteral("/vellumark");
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    QFile::setPermissions(m_runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // No about window at start: the first instance simply runs.
    QDir().mkpath(m_config.filePath(QStringLiteral("Orvandi/Vellumark")));
    QFile settings(m_config.filePath(QStringLiteral("Orvandi/Vellumark/Settings.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[General]\nAbout=0\nUscita=0\n");
}

QProcess *SingleInstanceTest::start(const QString &runtime, const QStringList &wrapper)
{
    auto *process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                       runtime.isEmpty() ? m_runtime.path() : runtime);
    if (!runtime.isEmpty())
        environment.insert(QStringLiteral("TMPDIR"), runtime);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    if (wrapper.isEmpty())
        process->start(m_program, {});
    else
        process->start(wrapper.first(), wrapper.mid(1) << m_program);
    return process;
}

bool SingleInstanceTest::waitForLockOf(QProcess *process, int milliseconds)
{
    const QString lock = m_runtime.filePath(QStringLiteral("vellumark.lock"));
    const QByteArray pid = QByteArray::number(process->processId());
    return QTest::qWaitFor(
        [&] {
            QFile file(lock);
            return file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == pid;
        },
        milliseconds);
}

void SingleInstanceTest::secondStartIsRefused()
{
    QProcess *first = start();
    QVERIFY(first->waitForStarted());
    QVERIFY(waitForLockOf(first, 10000));

    QProcess *second = start();
    QVERIFY(second->waitForStarted());
    // The refusal is shown in a message box and told on the terminal; the
    // second process then waits for its OK.
    QByteArray told;
    QTRY_VERIFY_WITH_TIMEOUT(
        (told += second->readAllStandardError())
            .contains("Una istanza di Vellumark \xc3\xa8 gi\xc3\xa0 in esecuzione."),
        10000);
    second->kill();
    second->waitForFinished();

    // The first instance runs on untouched.
    QCOMPARE(first->state(), QProcess::Running);
    first->terminate();
    QVERIFY(first->waitForFinished(10000));
}

void SingleInstanceTest::staleLockDoesNotBlock()
{
    QFile::remove(m_runtime.filePath(QStringLiteral("vellumark.lock")));
    QProcess *crashed = start();
    QVERIFY(crashed->waitForStarted());
    QVERIFY(waitForLockOf(crashed, 10000));
    ::kill(pid_t(crashed->processId()), SIGKILL);
    QVERIFY(crashed->waitForFinished());
    QVERIFY(QFile::exists(m_runtime.filePath(QStringLiteral("vellumark.lock"))));

    QProcess *next = start();
    QVERIFY(next->waitForStarted());
    // It takes the dead owner's lock over and runs on.
    QVERIFY(waitForLockOf(next, 10000));
    QCOMPARE(next->state(), QProcess::Running);
    QVERIFY(!next->readAllStandardError().contains("esecuzione"));
    next->terminate();
    QVERIFY(next->waitForFinished(10000));
}

void SingleInstanceTest::damagedLockIsTakenOver()
{
    // An empty lock file, as a full disk or a crash while writing leaves it.
    const QString lock = m_runtime.filePath(QStringLiteral("vellumark.lock"));
    QFile::remove(lock);
    QFile damaged(lock);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.close();

    QProcess *next = start();
    QVERIFY(next->waitForStarted());
    // The lock now names the new process.
    const QByteArray pid = QByteArray::number(next->processId());
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QFile file(lock);
            return file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == pid;
        }(),
        10000);
    QCOMPARE(next->state(), QProcess::Running);
    QVERIFY(!next->readAllStandardError().contains("esecuzione"));
    next->terminate();
    QVERIFY(next->waitForFinished(10000));
}

void SingleInstanceTest::startsWhenNoLockCanBeTaken_data()
{
    QTest::addColumn<bool>("folderInTheWay"); // else: the runtime folder is not writable
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("lock path is a folder") << true << QByteArray("is not a file");
    QTest::newRow("runtime folder not writable") << false << QByteArray("is not writable");
}

void SingleInstanceTest::startsWhenNoLockCanBeTaken()
{
    QFETCH(bool, folderInTheWay);
    QFETCH(QByteArray, reason);
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const QString lock = runtime.filePath(QStringLiteral("vellumark.lock"));
    QStringList wrapper;
    if (folderInTheWay) {
        QVERIFY(QFile::setPermissions(runtime.path(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner));
        QVERIFY(QDir().mkdir(lock));
    } else {
        // Neither the runtime folder nor the temporary one (where Qt would
        // turn instead) can take a file.
        QVERIFY(
            QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        // The superuser writes anywhere, unless it gives that power up.
        if (geteuid() == 0) {
            const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            QVERIFY2(!setpriv.isEmpty(), "setpriv (util-linux)");
            wrapper = { setpriv, QStringLiteral("--bounding-set=-dac_override,-dac_read_search") };
        }
    }

    QProcess *process = start(runtime.path(), wrapper);
    QVERIFY(process->waitForStarted());
    // Said on the terminal, and then the program goes on to its window.
    QByteArray told;
    QTRY_VERIFY_WITH_TIMEOUT((told += process->readAllStandardError())
                                 .contains("could not take its single-instance lock"),
                             10000);
    QVERIFY2(told.contains(reason), told.constData());
    QVERIFY2(!told.contains("esecuzione"), told.constData());
    QVERIFY(!process->waitForFinished(1000));
    QCOMPARE(process->state(), QProcess::Running);
    process->terminate();
    QVERIFY(process->waitForFinished(10000));
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
