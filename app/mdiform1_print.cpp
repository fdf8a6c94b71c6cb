// Printing the covers and turning the DVD picture.
#include "app/mdiform1.h"

#include "app/coverslotpanel.h"
#include "dialogs/printjob.h"
#include "logic/coverplan.h"
#include "logic/numbertext.h"
#include "logic/rotatepicture.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

namespace vellumark {

namespace {

SlotInput slotInput(const CoverSlotPanel &panel)
{
    SlotInput slot;
    slot.width = panel.field(Measure::Width)->text();
    slot.height = panel.field(Measure::Height)->text();
    slot.left = panel.field(Measure::Horizontal)->text();
    slot.top = panel.field(Measure::Vertical)->text();
    slot.border = panel.border()->isChecked();
    slot.picture = panel.preview()->picture();
    return slot;
}

} // namespace

void MdiForm1::connectPrinting()
{
    m_printJob = new PrintJob(this);
    m_printJob->setObjectName(QStringLiteral("PrintJob"));
    connect(Command2, &QPushButton::clicked, this, &MdiForm1::turnDvdPicture);
}

void MdiForm1::PrintCovers()
{
    // Everything is read now: nothing of an earlier page is kept.
    const bool askFirst = ReadNumber(m_settings.text(QStringLiteral("Stampante"))) == 1.0;

    CoverPlanInput input;
    input.slotA = slotInput(*m_slotA);
    input.slotB = slotInput(*m_slotB);
    input.selection = Option3->isChecked() ? PrintSelection::SlotA
        : Option4->isChecked()             ? PrintSelection::SlotB
                                           : PrintSelection::BothSlots;
    // isHidden, not isVisible: the panel counts as shown even while the
    // window itself is not on screen.
    input.dvdMode = !Frame1->isHidden();
    input.dvdFullCase = Option6->isChecked();
    input.dvdPicture = Image7->picture();
    input.borderWidth = m_settings.text(QStringLiteral("Spessore"));

    m_printJob->print(BuildCoverPlan(input), askFirst, this);
}

void MdiForm1::showPrinterSetup()
{
    m_printJob->setUp(this);
}

void MdiForm1::turnDvdPicture()
{
    if (!Image7->hasPicture())
        return;
    const QImage turned = QuarterTurnClockwise(Image7->picture());
    if (!turned.isNull())
        Image7->setPicture(turned);
}

} // namespace vellumark
