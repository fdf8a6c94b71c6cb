#pragma once

#include "logic/dvdformat.h"
#include "logic/page/picturefit.h"
#include "logic/pictures/loadedpicture.h"
#include "logic/settings/borderwidth.h"
#include "logic/settings/labelhole.h"

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vellumark {

// Which cover slots the print selection puts on the page.
enum class PrintSelection { SlotA, SlotB, BothSlots };

// What the window holds for one cover slot when the print command runs.
struct SlotInput
{
    QString width; // texts of the size and position fields, in cm
    QString height;
    QString left;
    QString top;
    bool border = false;
    LoadedPicture picture;
    bool discLabel = false; // the slot's typology is the disc label
};

// Everything the page depends on, as the window holds it.
struct CoverPlanInput
{
    SlotInput slotA;
    SlotInput slotB;
    PrintSelection selection = PrintSelection::BothSlots;
    bool dvdMode = false; // the DVD panel is shown
    DvdFormat dvdFormat = DvdFormat::FullCase;
    LoadedPicture dvdPicture;
    // How each cover's picture meets it.
    PictureFit fitA;
    PictureFit fitB;
    PictureFit dvdFit;
    QString borderWidth = FallbackBorderWidth(); // the "Spessore" setting
    bool cutMarks = false; // the "Tagli" setting
    QString labelHole = FallbackLabelHole(); // the "Foro" setting
    QString bleed; // the "Abbondanza" setting, in mm
};

// One picture on the page. The rectangle is the cover, in centimetres from
// the top left corner of the printable area; a null picture leaves it
// empty. The picture's part source (in its pixels) is painted into target
// (in cm), within paintArea when that is not empty: the cover with its
// bleed, less the other covers. Without a source the picture is
// stretched to the cover. What is painted are the pixels, decoded for the
// page once per command (WithPrintResolution), with the source in their
// measures; without them the picture is decoded whole when painted.
// A disc label shows its picture only on the ring between the ellipse
// inscribed in the rectangle and the centred hole, within the paint area
// too; with bleed the ring runs past its edge and into its hole by the
// bleed. Its border is those two edges. Cut marks, the fit check and the
// preview's marks take its rectangle.
struct PlacedPicture
{
    QRectF rect;
    bool border = false;
    LoadedPicture picture;
    QImage pixels;
    QRectF source;
    QRectF target;
    QPainterPath paintArea;
    bool disc = false;
    double holeCm = 0; // the disc label's hole diameter
};

// One page: what goes where, in painting order (later pictures lie on top).
struct CoverPlan
{
    bool dvdMode = false;
    int borderWidth = 1; // in device pixels
    QList<PlacedPicture> pictures;
    // How messages name each picture's cover: "A", "B" or "DVD".
    QStringList covers;
    // Lines in centimetres, as thick as kCutMarkWidthCm, painted last.
    QList<QLineF> cutMarks;
    double bleedCm = 0; // how far pictures run past their covers' edges
};

inline constexpr double kCutMarkWidthCm = 0.01;

CoverPlan BuildCoverPlan(const CoverPlanInput &input);

// Where a slot's cover goes, in cm, as the page places it.
QRectF SlotRect(const SlotInput &slot);
// The DVD cover of a format.
QRectF DvdRect(DvdFormat format);

// The border width in device pixels for a "Spessore" text: the number
// rounded halves to even, but never thinner than one pixel (a zero-width
// line is no line) nor absurdly wide.
int BorderWidthFromText(QStringView text);

// Positions and sizes are kept within this many centimetres of the page's
// origin, so that no typed number can make the painter's geometry overflow.
inline constexpr double kPageReachCm = 1000.0;

} // namespace vellumark
