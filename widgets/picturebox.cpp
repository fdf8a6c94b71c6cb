#include "widgets/picturebox.h"

#include "logic/page/discshape.h"
#include "logic/pictures/pictureloader.h"
#include "logic/texts/fittexts.h"
#include "widgets/fitmenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

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

bool isUsable(const QSizeF &size)
{
    return size.width() > 0 && size.height() > 0 && std::isfinite(size.width())
        && std::isfinite(size.height());
}

// One notch of the wheel zooms by a quarter.
constexpr double kZoomPerNotch = 1.25;

} // namespace

PictureBox::PictureBox(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
}

void PictureBox::setPicture(const LoadedPicture &picture, const QString &fileName)
{
    m_picture = picture;
    m_screenCopy = QImage();
    // A new or turned picture starts whole and centred.
    m_fit.crop = PictureCrop();
    m_fileName = picture.isNull() ? QString() : fileName;
    update();
    emit pictureChanged();
}

void PictureBox::setFittable(bool fittable)
{
    m_fittable = fittable;
    if (fittable)
        setFocusPolicy(Qt::StrongFocus); // its menu opens from the keyboard
    update();
}

void PictureBox::setFitMode(FitMode mode)
{
    m_fit.mode = mode;
    update();
}

void PictureBox::setCoverShape(const CoverShape &shape)
{
    m_cover = shape;
    update();
}

QSizeF PictureBox::coverSize() const
{
    return isUsable(m_cover.sizeCm) ? m_cover.sizeCm : QSizeF(size());
}

QRectF PictureBox::paintedRect() const
{
    const double bleed = isUsable(m_cover.sizeCm) ? m_cover.bleedCm : 0.0;
    return QRectF(QPointF(0, 0), coverSize()).adjusted(-bleed, -bleed, bleed, bleed);
}

QSize PictureBox::screenPixelsNeeded() const
{
    const double scale = devicePixelRatioF() * (m_fittable ? kMostZoom : 1.0);
    return (QSizeF(size()) * scale).toSize();
}

void PictureBox::paintFitted(QPainter &painter)
{
    const QImage &screen = m_picture.screenCopy();
    if (m_screenCopy.isNull()) {
        const QSize needed = screenPixelsNeeded();
        const double scale = std::min(1.0,
                                      std::max(double(needed.width()) / screen.width(),
                                               double(needed.height()) / screen.height()));
        // A copy loaded for the screen is about this size already; only a
        // picture held decoded at full size is worth a smaller one.
        m_screenCopy = scale < 0.5
            ? screen.scaled((QSizeF(screen.size()) * scale).toSize().expandedTo(QSize(1, 1)),
                            Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            : screen;
    }
    // The same rule as the page, on the full picture's measures; the copy
    // then stands in for it.
    const QSize full = m_picture.size();
    const FittedPicture fitted = FitPicture(full, paintedRect(), m_fit);
    const double sx = double(m_screenCopy.width()) / full.width();
    const double sy = double(m_screenCopy.height()) / full.height();
    const QRectF source(fitted.source.x() * sx, fitted.source.y() * sy, fitted.source.width() * sx,
                        fitted.source.height() * sy);
    const QSizeF cover = coverSize();
    if (m_fit.mode == FitMode::Fit)
        painter.fillRect(rect(), Qt::white); // the paper round the picture
    painter.setClipRect(rect(), painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.scale(width() / cover.width(), height() / cover.height());
    painter.drawImage(fitted.target, m_screenCopy, source);
}

void PictureBox::setAcceptsPictureFiles(bool accepts)
{
    setAcceptDrops(accepts);
}

void PictureBox::setDiscHole(std::optional<QSizeF> holeFraction)
{
    if (holeFraction == m_discHole)
        return;
    m_discHole = holeFraction;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_discHole && m_picture.isNull()) {
        paintDiscEdges(painter);
    } else if (m_picture.isNull()) {
        if (m_outlined) {
            painter.setPen(QColor(128, 128, 128));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    } else {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (m_discHole) {
            // The picture as a label prints it, on its ring only.
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setClipPath(DiscRing(discBox(), discHoleSize()));
        }
        if (m_fittable)
            paintFitted(painter);
        else
            painter.drawImage(rect(), m_picture.screenCopy()); // stretched, proportions not kept
        painter.restore();
    }
    if (hasFocus()) {
        // Where the keys go, over any picture.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    m_screenCopy = QImage();
    QWidget::resizeEvent(event);
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

QRectF PictureBox::discBox() const
{
    return QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
}

QSizeF PictureBox::discHoleSize() const
{
    const QRectF box = discBox();
    return QSizeF(box.width() * m_discHole->width(), box.height() * m_discHole->height());
}

void PictureBox::paintDiscEdges(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(DiscOutline(discBox()));
    painter.drawPath(DiscHole(discBox(), discHoleSize()));
    painter.restore();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
    m_pressPos = event->position();
    m_pressCrop = m_fit.crop;
    m_pulling = false;
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_fittable || m_fit.mode != FitMode::Fill || m_picture.isNull()
        || !(event->buttons() & Qt::LeftButton))
        return;
    const QPointF moved = event->position() - m_pressPos;
    // Less than the platform's drag distance is still a click.
    if (!m_pulling && moved.manhattanLength() < QApplication::startDragDistance())
        return;
    m_pulling = true;
    const QSizeF cover = coverSize();
    const QPointF delta(moved.x() * cover.width() / width(), moved.y() * cover.height() / height());
    m_fit.crop = Dragged(m_picture.size(), paintedRect().size(), m_pressCrop, delta);
    update();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool pulled = m_pulling;
    m_pulling = false;
    if (m_click.release(event, this) && !pulled)
        emit clicked();
}

void PictureBox::wheelEvent(QWheelEvent *event)
{
    if (!m_fittable || m_fit.mode != FitMode::Fill || m_picture.isNull()
        || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    const QSizeF cover = coverSize();
    const QRectF painted = paintedRect();
    const QPointF about(event->position().x() * cover.width() / width() - painted.left(),
                        event->position().y() * cover.height() / height() - painted.top());
    const double factor = std::pow(kZoomPerNotch, event->angleDelta().y() / 120.0);
    m_fit.crop = Zoomed(m_picture.size(), painted.size(), m_fit.crop, factor, about);
    event->accept();
    update();
}

void PictureBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_fittable) {
        event->ignore();
        return;
    }
    event->accept();
    showFitMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                            : mapToGlobal(rect().center()));
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    const bool menuKey = event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && (event->modifiers() & Qt::ShiftModifier));
    if (m_fittable && menuKey) {
        event->accept();
        showFitMenu(mapToGlobal(rect().center()));
        return;
    }
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

void PictureBox::showFitMenu(const QPoint &globalPos)
{
    if (m_menu && m_menu->isVisible())
        return; // the key and the event Qt makes of it
    const FitMenuTexts &texts = FitTexts(m_language ? m_language() : Language::English);
    QMenu *menu = MakeFitMenu(
        this, texts, m_fit.mode, m_fit.mode == FitMode::Fill && !m_picture.isNull(),
        [this](FitMode mode) { chooseFitMode(mode); },
        [this] {
            m_fit.crop.centre = PictureCrop().centre;
            update();
        });
    m_menu = menu;
    menu->popup(globalPos);
}

void PictureBox::chooseFitMode(FitMode mode)
{
    if (mode == m_fit.mode)
        return;
    setFitMode(mode);
    emit fitModeChosen(mode);
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
