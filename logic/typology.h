#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace vellumark {

enum class CoverSlot { A, B };

// The four measures of a cover, by their digit in a measure value's name.
enum class Measure { Width = 1, Height = 2, Horizontal = 3, Vertical = 4 };

// 0 front, 1 back with flaps, 2 back without, 3 disc label
inline constexpr int TypologyCount = 4;
inline constexpr int DiscLabelTypology = 3;

inline bool IsTypologyIndex(int index)
{
    return index >= 0 && index < TypologyCount;
}

// A disc label prints round: the picture fills the ring between the circle
// inscribed in its rectangle and the centre hole.
inline bool IsDiscLabel(int typology)
{
    return typology == DiscLabelTypology;
}

// The standard measure of a typology as text ("12.1", "15", "13.7", "11.8",
// "11.7", "2"); for slot B's vertical position, the position below slot A's
// standard cover ("14.1", "13.8", "13.8", "13.7"). Empty for an invalid
// typology.
QString StandardMeasure(int typology, Measure measure, CoverSlot slot);

// The settings value name of a measure: typology digit, measure digit and
// slot letter, such as "21A".
QString MeasureValueName(int typology, Measure measure, CoverSlot slot);

// The measure values of every typology with their defaults, in the order the options
// dialog writes them: slot A's then slot B's, typology by typology.
QList<std::pair<QString, QString>> DefaultMeasureValues();

// Slot B lies below slot A: its vertical position is slot A's vertical
// position plus slot A's height, both read by the number rule.
QString DerivedVerticalB(const QString &verticalA, const QString &heightA);

// On-screen preview geometry of a typology, in twips.
struct SlotAPreview
{
    int topBottomRightX2; // Line33 and Line35
    int rightEdgeX; // Line36, X1 and X2
    int pictureWidth; // Image1
};
struct SlotBPreview
{
    int topBottomLeftX1; // Line40 and Line38
    int leftEdgeX; // Line39, X1 and X2
    int pictureLeft; // Image2
    int pictureWidth; // Image2
};
SlotAPreview SlotAPreviewGeometry(int typology);
SlotBPreview SlotBPreviewGeometry(int typology);

} // namespace vellumark
