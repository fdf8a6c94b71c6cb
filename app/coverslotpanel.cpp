#include "app/coverslotpanel.h"

#include "app/artwork.h"
#include "app/lineitem.h"
#include "app/twips.h"
#include "cover/measurefield.h"
#include "cover/picturebox.h"
#include "cover/typologylist.h"

#include <QCheckBox>
#include <QLabel>

namespace vellumark {

namespace {

// Slot A's captions stand left of their fields and end at them; they may
// start left of the frame so that the longest ones are not cut.
const CoverSlotLayout LayoutA = {
    CoverSlot::A,
    { "Line33", 120, 120, 2640, 120 },
    { "Line34", 120, 120, 120, 2640 },
    { "Line35", 120, 2640, 2640, 2640 },
    { "Line36", 2640, 120, 2640, 2640 },
    { "Image1", QRect(240, 240, 2295, 2295) },
    "Cover A",
    { "Label20", QRect(240, 1200, 2295, 375) },
    { "Label4", QRect(120, 2880, 2880, 225) },
    { "Label10", QRect(120, 3390, 2880, 225) },
    { {
        { "Text1", QRect(720, 3120, 615, 285) },
        { "Text2", QRect(1920, 3120, 615, 285) },
        { "Text5", QRect(720, 3600, 615, 285) },
        { "Text6", QRect(1920, 3600, 615, 285) },
    } },
    { {
        { "Label6", QRect(0, 3150, 720, 225) },
        { "Label7", QRect(1320, 3150, 600, 225) },
        { "Label11", QRect(0, 3630, 720, 225) },
        { "Label12", QRect(1320, 3630, 600, 225) },
    } },
    { "List1", QRect(720, 3960, 1815, 240) },
    { "Check1", QRect(720, 4260, 210, 255) },
    { "Label22", QRect(960, 4290, 1800, 225) },
    { {
        { "Image3", QRect(720, 4800, 735, 735) },
        { "Image4", QRect(2040, 4800, 735, 735) },
    } },
};

// Slot B's captions stand right of their fields.
const CoverSlotLayout LayoutB = {
    CoverSlot::B,
    { "Line40", 3120, 120, 5640, 120 },
    { "Line39", 3120, 120, 3120, 2640 },
    { "Line38", 3120, 2640, 5640, 2640 },
    { "Line37", 5640, 120, 5640, 2640 },
    { "Image2", QRect(3240, 240, 2295, 2295) },
    "Cover B",
    { "Label21", QRect(3240, 1200, 2295, 375) },
    { "Label5", QRect(3240, 2880, 2535, 225) },
    { "Label13", QRect(3240, 3390, 2535, 225) },
    { {
        { "Text3", QRect(3240, 3120, 615, 285) },
        { "Text4", QRect(4440, 3120, 615, 285) },
        { "Text7", QRect(3240, 3600, 615, 285) },
        { "Text8", QRect(4440, 3600, 615, 285) },
    } },
    { {
        { "Label8", QRect(3840, 3150, 600, 225) },
        { "Label9", QRect(5040, 3150, 600, 225) },
        { "Label14", QRect(3840, 3630, 600, 225) },
        { "Label15", QRect(5040, 3630, 600, 225) },
    } },
    { "List2", QRect(3240, 3960, 1815, 240) },
    { "Check2", QRect(3240, 4260, 210, 255) },
    { "Label23", QRect(3480, 4290, 1800, 225) },
    { {
        { "Image5", QRect(3000, 4800, 735, 735) },
        { "Image6", QRect(4320, 4800, 735, 735) },
    } },
};

QString nameOf(const CoverSlotLayout::Control &control)
{
    return QString::fromLatin1(control.name);
}

QRect placeOf(const CoverSlotLayout::Control &control)
{
    const QRect &t = control.twips;
    return TwipsRect(t.x(), t.y(), t.width(), t.height());
}

LineItem *makeLine(const ControlMakers &make, const CoverSlotLayout::Line &line, bool light)
{
    return make.line(QString::fromLatin1(line.name), line.x1, line.y1, line.x2, line.y2, light);
}

// The preview's frame and picture for a typology: the side that stays
// comes from the layout, the side that moves from the typology.
struct PreviewShape
{
    int frameLeft; // left ends of the top and bottom lines
    int frameRight; // their right ends
    int leftEdge; // the left line's X
    int rightEdge; // the right line's X
    int pictureLeft;
    int pictureWidth;
};

PreviewShape previewShape(const CoverSlotLayout &layout, int typology)
{
    if (layout.slot == CoverSlot::A) {
        const SlotAPreview a = SlotAPreviewGeometry(typology);
        return { layout.frameTop.x1, a.topBottomRightX2,       layout.frameLeft.x1,
                 a.rightEdgeX,       layout.preview.twips.x(), a.pictureWidth };
    }
    const SlotBPreview b = SlotBPreviewGeometry(typology);
    return { b.topBottomLeftX1,    layout.frameTop.x2, b.leftEdgeX,
             layout.frameRight.x1, b.pictureLeft,      b.pictureWidth };
}

} // namespace

const CoverSlotLayout &SlotALayout()
{
    return LayoutA;
}

const CoverSlotLayout &SlotBLayout()
{
    return LayoutB;
}

CoverSlotPanel::CoverSlotPanel(const CoverSlotLayout &layout, QWidget *area,
                               const ControlMakers &make)
    : m_layout(layout)
{
    m_frameTop = makeLine(make, layout.frameTop, true);
    m_frameLeft = makeLine(make, layout.frameLeft, true);
    m_frameBottom = makeLine(make, layout.frameBottom, false);
    m_frameRight = makeLine(make, layout.frameRight, false);

    m_preview = new PictureBox(nameOf(layout.preview), area);
    m_preview->setGeometry(placeOf(layout.preview));
    m_preview->setToolTip(QString::fromLatin1(layout.previewTip));
    m_preview->setCursor(PictureCursor());
    m_hint = make.label(nameOf(layout.hint), layout.hint.twips, Qt::AlignCenter);
    m_hint->setWordWrap(true);

    make.label(nameOf(layout.sizeHeading), layout.sizeHeading.twips,
               Qt::AlignLeft | Qt::AlignVCenter);
    make.label(nameOf(layout.positionHeading), layout.positionHeading.twips,
               Qt::AlignLeft | Qt::AlignVCenter);
    for (const CoverSlotLayout::Control &caption : layout.fieldCaptions)
        make.label(nameOf(caption), caption.twips, Qt::AlignRight | Qt::AlignVCenter);

    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new MeasureField(nameOf(layout.fields[i]), area);
        m_fields[i]->setGeometry(placeOf(layout.fields[i]));
    }

