#pragma once

#include <QImage>
#include <QWidget>

namespace vellumark {

// The part of the main window between the toolbar and the status bar. It
// paints the window's background picture, stretched to fill it, behind all
// the controls.
class ControlsArea : public QWidget
{
    Q_OBJECT

public:
    explicit ControlsArea(QWidget *parent = nullptr);

    QImage backgroundPicture() const { return m_background; }
    void setBackgroundPicture(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_background;
};

} // namespace vellumark
