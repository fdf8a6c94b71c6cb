#include "app/singleinstance.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

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

private:
    QProcess *start(const QStringList &extraEnvironment = {});
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

QProcess *SingleInstanceTest::start(const QStringList &)
{
    auto *process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->start(m_program, {});
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

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
