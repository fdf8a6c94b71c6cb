#include "dialogs/helpviewer.h"

#include "logic/helpfile.h"
#include "logic/programinfo.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vellumark {

void HelpViewer::showFor(QWidget *owner, Language language)
{
    if (HelpFilePath(ProgramFolder(), language).isEmpty())
        return;

    // It stays open beside the window while the user works. A closed viewer
    // is on its way out and is not reused.
    HelpViewer *viewer = nullptr;
    const auto viewers = owner->findChildren<HelpViewer *>(QString(), Qt::FindDirectChildrenOnly);
    for (HelpViewer *open : viewers) {
        if (open->isVisible())
            viewer = open;
    }
    if (!viewer) {
        viewer = new HelpViewer(owner);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!viewer->openHelp(ProgramFolder(), language)) {
        viewer->close();
        return;
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

HelpViewer::HelpViewer(QWidget *parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(ProgramTitle());
    setSizeGripEnabled(true);

    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Web and mail links go to the desktop's programs; the browser itself
    // only follows links within the help.
    m_browser->setOpenExternalLinks(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(640, 600);

    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? ProgramTitle() : title);
        m_browser->setAccessibleName(windowTitle()); // the help's title, in its language
    });
}

bool HelpViewer::openHelp(const QString &programFolder, Language language)
{
    const QString file = HelpFilePath(programFolder, language);
    if (file.isEmpty())
        return false;
    m_browser->setSource(QUrl::fromLocalFile(file));
    m_browser->clearHistory();
    // The first topic, the contents, is at the top: also when the same
    // document was already shown and scrolled.
    m_browser->verticalScrollBar()->setValue(0);
    m_browser->horizontalScrollBar()->setValue(0);
    return true;
}

QUrl HelpViewer::document() const
{
    return m_browser->source();
}

} // namespace vellumark
