#pragma once

#include "logic/texts/language.h"

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace vellumark {

// The window that shows the program's help, an HTML document of its own
// folder, in the language of the interface where there is one. Internal
// links move within the help; web and mail links open in the user's own
// programs.
class HelpViewer : public QDialog
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // The help command of a window: one viewer at a time beside the owner,
    // brought forward in the language. No help beside the program: nothing
    // happens.
    static void showFor(QWidget *owner, Language language);

    // Shows the language's help at its first topic. False when the folder
    // holds no help at all: the viewer is then left as it was.
    bool openHelp(const QString &programFolder, Language language);

    // The document shown, empty before the first openHelp.
    QUrl document() const;

private:
    QTextBrowser *m_browser;
};

} // namespace vellumark
