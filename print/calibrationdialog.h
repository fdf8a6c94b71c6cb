#pragma once

#include "logic/page/printercalibration.h"
#include "logic/settings/printercorrectionstore.h"
#include "logic/texts/language.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace vellumark {

// Asks for the four measures taken on a printed calibration page, beside
// the values a faultless printer would give, and stores the printer's
// correction on OK. Measures that are surely wrong are refused, saying
// which and why; Cancel stores nothing; Reset removes the correction.
class CalibrationDialog : public QDialog
{
    Q_OBJECT

public:
    CalibrationDialog(PrinterCorrections corrections, PrinterPage page, Language language,
                      QWidget *parent = nullptr);

private:
    void confirm();
    void resetCorrection();
    void showCurrentCorrection();

    PrinterCorrections m_corrections;
    PrinterPage m_page;
    Language m_language;
    std::array<QLineEdit *, kCalibrationMeasures> m_fields {};
    QLabel *m_current = nullptr;
};

// Whether pages go to a printer that can be calibrated: not to a PDF file,
// and not nowhere (no printer installed).
bool IsCalibratablePrinter(const QPrinter &printer);

// The calibration dialog for the printer; for a PDF file or no printer at
// all it says that calibration is for a printer instead, storing nothing.
void CalibratePrinter(const QPrinter &printer, PrinterCorrections corrections, Language language,
                      QWidget *parent);

} // namespace vellumark
