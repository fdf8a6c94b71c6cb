#pragma once

#include <QObject>

class QWidget;

namespace vellumark {

struct WindowState;
class BackgroundShape;
class ControlsArea;

// The window's background: a picture behind the controls and a pattern in
// a colour over it. It keeps the state's choices and shows them.
class WindowBackground : public QObject
{
    Q_OBJECT

public:
    WindowBackground(WindowState &state, ControlsArea *area, BackgroundShape *shape);

    // Shows the state's pattern, colour and picture, as start-up read them.
    void showState();

    void setFillStyle(int style);
    void chooseFillColour();
    void choosePicture();
    void removePicture();

signals:
    // A picture file gave no picture: at start, or chosen by the user.
    void pictureNotLoaded(const QString &file);

private:
    WindowState &m_state;
    ControlsArea *m_area;
    BackgroundShape *m_shape;
};

} // namespace vellumark
