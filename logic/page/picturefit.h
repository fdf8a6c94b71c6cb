#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringView>

namespace vellumark {

// How a picture meets its cover.
enum class FitMode {
    Stretch, // to the cover's shape, proportions lost
    Fill, // proportions kept, covering it all; the overflow is cut off
    Fit, // proportions kept, the whole picture as large as fits, centred
};

// "0", "1" and "2" as stored; anything else is a stretch.
FitMode FitModeFromText(QStringView text);
QString FitModeText(FitMode mode);

inline constexpr double kLeastZoom = 1.0; // the picture's limiting side shows whole
inline constexpr double kMostZoom = 4.0;

// The part of the picture a filled cover shows: how far it is zoomed in,
// and where the part's centre lies, as fractions of the picture's width
// and height. Fractions keep the choice the same on a smaller copy.
struct PictureCrop
{
    double zoom = kLeastZoom;
    QPointF centre { 0.5, 0.5 };

    bool operator==(const PictureCrop &) const = default;
};

struct PictureFit
{
    FitMode mode = FitMode::Stretch;
    PictureCrop crop; // Fill only

    bool operator==(const PictureFit &) const = default;
};

// A picture fitted to a rectangle: the part of it that shows, in the
// picture's pixels, and the rectangle that part is painted into, in the
// rectangle's units.
struct FittedPicture
{
    QRectF source;
    QRectF target;
};

// The one rule for the page and for the preview boxes. An empty picture or
// rectangle is stretched.
FittedPicture FitPicture(const QSizeF &picture, const QRectF &target, const PictureFit &fit);

// The crop as it can be: zoom within its limits, the part shown inside the
// picture. target is the shape of what it fills.
PictureCrop KeptInside(const QSizeF &picture, const QSizeF &target, PictureCrop crop);

// The crop after the picture was pulled by delta, in target's units: the
// picture follows the pointer.
PictureCrop Dragged(const QSizeF &picture, const QSizeF &target, PictureCrop crop, QPointF delta);

// The crop zoomed by a factor about a point of the target (from its top
// left corner): the picture's point under it stays there.
PictureCrop Zoomed(const QSizeF &picture, const QSizeF &target, PictureCrop crop, double factor,
                   QPointF about);

} // namespace vellumark
