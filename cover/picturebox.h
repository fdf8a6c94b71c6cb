#pragma once

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

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_pressed = false;
};

} // namespace vellumark
