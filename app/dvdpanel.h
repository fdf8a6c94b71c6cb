#pragma once

#include "app/coverslotpanel.h"

#include <QObject>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vellumark {

class LineItem;
class PictureBox;

// The DVD panel of the main window: one DVD picture, the two DVD formats
// and the button that turns the picture by a quarter. While shown it covers
// the CD slots.
class DvdPanel : public QObject
{
    Q_OBJECT

public:
    DvdPanel(QWidget *area, const ControlMakers &make);

    PictureBox *pictureBox() const { return Image7; }
    // Whether the widget is the panel itself.
    bool isPanel(const QWidget *widget) const;

    void setShown(bool shown);
    // Shapes the frame and picture to a format: "18,3 x 27,2" when full,
    // otherwise "13,1 x 18,3".
    void showFormat(bool fullCase);

signals:
    // The user chose one of the two formats.
    void formatChosen(bool fullCase);

private:
    void turnPicture();

    QFrame *Frame1 = nullptr;
    QPushButton *Command2 = nullptr;
    QRadioButton *Option6 = nullptr;
    QRadioButton *Option7 = nullptr;
    PictureBox *Image7 = nullptr;
    QLabel *Label25 = nullptr;
    LineItem *Line6 = nullptr;
    LineItem *Line8 = nullptr;
    LineItem *Line10 = nullptr;
};

} // namespace vellumark
