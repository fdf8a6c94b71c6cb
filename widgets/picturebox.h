#pragma once

#include "logic/page/picturefit.h"
#include "logic/pictures/loadedpicture.h"
#include "logic/texts/language.h"
#include "widgets/leftclick.h"

#include <QImage>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

#include <functional>
#include <optional>

class QMenu;
class QPainter;

namespace vellumark {

// The cover a fitting box shows: its size in cm and how far its picture
// bleeds past it.
struct CoverShape
{
    QSizeF sizeCm;
    double bleedCm = 0;
};

// A box that shows a picture stretched to its own size, as the thumbnails
// do, or fitted to its cover, as the cover previews do. The picture is held at
// its full size: printing and turning read it from here.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(const QString &name, QWidget *parent = nullptr);

    const LoadedPicture &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // Pictures are shared, not copied: one loaded picture serves every box.
    // The file's name goes with the picture, for what the box tells a
    // screen reader.
    void setPicture(const LoadedPicture &picture, const QString &fileName = QString());
    void clearPicture() { setPicture(LoadedPicture()); }
    // How many pixels a picture's screen copy must cover for this box to
    // show it sharp at its size now, a cover's preview at its deepest zoom.
    QSize screenPixelsNeeded() const;
    QString pictureFileName() const { return m_fileName; }

    // An empty box shows a thin outline, so that the user sees where it is.
    void setOutlinedWhenEmpty(bool outlined)
    {
        m_outlined = outlined;
        update();
    }

    // Shows the picture as a disc label prints it: only on the ring between
    // the ellipse inscribed in the box and a centred hole, whose size is
    // given as a fraction of the box's; an empty box shows the two edges.
    // Nothing, the picture on the whole box.
    void setDiscHole(std::optional<QSizeF> holeFraction);
    std::optional<QSizeF> discHole() const { return m_discHole; }

    // A cover's preview: it shows the part of the picture that prints, as
    // the fit says, and offers the fit modes in its context menu; in Fill
    // mode a drag moves the picture under the cover and the wheel zooms.
    void setFittable(bool fittable);
    PictureFit fit() const { return m_fit; }
    void setFitMode(FitMode mode);
    void setCoverShape(const CoverShape &shape);
    // The language of the menu, asked each time it opens.
    void setLanguageSource(std::function<Language()> language) { m_language = std::move(language); }

    // Whether picture files dragged from a file manager may be dropped here.
    // Only the first file of a drag counts; the drop is offered as a copy
    // when its header is that of a picture the program reads.
    void setAcceptsPictureFiles(bool accepts);

signals:
    void clicked();
    void pictureChanged();
    // A picture file was dropped; loading it is the receiver's business.
    void pictureFileDropped(const QString &path);
    // The user chose a fit mode from the menu.
    void fitModeChosen(FitMode mode);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // A box that takes focus is clicked with Space or Return too; a cover's
    // preview opens its menu with the menu key or Shift+F10.
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QRectF discBox() const;
    QSizeF discHoleSize() const; // m_discHole set
    void paintDiscEdges(QPainter &painter);
    // The cover in its own units and the rectangle its picture fills.
    QSizeF coverSize() const;
    QRectF paintedRect() const;
    void paintFitted(QPainter &painter);
    void showFitMenu(const QPoint &globalPos);
    void chooseFitMode(FitMode mode);

    LoadedPicture m_picture;
    // The screen copy made smaller when it is much larger than the box
    // needs (a picture held decoded): drags and zooms redraw from it.
    QImage m_screenCopy;
    bool m_fittable = false;
    PictureFit m_fit;
    CoverShape m_cover;
    std::function<Language()> m_language;
    QPointer<QMenu> m_menu;
    QPointF m_pressPos;
    PictureCrop m_pressCrop;
    bool m_pulling = false;
    QString m_fileName;
    LeftClick m_click;
    bool m_outlined = false;
    std::optional<QSizeF> m_discHole;
    // The first file of the drag over the box, when it can be dropped;
    // decided once as the drag enters.
    QString m_droppableFile;
};

} // namespace vellumark
