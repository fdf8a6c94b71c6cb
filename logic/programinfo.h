#pragma once

#include <QString>

namespace vellumark {

// The program's title, as the caption, the messages and the settings key
// path use it.
inline QString ProgramTitle()
{
    return QStringLiteral("Vellumark");
}

// "1.2013.4": major, minor and revision as plain integers.
QString ProgramVersion();

// The caption of the main window: "Vellumark 1.2013.4".
QString ProgramCaption();

// The folder holding the program's data (help, sample skins): the
// executable's folder in the build tree, <prefix>/share/vellumark once
// installed. Without a running application it is the current folder.
QString ProgramFolder();

// The maker's addresses, opened by the help menu and the about window. The
// build gives them (cmake/ProgramFacts.cmake), as it gives the package.
inline QString MakerWebSite()
{
    return QStringLiteral(VELLUMARK_HOMEPAGE);
}
inline QString MakerEmail()
{
    return QStringLiteral(VELLUMARK_MAKER_EMAIL);
}

} // namespace vellumark
