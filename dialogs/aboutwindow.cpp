#include "dialogs/aboutwindow.h"

#include "logic/artwork.h"
#include "logic/programinfo.h"
#include "logic/texts/dialogtexts.h"
#include "logic/texts/failuretexts.h"
#include "widgets/clickablelabel.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellumark {

namespace {

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

QStringList MakerSocialPages()
{
    return {
        QStringLiteral("https://www.facebook.example/orvandi.teodrin"),
        QStringLiteral("https://www.twitter.example/orvandi"),
        QStringLiteral("https://www.youtube.example/@orvandi"),
    };
}

AboutWindow::AboutWindow(const QIcon &windowIcon, QWidget *parent)
    : QDialog(parent)
    , m_openLink([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(AboutCaption(ProgramTitle()));

    // The icon in its frame.
    auto *iconFrame = new QFrame(this);
    iconFrame->setObjectName(QStringLiteral("Shape1"));
    iconFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto *iconLayout = new QVBoxLayout(iconFrame);
    iconLayout->setContentsMargins(6, 6, 6, 6);
    Picture4 = new QLabel(iconFrame);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setFixedSize(48, 48);
    Picture4->setPixmap(windowIcon.pixmap(48, 48));
    iconLayout->addWidget(Picture4);

    Label1 = new QLabel(QStringLiteral("Programma"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = Label1->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setText(ProgramTitle());
    Label2 = new QLabel(AboutPlatformLine(), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    Label3 = new ClickableLabel(QStringLiteral("Label3"), this);
    Label3->setText(AboutCreditLine());
    Label3->setToolTip(MakerWebSite());
    QFont linkFont = Label3->font();
    linkFont.setUnderline(true);
    Label3->setFont(linkFont);
    QPalette linkPalette = Label3->palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    Label3->setPalette(linkPalette);

    Picture5 = new ClickableLabel(QStringLiteral("Picture5"), this);
    Picture5->setPixmap(WebSitePicture(devicePixelRatioF()));
    Picture5->setToolTip(MakerWebSite());
    Picture5->setAccessibleName(MakerWebSite());

    const QStringList pages = MakerSocialPages();
    auto socialPicture = [this, &pages](const QString &name, int index) {
        auto *picture = new ClickableLabel(name, this);
        picture->setPixmap(SocialNetworkPicture(index, devicePixelRatioF()));
        picture->setToolTip(pages.at(index));
        picture->setAccessibleName(pages.at(index)); // a picture link says where it goes
        connect(picture, &ClickableLabel::clicked, this,
                [this, address = pages.at(index)] { openLink(address); });
        return picture;
    };
    Picture1 = socialPicture(QStringLiteral("Picture1"), 0);
    Picture2 = socialPicture(QStringLiteral("Picture2"), 1);
    Picture3 = socialPicture(QStringLiteral("Picture3"), 2);

    Label7 = new QLabel(AboutLegalNotice(), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setWordWrap(true);
    QFont noticeFont = Label7->font();
    noticeFont.setPointSizeF(noticeFont.pointSizeF() * 0.85);
    Label7->setFont(noticeFont);

    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    // The site's two links both go where the credit line's tooltip says.
    connect(Label3, &ClickableLabel::clicked, this, [this] { openLink(Label3->toolTip()); });
    connect(Picture5, &ClickableLabel::clicked, this, [this] { openLink(Label3->toolTip()); });
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    auto *links = new QHBoxLayout;
    links->addWidget(Picture5);
    links->addWidget(Label3);
    links->addStretch();
    links->addWidget(Picture1);
    links->addWidget(Picture2);
    links->addWidget(Picture3);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);

    auto *grid = new QGridLayout(this);
    grid->addWidget(iconFrame, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(Label2, 1, 1, Qt::AlignTop);
    grid->addWidget(separator(this), 2, 0, 1, 2);
    grid->addLayout(links, 3, 0, 1, 2);
    grid->addWidget(separator(this), 4, 0, 1, 2);
    grid->addWidget(Label7, 5, 0, 1, 2);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    Label7->setMinimumWidth(360);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutWindow::openLink(const QString &address)
{
    if (!m_openLink || m_openLink(QUrl(address)))
        return;
    // The window speaks Italian only.
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    FailuresIn(Language::Italian).linkNotOpened.arg(address), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("LinkNotOpened"));
    box.exec();
}

} // namespace vellumark
