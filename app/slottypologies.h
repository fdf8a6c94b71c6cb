#pragma once

#include "logic/settings/programsettings.h"
#include "logic/typology.h"

namespace vellumark {

class CoverSlotPanel;
struct WindowState;

// The typology chosen in each slot and the measures it keeps: a choice
// fills the slot's fields with the measures last used for that typology,
// and every edit of a field is stored for it at once.
class SlotTypologies
{
public:
    SlotTypologies(ProgramSettings settings, WindowState &state, CoverSlotPanel &slotA,
                   CoverSlotPanel &slotB);

    // Selects a typology from code or from the list, and fills the slot.
    void select(CoverSlotPanel &panel, int index);
    // Fills the slot from its current typology's stored measures.
    void apply(CoverSlotPanel &panel);
    void storeMeasure(CoverSlotPanel &panel, Measure measure);
    // Shows the slot's pictures round when its typology is the disc label.
    void shapePictures(CoverSlotPanel &panel);

private:
    ProgramSettings m_settings;
    WindowState &m_state;
    CoverSlotPanel &m_slotA;
    CoverSlotPanel &m_slotB;
};

} // namespace vellumark
