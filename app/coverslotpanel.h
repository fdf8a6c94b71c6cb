#pragma once

#include "logic/page/coverplan.h"
#include "logic/typology.h"

#include <QList>
#include <QRect>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QWidget;

namespace vellumark {

class LoadedPicture;
struct MainWindowTexts;
class LineItem;
class MeasureField;
class PictureBox;
class TypologyList;

// Where one cover slot's controls lie on the main window, in twips, and
// their names.
struct CoverSlotLayout
{
    struct Control
    {
        const char *name;
        QRect twips;
    };
    struct Line
    {
        const char *name;
        int x1, y1, x2, y2;
    };

    CoverSlot slot;
    Line frameTop, frameLeft, frameBottom, frameRight;
    Control preview;
    const char *previewTip;
    Control hint;
    Control sizeHeading;
    Control positionHeading;
    // By measure: width, height, horizontal and vertical position.
    std::array<Control, 4> fields;
    // Right-aligned, whichever side of its field a caption stands.
    std::array<Control, 4> fieldCaptions;
    Control list;
    Control border;
    Control borderCaption;
    std::array<Control, 2> thumbnails;
};

const CoverSlotLayout &SlotALayout();
const CoverSlotLayout &SlotBLayout();

// How the window makes its labels and lines, so that every panel gets them
// alike.
struct ControlMakers
{
    std::function<QLabel *(const QString &name, QRect twips, Qt::Alignment alignment,
                           QWidget *parent)>
        label;
    std::function<LineItem *(const QString &name, int x1, int y1, int x2, int y2, bool light,
                             QWidget *parent)>
        line;
};

// The main window's makers: labels that let clicks through to what lies
// below, lines in a light or a dark grey.
const ControlMakers &WindowControlMakers();

// One cover slot of the main window: typology list, measure fields, border
// check box, preview with its frame and hint, and thumbnails.
class CoverSlotPanel
{
public:
    CoverSlotPanel(const CoverSlotLayout &layout, QWidget *area, const ControlMakers &make);

    CoverSlot slot() const { return m_layout.slot; }
    TypologyList *list() const { return m_list; }
    QCheckBox *border() const { return m_border; }
    PictureBox *preview() const { return m_preview; }
    QLabel *hint() const { return m_hint; }
    MeasureField *field(Measure measure) const { return m_fields.at(int(measure) - 1); }
    const std::array<MeasureField *, 4> &fields() const { return m_fields; }
    const std::array<PictureBox *, 2> &thumbnails() const { return m_thumbnails; }
    // The preview first, then the thumbnails: the boxes that show the
    // slot's picture.
    QList<PictureBox *> pictureBoxes() const;
    // The slot's controls as Tab visits them: the list, the preview (whose
    // menu opens from the keyboard), the fields, the border box.
    QList<QWidget *> tabOrder() const;
    // Shows a picture in every box of the slot.
    void setPicture(const LoadedPicture &picture, const QString &fileName);

    // The captions, the hint and the typology list's entries in a language;
    // the list is left without a selection.
    void showTexts(const MainWindowTexts &texts);
    // What the slot holds for the page now.
    SlotInput pageInput(bool border) const;

    // Shapes the preview and its frame to a typology's proportions.
    void shapePreview(int typology);
    // Shows the slot's pictures as a disc label with a hole of that
    // diameter prints, in proportion to the slot's width and height; without
    // a hole, whole.
    void shapePictures(std::optional<double> labelHoleCm);
    // Lays the hint over the preview, as wide as it.
    void alignHint();

private:
    const CoverSlotLayout &m_layout;
    TypologyList *m_list = nullptr;
    QCheckBox *m_border = nullptr;
    PictureBox *m_preview = nullptr;
    QLabel *m_hint = nullptr;
    QLabel *m_sizeHeading = nullptr;
    QLabel *m_positionHeading = nullptr;
    QLabel *m_borderCaption = nullptr;
    std::array<QLabel *, 4> m_fieldCaptions {};
    std::array<MeasureField *, 4> m_fields {};
    std::array<PictureBox *, 2> m_thumbnails {};
    LineItem *m_frameTop = nullptr;
    LineItem *m_frameLeft = nullptr;
    LineItem *m_frameBottom = nullptr;
    LineItem *m_frameRight = nullptr;
};

} // namespace vellumark
