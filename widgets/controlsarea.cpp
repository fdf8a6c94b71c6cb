#include "widgets/controlsarea.h"

#include <QPainter>

namespace vellumark {

ControlsArea::ControlsArea(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ControlsArea"));
}

void ControlsArea::setBackgroundPicture(const QImage &picture)
{
    m_background = picture;
    update();
}

void ControlsArea::paintEvent(QPaintEvent *)
{
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_background);
}

} // namespace vellumark
