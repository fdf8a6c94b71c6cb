#include "app/printcommands.h"

#include "dialogs/pdffiledialog.h"
#include "logic/numbertext.h"
#include "logic/page/leanplan.h"
#include "logic/page/pdfexport.h"
#include "logic/programinfo.h"
#include "logic/settings/printercorrectionstore.h"
#include "logic/settings/windowstate.h"
#include "logic/texts/calibrationtexts.h"
#include "logic/texts/failuretexts.h"
#include "logic/texts/messagetexts.h"
#include "print/calibrationdialog.h"
#include "print/printjob.h"
#include "print/printpreview.h"
#include "widgets/busycursor.h"

#include <QDate>
#include <QDir>
#include <QMessageBox>
#include <QPrinter>
#include <QStatusBar>

namespace vellumark {

PrintCommands::PrintCommands(ProgramSettings settings, const WindowState &state, PageSource page,
                             QStatusBar *status, QWidget *window)
    : QObject(window)
    , m_settings(std::move(settings))
    , m_state(state)
    , m_page(std::move(page))
    , m_status(status)
    , m_window(window)
    , m_printJob(new PrintJob(window))
{
    m_printJob->setObjectName(QStringLiteral("PrintJob"));
    m_printJob->setCutOffQuestion([this](const QList<CutOff> &cuts, QWidget *parent) {
        return askToPrintCutOff(cuts, parent);
    });
    m_printJob->setCorrections([settings = m_settings](const QString &printer) {
        return PrinterCorrections(settings).of(printer);
    });
}

bool PrintCommands::printerSetupFirst() const
{
    return ReadNumber(m_settings.text(SettingName::PrinterSetupFirst)) == 1.0;
}

CoverPlan PrintCommands::currentPlan() const
{
    // Everything is read now: nothing of an earlier page is kept.
    CoverPlanInput input = m_page();
    input.borderWidth = m_settings.text(SettingName::BorderWidth);
    input.cutMarks = ReadNumber(m_settings.text(SettingName::CutMarks)) == 1.0;
    // Resampled once per command: the page is then painted as often as
    // needed (preview, paper) from pictures no finer than paper shows.
    const BusyCursor busy;
    return WithPrintResolution(BuildCoverPlan(input));
}

void PrintCommands::print()
{
    const bool askFirst = printerSetupFirst();
    const CoverPlan plan = currentPlan();
    reportOutcome(m_printJob->print(plan, askFirst, m_window), plan);
}

void PrintCommands::showPreview()
{
    const CoverPlan plan = currentPlan();
    const std::optional<PrintOutcome> outcome
        = ShowPrintPreview(*m_printJob, plan, printerSetupFirst(), m_state.language, m_window);
    if (outcome)
        reportOutcome(*outcome, plan);
}

void PrintCommands::exportPdf()
{
    const MessageTexts &texts = Messages(m_state.language);
    PdfFileDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("PdfDialog"));
    const QString &folder = m_state.pictureFolder;
    dialog.setDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
    dialog.selectFile(QStringLiteral("cover.pdf"));
    const QString chosen
        = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    const QString file = chosen.isEmpty() ? chosen : WithPdfSuffix(chosen);
    if (file.isEmpty()) {
        say(texts.exportCancelled);
        return;
    }
    const CoverPlan plan = currentPlan();
    const BusyCursor busy;
    const bool written = ExportPdf(plan, m_printJob->exportPageLayout(), ProgramCaption(), file);
    say((written ? texts.pdfSaved : texts.pdfNotSaved).arg(QDir::toNativeSeparators(file)));
}

bool PrintCommands::askToPrintCutOff(const QList<CutOff> &cuts, QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, ProgramTitle(), CutOffQuestion(m_state.language, cuts),
                    QMessageBox::Yes | QMessageBox::No, parent ? parent : m_window);
    box.setObjectName(QStringLiteral("CutOffQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void PrintCommands::reportOutcome(PrintOutcome outcome, const CoverPlan &plan)
{
    const Language language = m_state.language;
    const MessageTexts &texts = Messages(language);
    switch (outcome) {
    case PrintOutcome::Printed: {
        QString message = PageSentMessage(language, m_printJob->destination(), plan.covers);
        const QString corrected = m_printJob->correctedFor();
        if (!corrected.isEmpty())
            message += u' ' + CalibrationTextsOf(language).correctedFor.arg(corrected);
        say(message);
        return;
    }
    case PrintOutcome::NoPrinter:
        say(texts.noPrinter);
        return;
    case PrintOutcome::Failed:
        say(FailuresIn(language).pageNotPrinted.arg(
            m_printJob->destination(), PrintFaultReason(language, m_printJob->lastFault())));
        return;
    case PrintOutcome::Cancelled:
    case PrintOutcome::CutOffDeclined:
        break;
    }
    say(texts.printCancelled);
}

void PrintCommands::say(const QString &message)
{
    m_status->showMessage(message);
}

void PrintCommands::calibrate()
{
    const Language language = m_state.language;
    const CalibrationTexts &texts = CalibrationTextsOf(language);
    // No: the measures of a page printed earlier.
    QMessageBox question(QMessageBox::Question, texts.title, texts.printFirstQuestion,
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_window);
    question.setObjectName(QStringLiteral("CalibrationQuestion"));
    const int answer = question.exec();
    if (answer == QMessageBox::Cancel)
        return;
    if (answer == QMessageBox::Yes) {
        const bool askFirst = printerSetupFirst();
        const auto lines = [language](const PrinterPage &page) {
            return CalibrationPageLines(language, page, QDate::currentDate());
        };
        const PrintOutcome outcome = m_printJob->printCalibrationPage(lines, askFirst, m_window);
        if (outcome != PrintOutcome::Printed) {
            sayCalibrationPageOutcome(outcome);
            return;
        }
    }
    CalibratePrinter(m_printJob->printer(), PrinterCorrections(m_settings), language, m_window);
}

void PrintCommands::sayCalibrationPageOutcome(PrintOutcome outcome)
{
    const Language language = m_state.language;
    const FailureTexts &texts = FailuresIn(language);
    switch (outcome) {
    case PrintOutcome::Printed:
        return;
    case PrintOutcome::NoPrinter:
        say(Messages(language).noPrinter);
        return;
    case PrintOutcome::Failed:
        say(texts.calibrationPageNotPrinted.arg(
            m_printJob->destination(), PrintFaultReason(language, m_printJob->lastFault())));
        return;
    case PrintOutcome::Cancelled:
    case PrintOutcome::CutOffDeclined:
        break;
    }
    say(texts.calibrationPageCancelled);
}

void PrintCommands::setUpPrinter()
{
    m_printJob->setUp(m_window);
}

} // namespace vellumark
