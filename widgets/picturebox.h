#pragma once

#include "widgets/leftclick.h"

#include <QImage>
#include <QWidget>

namespace vellumark {

// A box that shows a picture stretched to its own size, as the cover
// previews, the thumbnails and the DVD preview do. The picture is held at
// its full size: printing and turning read it from here.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(const QString &name, QWidget *parent = nullptr);

    QImage picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // Pictures are shared, not copied: one decoded picture serves every box.
    void setPicture(const QImage &picture);
    void clearPicture() { setPicture(QImage()); }

    // An empty box shows a thin outline, so that the user sees where it is.
    void setOutlinedWhenEmpty(bool outlined)
    {
        m_outlined = outlined;
        update();
    }

    // Whether picture files dragged from a file manager may be dropped here.
    // Only the first file of a drag counts; the drop is offered as a copy
    // when its header is that of a picture the program reads.
    void setAcceptsPictureFiles(bool accepts);

signals:
    void clicked();
    // A picture file was dropped; loading it is the receiver's business.
    void pictureFileDropped(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // A box that takes focus is clicked with Space or Return too.
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QImage m_picture;
    LeftClick m_click;
    bool m_outlined = false;
    // The first file of the drag over the box, when it can be dropped;
    // decided once as the drag enters.
    QString m_droppableFile;
};

} // namespace vellumark
