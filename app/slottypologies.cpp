#include "app/slottypologies.h"

#include "app/coverslotpanel.h"
#include "logic/settings/labelhole.h"
#include "logic/settings/windowstate.h"
#include "widgets/measurefield.h"
#include "widgets/typologylist.h"

#include <QSignalBlocker>

namespace vellumark {

namespace {

constexpr Measure Measures[]
    = { Measure::Width, Measure::Height, Measure::Horizontal, Measure::Vertical };

} // namespace

SlotTypologies::SlotTypologies(ProgramSettings settings, WindowState &state, CoverSlotPanel &slotA,
                               CoverSlotPanel &slotB)
    : m_settings(std::move(settings))
    , m_state(state)
    , m_slotA(slotA)
    , m_slotB(slotB)
{ }

void SlotTypologies::select(CoverSlotPanel &panel, int index)
{
    m_state.typology(panel.slot()) = index;
    {
        const QSignalBlocker quiet(panel.list());
        panel.list()->setCurrentIndex(index);
    }
    apply(panel);
}

void SlotTypologies::apply(CoverSlotPanel &panel)
{
    const int index = m_state.typology(panel.slot());
    if (IsTypologyIndex(index)) {
        for (Measure measure : Measures) {
            // Slot B's vertical position follows slot A's cover, below.
            if (panel.slot() == CoverSlot::B && measure == Measure::Vertical)
                continue;
            panel.field(measure)->setText(
                m_settings.text(MeasureValueName(index, measure, panel.slot()),
                                StandardMeasure(index, measure, panel.slot())));
        }
        m_slotB.field(Measure::Vertical)
            ->setText(DerivedVerticalB(m_slotA.field(Measure::Vertical)->text(),
                                       m_slotA.field(Measure::Height)->text()));
        panel.shapePreview(index);
        shapePictures(panel);
    }
    panel.alignHint();
}

void SlotTypologies::shapePictures(CoverSlotPanel &panel)
{
    std::optional<double> hole;
    if (IsDiscLabel(m_state.typology(panel.slot())))
        hole = LabelHoleCm(m_settings.text(SettingName::LabelHole));
    panel.shapePictures(hole);
}

void SlotTypologies::storeMeasure(CoverSlotPanel &panel, Measure measure)
{
    const int index = m_state.typology(panel.slot());
    if (!IsTypologyIndex(index))
        return;
    m_settings.setText(MeasureValueName(index, measure, panel.slot()),
                       panel.field(measure)->text());
    // A label's hole keeps its size in centimetres as the label's changes.
    if (measure == Measure::Width || measure == Measure::Height)
        shapePictures(panel);
}

} // namespace vellumark
