#include "app/coverslotpanel.h"

#include "logic/artwork.h"
#include "logic/numbertext.h"
#include "logic/texts/maintexts.h"
#include "logic/twips.h"
#include "widgets/lineitem.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"
#include "widgets/typologylist.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>

namespace vellumark {

namespace {

// Slot A's captions stand left of their fields and end at them; the fields
// stand far enough right for the longest (German) caption to show whole
// inside the frame. The hint over the preview has room for two lines.
const CoverSlotLayout LayoutA = {
    CoverSlot::A,
    { "Line33", 120, 120, 2640, 120 },
    { "Line34", 120, 120, 120, 2640 },
    { "Line35", 120, 2640, 2640, 2640 },
    { "Line36", 2640, 120, 2640, 2640 },
    { "Image1", QRect(240, 240, 2295, 2295) },
    "Cover A",
    { "Label20", QRect(240, 1125, 2295, 525) },
    { "Label4", QRect(120, 2880, 2805, 225) },
    { "Label10", QRect(120, 3405, 2805, 195) },
    { {
        { "Text1", QRect(840, 3120, 615, 285) },
        { "Text2", QRect(2100, 3120, 615, 285) },
        { "Text5", QRect(840, 3600, 615, 285) },
        { "Text6", QRect(2100, 3600, 615, 285) },
    } },
    { {
        { "Label6", QRect(135, 3150, 705, 225) },
        { "Label7", QRect(1455, 3150, 645, 225) },
        { "Label11", QRect(135, 3630, 705, 225) },
        { "Label12", QRect(1455, 3630, 645, 225) },
    } },
    { "List1", QRect(720, 3960, 1815, 240) },
    { "Check1", QRect(720, 4260, 210, 255) },
    { "Label22", QRect(960, 4290, 1800, 225) },
    { {
        { "Image3", QRect(720, 4800, 735, 735) },
        { "Image4", QRect(2040, 4800, 735, 735) },
    } },
};

// Slot B's captions stand right of their fields; the fields start left of
// the preview, so that the longest captions end inside the frame.
const CoverSlotLayout LayoutB = {
    CoverSlot::B,
    { "Line40", 3120, 120, 5640, 120 },
    { "Line39", 3120, 120, 3120, 2640 },
    { "Line38", 3120, 2640, 5640, 2640 },
    { "Line37", 5640, 120, 5640, 2640 },
    { "Image2", QRect(3240, 240, 2295, 2295) },
    "Cover B",
    { "Label21", QRect(3240, 1125, 2295, 525) },
    { "Label5", QRect(2940, 2880, 2700, 225) },
    { "Label13", QRect(2940, 3405, 2700, 195) },
    { {
        { "Text3", QRect(2940, 3120, 615, 285) },
        { "Text4", QRect(4335, 3120, 615, 285) },
        { "Text7", QRect(2940, 3600, 615, 285) },
        { "Text8", QRect(4335, 3600, 615, 285) },
    } },
    { {
        { "Label8", QRect(3555, 3150, 780, 225) },
        { "Label9", QRect(4950, 3150, 675, 225) },
        { "Label14", QRect(3555, 3630, 780, 225) },
        { "Label15", QRect(4950, 3630, 675, 225) },
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

LineItem *makeLine(const ControlMakers &make, const CoverSlotLayout::Line &line, bool light,
                   QWidget *area)
{
    return make.line(QString::fromLatin1(line.name), line.x1, line.y1, line.x2, line.y2, light,
                     area);
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

QLabel *makeLabel(const QString &name, QRect twips, Qt::Alignment alignment, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (alignment & Qt::AlignRight)
        label->setIndent(2); // keeps the text off the field or frame it ends at
    return label;
}

LineItem *makeGreyLine(const QString &name, int x1, int y1, int x2, int y2, bool light,
                       QWidget *parent)
{
    const QColor colour = light ? QColor(224, 224, 224) : QColor(128, 128, 128);
    return new LineItem(name, x1, y1, x2, y2, colour, parent);
}

} // namespace

const ControlMakers &WindowControlMakers()
{
    static const ControlMakers makers { &makeLabel, &makeGreyLine };
    return makers;
}

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
    m_frameTop = makeLine(make, layout.frameTop, true, area);
    m_frameLeft = makeLine(make, layout.frameLeft, true, area);
    m_frameBottom = makeLine(make, layout.frameBottom, false, area);
    m_frameRight = makeLine(make, layout.frameRight, false, area);

    m_preview = new PictureBox(nameOf(layout.preview), area);
    m_preview->setGeometry(placeOf(layout.preview));
    m_preview->setToolTip(QString::fromLatin1(layout.previewTip));
    m_preview->setCursor(PictureCursor());
    // Space opens a picture and the menu key its fit modes: the preview
    // takes the focus, after the slot's list.
    m_preview->setFocusPolicy(Qt::StrongFocus);
    m_hint = make.label(nameOf(layout.hint), layout.hint.twips, Qt::AlignCenter, area);
    m_hint->setWordWrap(true);

    // A heading's first letter keeps off the frame line it may start at.
    const auto heading = [&](const CoverSlotLayout::Control &control) {
        QLabel *label
            = make.label(nameOf(control), control.twips, Qt::AlignLeft | Qt::AlignVCenter, area);
        label->setIndent(3);
        return label;
    };
    m_sizeHeading = heading(layout.sizeHeading);
    m_positionHeading = heading(layout.positionHeading);
    for (std::size_t i = 0; i < m_fieldCaptions.size(); ++i) {
        const CoverSlotLayout::Control &caption = layout.fieldCaptions[i];
        m_fieldCaptions[i]
            = make.label(nameOf(caption), caption.twips, Qt::AlignRight | Qt::AlignVCenter, area);
    }

    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new MeasureField(nameOf(layout.fields[i]), area);
        m_fields[i]->setGeometry(placeOf(layout.fields[i]));
    }

    m_list = new TypologyList(nameOf(layout.list), area);
    m_list->setGeometry(placeOf(layout.list));

    m_border = new QCheckBox(area);
    m_border->setObjectName(nameOf(layout.border));
    m_border->setGeometry(placeOf(layout.border));
    m_borderCaption = make.label(nameOf(layout.borderCaption), layout.borderCaption.twips,
                                 Qt::AlignLeft | Qt::AlignVCenter, area);

    for (std::size_t i = 0; i < m_thumbnails.size(); ++i) {
        m_thumbnails[i] = new PictureBox(nameOf(layout.thumbnails[i]), area);
        m_thumbnails[i]->setGeometry(placeOf(layout.thumbnails[i]));
    }
}

QList<QWidget *> CoverSlotPanel::tabOrder() const
{
    QList<QWidget *> order { m_list, m_preview };
    for (MeasureField *field : m_fields)
        order.append(field);
    order.append(m_border);
    return order;
}

QList<PictureBox *> CoverSlotPanel::pictureBoxes() const
{
    return { m_preview, m_thumbnails[0], m_thumbnails[1] };
}

void CoverSlotPanel::setPicture(const LoadedPicture &picture, const QString &fileName)
{
    for (PictureBox *box : pictureBoxes())
        box->setPicture(picture, fileName);
}

void CoverSlotPanel::showTexts(const MainWindowTexts &texts)
{
    const bool a = slot() == CoverSlot::A;
    m_hint->setText(texts.loadHint);
    m_sizeHeading->setText(a ? texts.sizeHeadingA : texts.sizeHeadingB);
    m_positionHeading->setText(a ? texts.positionHeadingA : texts.positionHeadingB);
    m_borderCaption->setText(texts.borderCaption);
    for (const auto &[name, text] : texts.fieldLabels) {
        for (QLabel *caption : m_fieldCaptions) {
            if (caption->objectName() == name)
                caption->setText(text);
        }
    }
    m_list->setToolTip(texts.listTip);
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(texts.typologies);
    m_list->setCurrentIndex(-1);
}

SlotInput CoverSlotPanel::pageInput(bool border) const
{
    return { field(Measure::Width)->text(),
             field(Measure::Height)->text(),
             field(Measure::Horizontal)->text(),
             field(Measure::Vertical)->text(),
             border,
             m_preview->picture() };
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

void CoverSlotPanel::shapePictures(std::optional<double> labelHoleCm)
{
    std::optional<QSizeF> hole;
    if (labelHoleCm) {
        // A label too small for its hole shows no ring, as it prints none.
        const auto part = [&](Measure measure) {
            const double size = ReadNumber(field(measure)->text());
            return size > 0 ? std::clamp(*labelHoleCm / size, 0.0, 1.0) : 1.0;
        };
        hole = QSizeF(part(Measure::Width), part(Measure::Height));
    }
    for (PictureBox *box : pictureBoxes())
        box->setDiscHole(hole);
}

void CoverSlotPanel::alignHint()
{
    m_hint->setGeometry(m_preview->x(), m_hint->y(), m_preview->width(), m_hint->height());
}

} // namespace vellumark
