#include "logic/typology.h"

#include "logic/numbertext.h"

#include <array>

namespace vellumark {

namespace {

struct Standard
{
    const char *width;
    const char *height;
    const char *horizontal;
    const char *verticalA;
    const char *verticalB;
};

// The catalogue. Slot B's vertical standard is slot A's position plus
// slot A's standard height.
constexpr std::array<Standard, TypologyCount> Catalogue = { {
    { "12.1", "12.1", "2", "2", "14.1" },
    { "15", "11.8", "2", "2", "13.8" },
    { "13.7", "11.8", "2", "2", "13.8" },
    { "11.7", "11.7", "2", "2", "13.7" },
} };

constexpr std::array<SlotAPreview, TypologyCount> PreviewA = { {
    { 2640, 2640, 2295 },
    { 2880, 2870, 2535 },
    { 2760, 2760, 2415 },
    { 2640, 2640, 2295 }, // square, like the front
} };

constexpr std::array<SlotBPreview, TypologyCount> PreviewB = { {
    { 3120, 3120, 3240, 2295 },
    { 2880, 2890, 3000, 2535 },
    { 3000, 3000, 3120, 2415 },
    { 3120, 3120, 3240, 2295 },
} };

} // namespace

QString StandardMeasure(int typology, Measure measure, CoverSlot slot)
{
    if (!IsTypologyIndex(typology))
        return QString();
    const Standard &s = Catalogue[std::size_t(typology)];
    switch (measure) {
    case Measure::Width:
        return QString::fromLatin1(s.width);
    case Measure::Height:
        return QString::fromLatin1(s.height);
    case Measure::Horizontal:
        return QString::fromLatin1(s.horizontal);
    case Measure::Vertical:
        return QString::fromLatin1(slot == CoverSlot::A ? s.verticalA : s.verticalB);
    }
    return QString();
}

QString MeasureValueName(int typology, Measure measure, CoverSlot slot)
{
    return QString::number(typology) + QString::number(int(measure))
        + (slot == CoverSlot::A ? u'A' : u'B');
}

QList<std::pair<QString, QString>> DefaultMeasureValues()
{
    QList<std::pair<QString, QString>> values;
    for (CoverSlot slot : { CoverSlot::A, CoverSlot::B }) {
        for (int typology = 0; typology < TypologyCount; ++typology) {
            for (Measure measure :
                 { Measure::Width, Measure::Height, Measure::Horizontal, Measure::Vertical }) {
                values.append({ MeasureValueName(typology, measure, slot),
                                StandardMeasure(typology, measure, slot) });
            }
        }
    }
    return values;
}

QString DerivedVerticalB(const QString &verticalA, const QString &heightA)
{
    return FormatNumber(ReadNumber(verticalA) + ReadNumber(heightA));
}

SlotAPreview SlotAPreviewGeometry(int typology)
{
    return PreviewA[std::size_t(IsTypologyIndex(typology) ? typology : 0)];
}

SlotBPreview SlotBPreviewGeometry(int typology)
{
    return PreviewB[std::size_t(IsTypologyIndex(typology) ? typology : 0)];
}

} // namespace vellumark
