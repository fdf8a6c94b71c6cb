#include "app/dvdpanel.h"

#include "logic/artwork.h"
#include "logic/twips.h"
#include "widgets/checkedbuttonfocus.h"
#include "widgets/lineitem.h"
#include "widgets/picturebox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace vellumark {

DvdPanel::DvdPanel(QWidget *area, const ControlMakers &make)
    : QObject(area)
{
    Frame1 = new QFrame(area);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(TwipsRect(0, 0, 5775, 5835));
    Frame1->setAutoFillBackground(true); // covers the CD layout while shown
    Frame1->hide();

    Command2 = new QPushButton(QStringLiteral("90°"), Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(TwipsRect(2880, 5280, 495, 375));
    connect(Command2, &QPushButton::clicked, this, &DvdPanel::turnPicture);

    auto *Frame2 = new QFrame(Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(TwipsRect(0, 120, 5535, 5655));

    for (const char *name : { "Picture1", "Picture2" }) {
        auto *work = new QWidget(Frame2);
        work->setObjectName(QString::fromLatin1(name));
        work->hide();
    }

    auto makeFormatOption = [this, Frame2](const QString &name, int left, DvdFormat format) {
        auto *option = new QRadioButton(QString::fromLatin1(FactsOf(format).caption), Frame2);
        option->setObjectName(name);
        option->setGeometry(TwipsRect(left, 5160, 1275, 315));
        connect(option, &QRadioButton::clicked, this,
                [this, format] { emit formatChosen(format); });
        return option;
    };
    Option6 = makeFormatOption(QStringLiteral("Option6"), 0, DvdFormat::FullCase);
    Option6->setChecked(true);
    Option7 = makeFormatOption(QStringLiteral("Option7"), 1440, DvdFormat::FrontOnly);
    // Right of the turn button, which the slim case offers too.
    Option8 = makeFormatOption(QStringLiteral("Option8"), 3480, DvdFormat::SlimCase);

    Line10 = make.line(QStringLiteral("Line10"), 0, 0, 5520, 0, true, Frame2);
    make.line(QStringLiteral("Line9"), 0, 0, 0, 5040, true, Frame2);
    Line8 = make.line(QStringLiteral("Line8"), 0, 5040, 5520, 5040, false, Frame2);
    Line6 = make.line(QStringLiteral("Line6"), 5520, 0, 5520, 5040, false, Frame2);

    Image7 = new PictureBox(QStringLiteral("Image7"), Frame2);
    Image7->setGeometry(TwipsRect(120, 120, 5295, 4815));
    Image7->setCursor(PictureCursor());
    Label25 = make.label(QStringLiteral("Label25"), QRect(120, 2280, 5295, 375), Qt::AlignCenter,
                         Frame2);
    Label25->setText(QStringLiteral("click"));

    // The preview's frame reaches down over the button's place: the button
    // lies on top, where a click finds it.
    Command2->raise();

    // From the keyboard: the picture (Space or Return opens it), the format
    // at the checked one, and the quarter turn.
    Image7->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(Image7, Option6);
    QWidget::setTabOrder(Option6, Option7);
    QWidget::setTabOrder(Option7, Command2);
    TabEntersAtCheckedButton({ Option6, Option7 });
}

bool DvdPanel::isPanel(const QWidget *widget) const
{
    return widget == Frame1;
}

void DvdPanel::setShown(bool shown)
{
    if (shown) {
        Frame1->setGeometry(TwipsRect(120, 60, 5535, 5730));
        Frame1->show();
        Frame1->raise();
        Image7->setFocus(Qt::OtherFocusReason);
    } else {
        Frame1->hide();
    }
}

void DvdPanel::showFormat(DvdFormat format)
{
    const DvdFormatFacts &facts = FactsOf(format);
    (format == DvdFormat::FrontOnly      ? Option7
         : format == DvdFormat::SlimCase ? Option8
                                         : Option6)
        ->setChecked(true);
    const int frameRight = facts.frameRight;
    const int pictureWidth = facts.pictureWidth;
    Line8->setX2(frameRight);
    Line10->setX2(frameRight);
    Line6->setX1(frameRight);
    Line6->setX2(frameRight);
    Image7->resize(TwipsToPixels(pictureWidth), Image7->height());
    Label25->resize(TwipsToPixels(pictureWidth), Label25->height());
    Command2->setVisible(facts.turnable);
}

void DvdPanel::turnPicture()
{
    if (!Image7->hasPicture())
        return;
    // The screen copy turns now; each page turns what it decodes.
    Image7->setPicture(Image7->picture().turnedClockwise(), Image7->pictureFileName());
}

} // namespace vellumark
