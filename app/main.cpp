#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/terminationsignals.h"
#include "logic/artwork.h"
#include "logic/programinfo.h"

#include <QApplication>
#include <QImageReader>
#include <QMessageBox>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when it finds no display; say so plainly instead.
bool displayAvailable(const vellumark::CommandLine &commandLine)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return commandLine.platformGiven() || qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
        || qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#else
    Q_UNUSED(commandLine);
    return true;
#endif
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(qUtf8Printable(text.endsWith(u'\n') ? text : text + u'\n'), stream);
}

} // namespace

int main(int argc, char *argv[])
{
    // Before the application object: answering --help and --version needs
    // neither a display nor the settings nor the single-instance lock.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    vellumark::CommandLine commandLine;
    switch (commandLine.parse(arguments)) {
    case vellumark::CommandLine::Request::ShowHelp: {
        // A core application needs no display; the usage line takes the
        // program's name from it.
        const QCoreApplication core(argc, argv);
        print(stdout, commandLine.helpText());
        return EXIT_SUCCESS;
    }
    case vellumark::CommandLine::Request::ShowVersion:
        print(stdout, vellumark::CommandLine::versionText());
        return EXIT_SUCCESS;
    case vellumark::CommandLine::Request::Refuse:
        print(stderr, commandLine.refusalText());
        return vellumark::CommandLine::UsageError;
    case vellumark::CommandLine::Request::Run:
        break;
    }

    if (!displayAvailable(commandLine)) {
        std::fputs("Vellumark needs a graphical desktop: no display was found "
                   "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n",
                   stderr);
        return EXIT_FAILURE;
    }

    QApplication app(argc, argv);
    // Qt refuses pictures over 128 MB once decoded by default: too little for
    // the photos of today's cameras (a 48-megapixel picture needs 192 MB).
    QImageReader::setAllocationLimit(1024);
    QApplication::setApplicationName(vellumark::ProgramTitle());
    QApplication::setApplicationVersion(vellumark::ProgramVersion());
    QApplication::setOrganizationName(QStringLiteral("Orvandi"));
    QApplication::setDesktopFileName(QStringLiteral("example.orvandi.Vellumark"));
    QApplication::setWindowIcon(vellumark::ProgramIcon());

    vellumark::SingleInstance instance;
    switch (instance.acquire()) {
    case vellumark::SingleInstance::Outcome::Only:
        break;
    case vellumark::SingleInstance::Outcome::NoLock:
        // Nothing says another instance runs: better two than none.
        std::fprintf(stderr,
                     "Vellumark could not take its single-instance lock (%s); it starts "
                     "anyway.\n",
                     qUtf8Printable(instance.failure()));
        break;
    case vellumark::SingleInstance::Outcome::AnotherRuns: {
        // Also on the terminal, for whoever started it from one.
        std::fprintf(stderr, "%s\n", qUtf8Printable(vellumark::SingleInstance::refusalMessage()));
        QMessageBox box(QMessageBox::Critical, vellumark::ProgramTitle(),
                        vellumark::SingleInstance::refusalMessage(), QMessageBox::Ok);
        box.exec();
        return EXIT_SUCCESS;
    }
    }

    vellumark::MainWindow window(
        vellumark::ProgramSettings(vellumark::SettingsStore::forCurrentUser()));
    if (!window.load())
        return EXIT_SUCCESS; // the start-up password was not given
    // Logging out or `kill` ends the program as its own exit does, saving the
    // window's settings. Not before: during loading the window holds nothing
    // of the user's yet, and a signal then ends the program at once.
    const vellumark::TerminationSignals endSignals;
    QObject::connect(&endSignals, &vellumark::TerminationSignals::received, &window,
                     &vellumark::MainWindow::endOnSignal);
    // Start centred on the screen.
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
