#pragma once

#include <QList>
#include <QObject>

class QLabel;
class QStatusBar;
class QWidget;

namespace vellumark {

struct WindowState;
class PictureBox;

// Loads pictures into the boxes of the slots and of the DVD panel: a click
// on an owner's main box asks for a file, a file dropped on it loads at
// once. A file that gives no picture is said in the status bar.
class SlotPictures : public QObject
{
    Q_OBJECT

public:
    SlotPictures(WindowState &state, QLabel *folderLabel, QStatusBar *status, QWidget *window);

    // The boxes that show one owner's picture, its main box first.
    void addOwner(const QList<PictureBox *> &boxes);

private:
    void choose(const QList<PictureBox *> &boxes);
    void load(const QString &file, const QList<PictureBox *> &boxes);

    WindowState &m_state;
    QLabel *m_folderLabel;
    QStatusBar *m_status;
    QWidget *m_window;
};

} // namespace vellumark
