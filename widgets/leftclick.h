#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace vellumark {

// Tells a click as users expect it: the left button pressed on a widget and
// released over it. Moving off before releasing cancels the click.
class LeftClick
{
public:
    void press(QMouseEvent *event)
    {
        m_pressed = event->button() == Qt::LeftButton;
        event->accept();
    }

    // True when this release completes a click.
    bool release(QMouseEvent *event, const QWidget *widget)
    {
        const bool click = m_pressed && event->button() == Qt::LeftButton
            && widget->rect().contains(event->position().toPoint());
        m_pressed = false;
        event->accept();
        return click;
    }

private:
    bool m_pressed = false;
};

} // namespace vellumark
