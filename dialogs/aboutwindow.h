#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <functional>

class QIcon;
class QLabel;
class QPushButton;

namespace vellumark {

class ClickableLabel;

// The maker's pages on three social networks, in the order of the about
// window's pictures.
QStringList MakerSocialPages();

// The about window: title, platform line, the main window's icon, the
// credit line and the links to the maker's web site and social pages.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(const QIcon &windowIcon, QWidget *parent = nullptr);

    // Opens a link; by default the desktop's handler, without waiting. False
    // when the link could not be opened, which the window then says.
    void setLinkOpener(std::function<bool(const QUrl &)> opener) { m_openLink = std::move(opener); }

private:
    void openLink(const QString &address);

    std::function<bool(const QUrl &)> m_openLink;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Picture4 = nullptr;
    ClickableLabel *Label3 = nullptr;
    ClickableLabel *Picture5 = nullptr;
    ClickableLabel *Picture1 = nullptr;
    ClickableLabel *Picture2 = nullptr;
    ClickableLabel *Picture3 = nullptr;
    QLabel *Label7 = nullptr;
    QPushButton *Command1 = nullptr;
};

} // namespace vellumark
