// Start-up: from the start of main() to the main window shown, against a bare
// Qt window shown the same way. Each run is a fresh process, so the first
// use of fonts, styles and settings is counted as a user meets it.
#include "app/mainwindow.h"
#include "benchsupport.h"
#include "logic/settings/programsettings.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace vellumark;

namespace {

int runChild(int argc, char *argv[], bool bare, const QString &settingsRoot)
{
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->resize(386, 460);
    } else {
        auto form = std::make_unique<MainWindow>(ProgramSettings(SettingsStore(settingsRoot)));
        form->load();
        window = std::move(form);
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    std::printf("%lld\n", timer.nsecsElapsed());
    return 0;
}

double medianOfChildren(const QString &mode, const QString &root)
{
    std::vector<double> times;
    for (int i = 0; i < 11; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), { mode, root });
        child.waitForFinished(30000);
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3)
        return runChild(argc, argv, qstrcmp(argv[1], "--bare") == 0,
                        QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const ProgramSettings settings { SettingsStore(dir.path()) };
    settings.createKey();
    settings.setText(QStringLiteral("About"), QStringLiteral("0"));

    const double window = medianOfChildren(QStringLiteral("--window"), dir.path());
    const double bare = medianOfChildren(QStringLiteral("--bare"), dir.path());
    bench::reportRow(QStringLiteral("start-up to the window shown"), bench::milliseconds(window),
                     QStringLiteral("bare Qt window shown"), bench::milliseconds(bare),
                     window / bare, QStringLiteral("well under 1 s"));
    return 0;
}
