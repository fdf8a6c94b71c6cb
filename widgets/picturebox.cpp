#include "widgets/picturebox.h"

#include "logic/pictures/pictureloader.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace vellumark {

namespace {

// The first of the dragged files, or nothing when the data holds no local
// file first (text from another program, a web address).
QString firstLocalFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return QString();
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return QString();
    return urls.first().toLocalFile();
}

} // namespace

PictureBox::PictureBox(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setAcceptsPictureFiles(bool accepts)
{
    setAcceptDrops(accepts);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        if (m_outlined) {
            painter.setPen(QColor(128, 128, 128));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_picture); // stretched, proportions not kept
    }
    if (hasFocus()) {
        // Where the keys go, over any picture.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            emit clicked();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, this))
        emit clicked();
}

void PictureBox::dragEnterEvent(QDragEnterEvent *event)
{
    m_droppableFile.clear();
    const QString file = firstLocalFile(event->mimeData());
    if (file.isEmpty() || !(event->possibleActions() & Qt::CopyAction) || !CanReadPicture(file)) {
        event->ignore();
        return;
    }
    m_droppableFile = file;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PictureBox::dragMoveEvent(QDragMoveEvent *event)
{
    // The decision made as the drag entered holds for the whole drag.
    if (m_droppableFile.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PictureBox::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_droppableFile.clear();
    event->accept();
}

void PictureBox::dropEvent(QDropEvent *event)
{
    const QString file = firstLocalFile(event->mimeData());
    m_droppableFile.clear();
    if (file.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit pictureFileDropped(file);
}

} // namespace vellumark
