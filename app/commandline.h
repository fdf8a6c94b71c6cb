#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace vellumark {

// The program's command line: its own options (--help, --version) and the
// options every Qt program takes (-platform, -style...), which are left to
// Qt. Read before the application object exists, so that --help and
// --version need no display.
class CommandLine
{
public:
    enum class Request { Run, ShowHelp, ShowVersion, Refuse };

    // Exit status for an unknown option or an argument the program does not take.
    static constexpr int UsageError = 2;

    CommandLine();

    // The arguments as the program got them, the program's name first.
    Request parse(const QStringList &arguments);

    // The options in the usual form, for --help. Its usage line names the
    // program as the application object has it, when there is one.
    QString helpText() const;
    // "Vellumark 1.2013.4"
    static QString versionText();
    // Why the command line was refused, and where to look for the options.
    QString refusalText() const;
    // Whether Qt was told which display system to use (-platform).
    bool platformGiven() const;

private:
    QCommandLineParser m_parser;
    QString m_programName;
    QString m_refusal;
};

} // namespace vellumark
