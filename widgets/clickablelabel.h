#pragma once

#include "widgets/leftclick.h"

#include <QLabel>

namespace vellumark {

// A label, text or picture, that reports a left click released over it,
// as the about window's links need.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(const QString &name, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    LeftClick m_click;
};

} // namespace vellumark
