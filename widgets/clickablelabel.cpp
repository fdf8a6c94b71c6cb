#include "widgets/clickablelabel.h"

#include <QMouseEvent>

namespace vellumark {

ClickableLabel::ClickableLabel(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, this))
        emit clicked();
}

} // namespace vellumark