    m_list = new TypologyList(nameOf(layout.list), area);
    m_list->setGeometry(placeOf(layout.list));

    m_border = new QCheckBox(area);
    m_border->setObjectName(nameOf(layout.border));
    m_border->setGeometry(placeOf(layout.border));
    make.label(nameOf(layout.borderCaption), layout.borderCaption.twips,
               Qt::AlignLeft | Qt::AlignVCenter);

    for (std::size_t i = 0; i < m_thumbnails.size(); ++i) {
        m_thumbnails[i] = new PictureBox(nameOf(layout.thumbnails[i]), area);
        m_thumbnails[i]->setGeometry(placeOf(layout.thumbnails[i]));
    }
}

QList<PictureBox *> CoverSlotPanel::pictureBoxes() const
{
    return { m_preview, m_thumbnails[0], m_thumbnails[1] };
}

void CoverSlotPanel::shapePreview(int typology)
{
    const PreviewShape shape = previewShape(m_layout, typology);
    for (LineItem *line : { m_frameTop, m_frameBottom }) {
        line->setX1(shape.frameLeft);
        line->setX2(shape.frameRight);
    }
    m_frameLeft->setX1(shape.leftEdge);
    m_frameLeft->setX2(shape.leftEdge);
    m_frameRight->setX1(shape.rightEdge);
    m_frameRight->setX2(shape.rightEdge);
    const QRect &picture = m_layout.preview.twips;
    m_preview->setGeometry(
        TwipsRect(shape.pictureLeft, picture.y(), shape.pictureWidth, picture.height()));
}

void CoverSlotPanel::alignHint()
{
    m_hint->setGeometry(m_preview->x(), m_hint->y(), m_preview->width(), m_hint->height());
}

} // namespace vellumark
