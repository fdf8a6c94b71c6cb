#include "widgets/elidingstatusbar.h"

#include <QPainter>
#include <QStyleOption>

namespace vellumark {

namespace {

// Room on either side of the message, in pixels.
constexpr int kIndent = 3;

} // namespace

ElidingStatusBar::ElidingStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    connect(this, &QStatusBar::messageChanged, this, &ElidingStatusBar::updateToolTip);
}

QRect ElidingStatusBar::messageRoom() const
{
    return rect().adjusted(kIndent, 0, -kIndent, 0);
}

QString ElidingStatusBar::shownText() const
{
    return fontMetrics().elidedText(currentMessage(), Qt::ElideMiddle, messageRoom().width());
}

void ElidingStatusBar::paintEvent(QPaintEvent *event)
{
    if (currentMessage().isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    painter.setPen(palette().windowText().color());
    painter.drawText(messageRoom(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                     shownText());
}

void ElidingStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    updateToolTip();
}

void ElidingStatusBar::updateToolTip()
{
    const QString message = currentMessage();
    setToolTip(shownText() == message ? QString() : message);
}

} // namespace vellumark
