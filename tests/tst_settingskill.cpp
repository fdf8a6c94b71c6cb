#include "logic/settings/settingsfileformat.h"
#include "logic/settings/settingsstore.h"
#include "logic/settings/verbatimsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace vellumark;

// Kills a process that keeps storing settings at random moments and checks
// that what it leaves behind is always a whole settings file: the program
// may be ended at any time (a power cut, the session closing) while it
// writes its values.

namespace {

const QString Key = QStringLiteral("Software\\Orvandi\\Vellumark\\Settings");
const char WriterArgument[] = "--keep-writing";
constexpr int ValueCount = 20;
constexpr int ValueLength = 200;

QString valueName(int index)
{
    return QStringLiteral("V%1").arg(index, 2, 10, QLatin1Char('0'));
}

// The text of one value in one round: "old" and "new" alternate from round
// to round, and the rest is filled from the name and the round, so that a
// value cut short or mixed from two rounds cannot pass for a whole one.
QString valueText(int index, qint64 round)
{
    QString text = QStringLiteral("%1 %2 round %3 ")
                       .arg(round % 2 ? QStringLiteral("new") : QStringLiteral("old"))
                       .arg(valueName(index))
                       .arg(round);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
    for (qint64 i = 0; text.size() < ValueLength; ++i)
        text += letters.at(int((i * 7 + round * 3 + index) % letters.size()));
    return text;
}

// The round a value was written in, or -1 when it is not a whole value.
qint64 roundOf(int index, const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:old|new) V\\d\\d round (\\d+) "));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return -1;
    const qint64 round = match.captured(1).toLongLong();
    return valueText(index, round) == text ? round : -1;
}

// The writer: stores the values round after round until it is killed,
// telling each value stored.
int keepWriting(const QString &root, qint64 firstRound)
{
    const SettingsStore store(root);
    std::fputs("writing\n", stdout);
    std::fflush(stdout);
    for (qint64 round = firstRound;; ++round) {
        for (int index = 0; index < ValueCount; ++index) {
            store.writeText(Key, valueName(index), valueText(index, round));
            std::fputs("stored\n", stdout);
            std::fflush(stdout);
        }
    }
}

// Waits until the process has printed the given number of lines.
bool waitForLines(QProcess &process, int count, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    int lines = 0;
    while (lines < count) {
        while (lines < count && process.canReadLine()) {
            process.readLine();
            ++lines;
        }
        if (lines < count && !process.waitForReadyRead(timeoutMs - int(clock.elapsed())))
            return false;
    }
    return true;
}

} // namespace

class SettingsKillTest : public QObject
{
    Q_OBJECT

private slots:
    void valuesSurviveKilledWriters();
    void leftoverLocksDoNotStallTheNextWrite_data();
    void leftoverLocksDoNotStallTheNextWrite();
    void heldLockIsWaitedFor();

private:
    QString checkFile(const QString &path, QList<qint64> &rounds);
};

// Checks the settings file after a kill against the rounds seen before it;
// gives what is wrong, or nothing.
QString SettingsKillTest::checkFile(const QString &path, QList<qint64> &rounds)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("the settings file is gone");
    const QByteArray raw = file.readAll();
    const QList<QByteArray> lines = raw.split('\n');
    if (!IsVerbatimSettingsFile(raw))
        return QStringLiteral("the file lost its first line");
    for (const QByteArray &line : lines.mid(1)) {
        if (!line.isEmpty() && line.indexOf('=') <= 0)
            return QStringLiteral("malformed line: ") + QString::fromLatin1(line.left(80));
    }
    const SettingsValues values = ReadSettingsFile(raw);

    QList<qint64> now;
    for (int index = 0; index < ValueCount; ++index) {
        const QString text = values.value(valueName(index)).toString();
        const qint64 round = roundOf(index, text);
        if (round < 0)
            return valueName(index) + QStringLiteral(" is torn: ") + text.left(60);
        // A value is either the one it held before this writer ran or one
        // the writer stored whole: never older.
        if (round < rounds.at(index))
            return valueName(index)
                + QStringLiteral(" went back from round %1 to %2").arg(rounds.at(index)).arg(round);
        // The writer stores the values in order, so a later one is never
        // newer than an earlier one.
        if (index > 0 && round > now.last())
            return valueName(index) + QStringLiteral(" is newer than the one before it");
        now.append(round);
    }
    rounds = now;
    return QString();
}

