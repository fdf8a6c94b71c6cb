// Printing the covers and turning the DVD picture.
#include "app/mainwindow.h"

#include "app/coverslotpanel.h"
#include "logic/numbertext.h"
#include "logic/page/coverplan.h"
#include "logic/page/leanplan.h"
#include "logic/page/pdfexport.h"
#include "logic/pictures/rotatepicture.h"
#include "logic/programinfo.h"
#include "logic/settings/printercorrectionstore.h"
#include "logic/texts/calibrationtexts.h"
#include "logic/texts/messagetexts.h"
#include "print/calibrationdialog.h"
#include "print/printerpage.h"
#include "print/printjob.h"
#include "print/printpreview.h"
#include "widgets/busycursor.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

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

void MainWindow::connectPrinting()
{
    m_printJob = new PrintJob(this);
    m_printJob->setObjectName(QStringLiteral("PrintJob"));
    m_printJob->setCutOffQuestion([this](const QList<CutOff> &cuts, QWidget *parent) {
        return askToPrintCutOff(cuts, parent);
    });
    m_printJob->setCorrections([settings = m_settings](const QString &printer) {
        return PrinterCorrections(settings).of(printer);
    });
    connect(Command2, &QPushButton::clicked, this, &MainWindow::turnDvdPicture);
}

bool MainWindow::printerSetupFirst() const
{
    return ReadNumber(m_settings.text(QStringLiteral("Stampante"))) == 1.0;
}

CoverPlan MainWindow::currentPlan() const
{
    // Everything is read now: nothing of an earlier page is kept.
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
    input.cutMarks = ReadNumber(m_settings.text(QStringLiteral("Tagli"))) == 1.0;
    // Resampled once per command: the page is then painted as often as
    // needed (preview, paper) from pictures no finer than paper shows.
    const BusyCursor busy;
    return WithPrintResolution(BuildCoverPlan(input));
}

void MainWindow::PrintCovers()
{
    const bool askFirst = printerSetupFirst();
    const CoverPlan plan = currentPlan();
    reportPrintOutcome(m_printJob->print(plan, askFirst, this), plan);
}

void MainWindow::showPrintPreview()
{
    const CoverPlan plan = currentPlan();
    const std::optional<PrintOutcome> outcome = ShowPrintPreview(
        *m_printJob, plan, printerSetupFirst(), this, LanguageOfMarker(languageMarker()));
    if (outcome)
        reportPrintOutcome(*outcome, plan);
}

void MainWindow::exportPdf()
{
    const Language language = LanguageOfMarker(languageMarker());
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("PdfDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QString folder = Label2->text();
    dialog.setDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
    dialog.selectFile(QStringLiteral("cover.pdf"));
    const QString file
        = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    if (file.isEmpty()) {
        say(Messages(language).exportCancelled);
        return;
    }
    const CoverPlan plan = currentPlan();
    const BusyCursor busy;
    const bool written = ExportPdf(plan, m_printJob->exportPageLayout(), ProgramCaption(), file);
    say((written ? Messages(language).pdfSaved : Messages(language).pdfNotSaved)
            .arg(QDir::toNativeSeparators(file)));
}

bool MainWindow::askToPrintCutOff(const QList<CutOff> &cuts, QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, ProgramTitle(),
                    CutOffQuestion(LanguageOfMarker(languageMarker()), cuts),
                    QMessageBox::Yes | QMessageBox::No, parent ? parent : this);
    box.setObjectName(QStringLiteral("CutOffQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MainWindow::reportPrintOutcome(PrintOutcome outcome, const CoverPlan &plan)
{
    const Language language = LanguageOfMarker(languageMarker());
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
    case PrintOutcome::Failed:
        say(texts.noPrinter);
        return;
    case PrintOutcome::Cancelled:
    case PrintOutcome::CutOffDeclined:
        break;
    }
    say(texts.printCancelled);
}

void MainWindow::say(const QString &message)
{
    StatusBar1->showMessage(message);
}

void MainWindow::sayPictureFault(const QString &file)
{
    say(PictureFaultMessage(LanguageOfMarker(languageMarker()), QFileInfo(file).fileName(),
                            DiagnosePictureFile(file)));
}

void MainWindow::calibratePrinter()
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
        const bool askFirst = printerSetupFirst();
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

void MainWindow::showPrinterSetup()
{
    m_printJob->setUp(this);
}

void MainWindow::turnDvdPicture()
{
    if (!Image7->hasPicture())
        return;
    const QImage turned = QuarterTurnClockwise(Image7->picture());
    if (!turned.isNull())
        Image7->setPicture(turned, Image7->pictureFileName());
}

} // namespace vellumark
