// The real program's command line, run as a user runs it from a terminal
// without any display: --help and --version answer and end, an unknown
// option is refused with status 2, and none of them reaches the settings or
// the single-instance lock. Qt's own options still start the program.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
    void qtOptionsStartTheProgram_data();
    void qtOptionsStartTheProgram();

private:
    // A terminal without a display, with fresh settings and runtime folders.
    QProcessEnvironment environment(const QTemporaryDir &config,
                                    const QTemporaryDir &runtime) const;

    QString m_program;
};

void CommandLineTest::initTestCase()
{
    m_program = qEnvironmentVariable("VELLUMARK_BINARY_DIR") + QStringLiteral("/vellumark");
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
}

QProcessEnvironment CommandLineTest::environment(const QTemporaryDir &config,
                                                 const QTemporaryDir &runtime) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : { QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                 QStringLiteral("QT_QPA_PLATFORM") })
        environment.remove(name);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    return environment;
}

void CommandLineTest::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // a pattern for the whole of stdout
    QTest::addColumn<QString>("errors"); // a pattern for the whole of stderr

    const QString version = QStringLiteral("\\AVellumark 1\\.2013\\.4\\n\\z");
    const QString help
        = QStringLiteral("\\AUsage: \\S*vellumark \\[options\\]\\n[^\\0]*"
                         "\\n  -h, --help +\\S[^\\0]*\\n  -v, --version +\\S.*\\n\\z");
    const QString nothing = QStringLiteral("\\A\\z");
    const QString refusal = QStringLiteral("\\Avellumark: %1\\nTry 'vellumark --help' for the "
                                           "options\\.\\n\\z");
    QTest::newRow("--version") << QStringList { "--version" } << 0 << version << nothing;
    QTest::newRow("-v") << QStringList { "-v" } << 0 << version << nothing;
    QTest::newRow("--help") << QStringList { "--help" } << 0 << help << nothing;
    QTest::newRow("-h") << QStringList { "-h" } << 0 << help << nothing;
    QTest::newRow("Qt's options before --version")
        << QStringList { "-platform", "xcb", "-style", "fusion", "--version" } << 0 << version
        << nothing;
    QTest::newRow("-style=fusion -v")
        << QStringList { "-style=fusion", "-v" } << 0 << version << nothing;
    QTest::newRow("unknown long option")
        << QStringList { "--print-all" } << 2 << nothing
        << refusal.arg(QStringLiteral("Unknown option 'print-all'\\."));
    QTest::newRow("unknown short option") << QStringList { "-x" } << 2 << nothing
                                          << refusal.arg(QStringLiteral("Unknown option 'x'\\."));
    QTest::newRow("unknown option after --version")
        << QStringList { "--version", "--bogus" } << 2 << nothing
        << refusal.arg(QStringLiteral("Unknown option 'bogus'\\."));
    QTest::newRow("a file name") << QStringList { "cover.jpg" } << 2 << nothing
                                 << refusal.arg(QStringLiteral(
                                        "Unexpected argument 'cover\\.jpg': the program takes "
                                        "no files\\."));
    QTest::newRow("Qt option without its value")
        << QStringList { "-platform" } << 2 << nothing
        << refusal.arg(QStringLiteral("Missing value after '-platform'\\."));
}

void CommandLineTest::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);

    QTemporaryDir config;
    QTemporaryDir runtime;
    QProcess program;
    program.setProcessEnvironment(environment(config, runtime));
    program.start(m_program, arguments);
    QVERIFY(program.waitForFinished(30000));
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const QString err = QString::fromUtf8(program.readAllStandardError());

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(QRegularExpression(output).match(out).hasMatch(), qPrintable(out));
    QVERIFY2(QRegularExpression(errors).match(err).hasMatch(), qPrintable(err));
    // No settings written, no lock taken.
    const auto everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    QCOMPARE(QDir(config.path()).entryList(everything), QStringList());
    QCOMPARE(QDir(runtime.path()).entryList(everything), QStringList());
}

void CommandLineTest::qtOptionsStartTheProgram_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("-platform") << QStringList { "-platform", "offscreen" };
    QTest::newRow("-platform -style")
        << QStringList { "-platform", "offscreen", "-style", "fusion" };
    QTest::newRow("-style= -platform") << QStringList { "-style=fusion", "-platform", "offscreen" };
}

// Without any display, the program only comes up when Qt took -platform.
void CommandLineTest::qtOptionsStartTheProgram()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir config;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess program;
    program.setProcessEnvironment(environment(config, runtime));
    program.start(m_program, arguments);
    QVERIFY(program.waitForStarted());
    // The first start writes the default settings, then holds the lock while
    // the window is up.
    const QString settings = config.filePath(QStringLiteral("Orvandi/Vellumark/Settings.ini"));
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(settings)
            && QFile::exists(runtime.filePath(QStringLiteral("vellumark.lock"))),
        30000);
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