void SettingsKillTest::valuesSurviveKilledWriters()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const SettingsStore store(root.path());
    store.CreateSettingsKey(Key);
    for (int index = 0; index < ValueCount; ++index)
        store.writeText(Key, valueName(index), valueText(index, 0));
    const QString path = store.filePath(Key);
    const QString folder = QFileInfo(path).path();

    // Hundreds of kills, within a time budget that a slow (sanitized) build
    // on a small machine also keeps.
    const int wantedKills = qEnvironmentVariableIntValue("VELLUMARK_KILLS") > 0
        ? qEnvironmentVariableIntValue("VELLUMARK_KILLS")
        : 300;
    constexpr qint64 budgetMs = 40000;
    constexpr int minimumKills = 100;

    QList<qint64> rounds(ValueCount, 0);
    QRandomGenerator random(20130401);
    QElapsedTimer clock;
    clock.start();
    int kills = 0;
    qint64 slowest = 0;
    int killsAfterWrites = 0;
    int mostLeftovers = 0;
    QStringList leftoverNames;
    while (kills < wantedKills && clock.elapsed() < budgetMs) {
        QProcess writer;
        writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer.start(QCoreApplication::applicationFilePath(),
                     { QString::fromLatin1(WriterArgument), root.path(),
                       QString::number(rounds.first() + 1) });
        QVERIFY2(writer.waitForStarted(10000), qPrintable(writer.errorString()));
        QVERIFY2(waitForLines(writer, 1, 10000), "the writer did not start");
        // Let a few whole writes through, then kill somewhere inside the
        // next one (a write with its flush to disk takes some milliseconds).
        QElapsedTimer writing;
        writing.start();
        QVERIFY2(waitForLines(writer, int(random.bounded(4)), 20000),
                 "the writer stalled: a lock left by a killed writer blocks the next");
        slowest = qMax(slowest, writing.elapsed());
        QThread::usleep(random.bounded(15000));
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        ++kills;

        const qint64 before = rounds.first();
        const QString fault = checkFile(path, rounds);
        QVERIFY2(fault.isEmpty(),
                 qPrintable(QStringLiteral("after kill %1: %2").arg(kills).arg(fault)));
        if (rounds.first() != before)
            ++killsAfterWrites;

        // What else a killed writer leaves in the folder: the lock file of
        // the write it was in, and possibly the temporary file of an
        // unfinished atomic replace.
        QStringList others = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        others.removeOne(QFileInfo(path).fileName());
        others.removeOne(QFileInfo(path).fileName() + QStringLiteral(".lock"));
        mostLeftovers = qMax(mostLeftovers, int(others.size()));
        for (const QString &name : std::as_const(others)) {
            if (!leftoverNames.contains(name))
                leftoverNames.append(name);
        }
    }
    qInfo("%d kills in %lld ms, %d of them after values had been stored; up to round %lld;"
          " longest wait for a writer's first values: %lld ms",
          kills, clock.elapsed(), killsAfterWrites, rounds.first(), slowest);
    qInfo("files left beside the settings file and its lock: at most %d at once, %lld in all%s%s",
          mostLeftovers, qint64(leftoverNames.size()), leftoverNames.isEmpty() ? "" : ": ",
          qPrintable(leftoverNames.mid(0, 5).join(QStringLiteral(", "))));
    QVERIFY2(kills >= qMin(minimumKills, wantedKills),
             qPrintable(QStringLiteral("only %1 kills in the time budget").arg(kills)));
    QVERIFY2(killsAfterWrites > kills / 2, "most kills came before any value was stored");

    // A write after the last kill still lands, and clears the locks the
    // killed writers left. (Their unfinished temporary files stay: see the
    // count above.)
    store.writeText(Key, valueName(0), QStringLiteral("after"));
    QCOMPARE(store.readText(Key, valueName(0), QString()), QStringLiteral("after"));
    const QStringList locks = QDir(folder).entryList(
        { QFileInfo(path).fileName() + QStringLiteral(".lock*") }, QDir::Files | QDir::Hidden);
    QVERIFY2(locks.isEmpty(), qPrintable(locks.join(QStringLiteral(", "))));
}

void SettingsKillTest::leftoverLocksDoNotStallTheNextWrite_data()
{
    // What a writer killed at the wrong moment leaves: a lock file it died
    // before filling in, or the guard of a stale lock's removal.
    QTest::addColumn<QStringList>("leftovers");
    QTest::newRow("empty lock") << QStringList { QStringLiteral(".lock") };
    QTest::newRow("removal guard")
        << QStringList { QStringLiteral(".lock"), QStringLiteral(".lock.rmlock") };
    QTest::newRow("nested removal guards")
        << QStringList { QStringLiteral(".lock"), QStringLiteral(".lock.rmlock"),
                         QStringLiteral(".lock.rmlock.rmlock") };
    QTest::newRow("guard without lock") << QStringList { QStringLiteral(".lock.rmlock") };
}

void SettingsKillTest::leftoverLocksDoNotStallTheNextWrite()
{
    QFETCH(QStringList, leftovers);
    QTemporaryDir root;
    const SettingsStore store(root.path());
    store.CreateSettingsKey(Key);
    const QString path = store.filePath(Key);
    for (const QString &suffix : std::as_const(leftovers)) {
        QFile lock(path + suffix);
        QVERIFY(lock.open(QIODevice::WriteOnly));
    }

    QElapsedTimer clock;
    clock.start();
    store.writeText(Key, QStringLiteral("Lingua"), QStringLiteral("Tedesco"));
    // Left alone, the lock would be taken for stale only after half a minute.
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(store.readText(Key, QStringLiteral("Lingua"), QString()), QStringLiteral("Tedesco"));
    const QStringList files = QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(files, QStringList { QFileInfo(path).fileName() });
}

void SettingsKillTest::heldLockIsWaitedFor()
{
    QTemporaryDir root;
    const SettingsStore store(root.path());
    store.CreateSettingsKey(Key);
    const QString path = store.filePath(Key);
    QLockFile lock(path + QStringLiteral(".lock"));
    QVERIFY(lock.tryLock());

    // Another writer holds the lock: the write waits for it rather than
    // taking it away.
    std::unique_ptr<QThread> writer(QThread::create(
        [&store] { store.writeText(Key, QStringLiteral("Lingua"), QStringLiteral("Tedesco")); }));
    writer->start();
    const auto release = qScopeGuard([&] {
        lock.unlock();
        writer->wait();
    });
    QVERIFY(!writer->wait(500));
    QVERIFY(QFile::exists(path + QStringLiteral(".lock")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("Tedesco"));
    lock.unlock();
    QVERIFY(writer->wait(10000));

    QCOMPARE(store.readText(Key, QStringLiteral("Lingua"), QString()), QStringLiteral("Tedesco"));
}

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], WriterArgument) == 0)
        return keepWriting(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    QCoreApplication app(argc, argv);
    SettingsKillTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingskill.moc"
