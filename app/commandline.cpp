#include "app/commandline.h"

#include "logic/programinfo.h"

#include <QFileInfo>

namespace vellumark {

namespace {

// Options of Qt's application classes and platform plugins: accepted here
// and left to Qt, which reads them when the application object is made.
const QStringList QtOptionsWithValue = {
    QStringLiteral("platform"),      QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),   QStringLiteral("qwindowtitle"),
    QStringLiteral("session"),       QStringLiteral("display"),
    QStringLiteral("geometry"),      QStringLiteral("name"),
    QStringLiteral("style"),         QStringLiteral("stylesheet"),
};
const QStringList QtFlags = {
    QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"),  QStringLiteral("sync"),
};

} // namespace

CommandLine::CommandLine()
{
    // Qt's options are words after one dash ("-platform wayland").
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(
        QStringLiteral("Prints covers for CD and DVD cases at their true size.\n"
                       "Qt's options, such as -platform NAME and -style NAME, are taken too."));
    // Without the --help-all of addHelpOption(): Qt's options are named above.
    m_parser.addOption(QCommandLineOption({ QStringLiteral("h"), QStringLiteral("help") },
                                          QStringLiteral("Displays these options.")));
    m_parser.addVersionOption();
    for (const QString &name : QtOptionsWithValue) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        m_parser.addOption(option);
    }
    for (const QString &name : QtFlags) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        m_parser.addOption(option);
    }
}

CommandLine::Request CommandLine::parse(const QStringList &arguments)
{
    m_programName = QFileInfo(arguments.value(0, QStringLiteral("vellumark"))).fileName();
    if (!m_parser.parse(arguments)) {
        m_refusal = m_parser.errorText();
        return Request::Refuse;
    }
    if (m_parser.isSet(QStringLiteral("help")))
        return Request::ShowHelp;
    if (m_parser.isSet(QStringLiteral("version")))
        return Request::ShowVersion;
    if (!m_parser.positionalArguments().isEmpty()) {
        m_refusal = QStringLiteral("Unexpected argument '%1': the program takes no files.")
                        .arg(m_parser.positionalArguments().constFirst());
        return Request::Refuse;
    }
    return Request::Run;
}

QString CommandLine::helpText() const
{
    return m_parser.helpText();
}

QString CommandLine::versionText()
{
    return ProgramCaption();
}

QString CommandLine::refusalText() const
{
    return QStringLiteral("%1: %2\nTry '%1 --help' for the options.").arg(m_programName, m_refusal);
}

bool CommandLine::platformGiven() const
{
    return m_parser.isSet(QStringLiteral("platform"));
}

} // namespace vellumark
