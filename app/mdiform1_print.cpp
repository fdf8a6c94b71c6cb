// Printing the covers and turning the DVD picture.
#include "app/mdiform1.h"

#include "dialogs/calibrationdialog.h"
#include "dialogs/printerpage.h"
#include "dialogs/printjob.h"
#include "logic/calibrationtexts.h"
#include "logic/coverplan.h"
#include "logic/numbertext.h"
#include "logic/printercorrectionstore.h"
#include "logic/rotatepicture.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"

#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace vellumark {

namespace {

SlotInput slotInput(const MeasureField *width, const MeasureField *height, const MeasureField *left,
                    const MeasureField *top, const QCheckBox *border, const PictureBox *picture)
{
    SlotInput slot;
    slot.width = width->text();
    slot.height = height->text();
    slot.left = left->text();
    slot.top = top->text();
    slot.border = border->isChecked();
    slot.picture = picture->picture();
    return slot;
}

} // namespace

void MdiForm1::connectPrinting()
{
    m_printJob = new PrintJob(this);
    m_printJob->setObjectName(QStringLiteral("PrintJob"));
    m_printJob->setCorrections([settings = m_settings](const QString &printer) {
        return PrinterCorrections(settings).of(printer);
    });
    connect(Command2, &QPushButton::clicked, this, &MdiForm1::turnDvdPicture);
}

void MdiForm1::PrintCovers()
{
    // Everything is read now: nothing of an earlier page is kept.
    const bool askFirst
        = ReadNumber(m_settings.text(QStringLiteral("Stampante"), QStringLiteral("1"))) == 1.0;

    CoverPlanInput input;
    input.slotA = slotInput(Text1, Text2, Text5, Text6, Check1, Image1);
    input.slotB = slotInput(Text3, Text4, Text7, Text8, Check2, Image2);
    input.selection = Option3->isChecked() ? PrintSelection::SlotA
        : Option4->isChecked()             ? PrintSelection::SlotB
                                           : PrintSelection::BothSlots;
    // isHidden, not isVisible: the panel counts as shown even while the
    // window itself is not on screen.
    input.dvdMode = !Frame1->isHidden();
    input.dvdFullCase = Option6->isChecked();
    input.dvdPicture = Image7->picture();
    input.borderWidth = m_settings.text(QStringLiteral("Spessore"), QStringLiteral("5"));
    input.cutMarks
        = ReadNumber(m_settings.text(QStringLiteral("Tagli"), QStringLiteral("0"))) == 1.0;

    if (!m_printJob->print(BuildCoverPlan(input), askFirst, this))
        return;
    // A word on the last page's correction must not outlive it.
    const QString corrected = m_printJob->correctedFor();
    if (corrected.isEmpty()) {
        StatusBar1->clearMessage();
        return;
    }
    const Language language = LanguageOfMarker(languageMarker());
    StatusBar1->showMessage(CalibrationTextsOf(language).correctedFor.arg(corrected));
}

void MdiForm1::calibratePrinter()
{
    const Language language = LanguageOfMarker(languageMarker());
    const CalibrationTexts &texts = CalibrationTextsOf(language);
    // No: the measures of a page printed earlier.
    QMessageBox question(QMessageBox::Question, texts.title, texts.printFirstQuestion,
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    question.setObjectName(QStringLiteral("CalibrationQuestion"));
    const int answer = question.exec();
    if (answer == QMessageBox::Cancel)
        return;
    if (answer == QMessageBox::Yes) {
        const bool askFirst
            = ReadNumber(m_settings.text(QStringLiteral("Stampante"), QStringLiteral("1"))) == 1.0;
        const auto lines = [language](const PrinterPage &page) {
            return CalibrationPageLines(language, page, QDate::currentDate());
        };
        if (!m_printJob->printCalibrationPage(lines, askFirst, this))
            return;
    }
    CalibrationDialog dialog(PrinterCorrections(m_settings), DescribePrinter(m_printJob->printer()),
                             language, this);
    dialog.exec();
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
