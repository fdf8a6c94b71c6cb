#include "app/coverfits.h"

#include "app/coverslotpanel.h"
#include "logic/settings/bleedwidth.h"
#include "logic/settings/windowstate.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"

namespace vellumark {

CoverFits::CoverFits(ProgramSettings settings, const WindowState &state,
                     const CoverSlotPanel &slotA, const CoverSlotPanel &slotB, PictureBox *dvd,
                     QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_state(state)
    , m_slotA(slotA)
    , m_slotB(slotB)
    , m_dvd(dvd)
{
    const std::pair<PictureBox *, QString> boxes[] = {
        { slotA.preview(), SettingName::FitA },
        { slotB.preview(), SettingName::FitB },
        { dvd, SettingName::FitDvd },
    };
    for (const auto &[box, name] : boxes) {
        box->setFittable(true);
        box->setLanguageSource([this] { return m_state.language; });
        connect(box, &PictureBox::fitModeChosen, this,
                [this, name](FitMode mode) { m_settings.setText(name, FitModeText(mode)); });
    }
    for (const CoverSlotPanel *panel : { &slotA, &slotB }) {
        for (MeasureField *field : panel->fields())
            connect(field, &QLineEdit::textChanged, this, &CoverFits::showShapes);
    }
}

void CoverFits::showStored()
{
    m_slotA.preview()->setFitMode(FitModeFromText(m_settings.text(SettingName::FitA)));
    m_slotB.preview()->setFitMode(FitModeFromText(m_settings.text(SettingName::FitB)));
    m_dvd->setFitMode(FitModeFromText(m_settings.text(SettingName::FitDvd)));
    showShapes();
}

void CoverFits::showShapes()
{
    const double bleed = BleedCentimetres(m_settings.text(SettingName::Bleed));
    for (const CoverSlotPanel *panel : { &m_slotA, &m_slotB }) {
        const QRectF cover = SlotRect(panel->pageInput(false)).normalized();
        panel->preview()->setCoverShape({ cover.size(), bleed });
    }
    m_dvd->setCoverShape({ DvdRect(m_state.dvdFullCase).size(), bleed });
}

void CoverFits::addTo(CoverPlanInput &input) const
{
    input.fitA = m_slotA.preview()->fit();
    input.fitB = m_slotB.preview()->fit();
    input.dvdFit = m_dvd->fit();
    input.bleed = m_settings.text(SettingName::Bleed);
}

} // namespace vellumark
