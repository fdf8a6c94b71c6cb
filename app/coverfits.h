#pragma once

#include "logic/page/coverplan.h"
#include "logic/settings/programsettings.h"

#include <QObject>

namespace vellumark {

class CoverSlotPanel;
class PictureBox;
struct WindowState;

// How each cover's picture meets it: the three previews offer the fit
// modes, each stored under its own name as soon as it is chosen, and show
// their cover's shape and bleed, so that they show what prints.
class CoverFits : public QObject
{
    Q_OBJECT

public:
    CoverFits(ProgramSettings settings, const WindowState &state, const CoverSlotPanel &slotA,
              const CoverSlotPanel &slotB, PictureBox *dvd, QObject *parent = nullptr);

    // The stored modes, and the covers' shapes.
    void showStored();
    // The covers' sizes from the fields and the DVD format, with the bleed.
    void showShapes();
    // The fits and the bleed of the page.
    void addTo(CoverPlanInput &input) const;

private:
    ProgramSettings m_settings;
    const WindowState &m_state;
    const CoverSlotPanel &m_slotA;
    const CoverSlotPanel &m_slotB;
    PictureBox *m_dvd;
};

} // namespace vellumark
