#include "print/calibrationdialog.h"

#include "dialogs/settingsfailurebox.h"
#include "logic/numbertext.h"
#include "logic/texts/calibrationtexts.h"
#include "print/printerpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <cmath>

namespace vellumark {

namespace {

const std::array<QString, kCalibrationMeasures> &fieldNames()
{
    static const std::array<QString, kCalibrationMeasures> names
        = { QStringLiteral("RulerX"), QStringLiteral("RulerY"), QStringLiteral("CrossX"),
            QStringLiteral("CrossY") };
    return names;
}

QString rounded(double value, int decimals)
{
    const double unit = std::pow(10.0, decimals);
    return FormatNumber(std::round(value * unit) / unit);
}

} // namespace

CalibrationDialog::CalibrationDialog(PrinterCorrections corrections, PrinterPage page,
                                     Language language, QWidget *parent)
    : QDialog(parent)
    , m_corrections(std::move(corrections))
    , m_page(std::move(page))
    , m_language(language)
{
    setObjectName(QStringLiteral("CalibrationDialog"));
    const CalibrationTexts &texts = CalibrationTextsOf(language);
    setWindowTitle(texts.title);

    auto *grid = new QGridLayout(this);
    auto *printer = new QLabel(texts.printerLine.arg(m_page.printerName), this);
    printer->setObjectName(QStringLiteral("PrinterName"));
    grid->addWidget(printer, 0, 0, 1, 3);

    const auto expected = ExpectedMeasures(m_page);
    for (int i = 0; i < kCalibrationMeasures; ++i) {
        auto *label = new QLabel(texts.measures.at(std::size_t(i)), this);
        auto *field = new QLineEdit(this);
        field->setObjectName(fieldNames().at(std::size_t(i)));
        label->setBuddy(field);
        auto *hint = new QLabel(texts.expected.arg(rounded(expected.at(std::size_t(i)), 1)), this);
        hint->setObjectName(QStringLiteral("Expected") + fieldNames().at(std::size_t(i)));
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(field, i + 1, 1);
        grid->addWidget(hint, i + 1, 2);
        m_fields.at(std::size_t(i)) = field;
    }

    m_current = new QLabel(this);
    m_current->setObjectName(QStringLiteral("CurrentCorrection"));
    grid->addWidget(m_current, kCalibrationMeasures + 1, 0, 1, 3);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(texts.cancel, this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto *reset = new QPushButton(texts.reset, this);
    reset->setObjectName(QStringLiteral("ResetButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, kCalibrationMeasures + 2, 0, 1, 3);

    connect(ok, &QPushButton::clicked, this, &CalibrationDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(reset, &QPushButton::clicked, this, &CalibrationDialog::resetCorrection);
    showCurrentCorrection();
}

void CalibrationDialog::confirm()
{
    std::array<QString, kCalibrationMeasures> measured;
    for (int i = 0; i < kCalibrationMeasures; ++i)
        measured.at(std::size_t(i)) = m_fields.at(std::size_t(i))->text();
    const CalibrationOutcome outcome = ComputeCorrection(m_page, measured);
    if (!outcome.accepted()) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), RefusalMessage(m_language, outcome),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("CalibrationRefusal"));
        box.exec();
        QLineEdit *field = m_fields.at(std::size_t(outcome.measure));
        field->setFocus();
        field->selectAll();
        return;
    }
    const SettingsWrite stored = m_corrections.store(m_page.printerName, outcome.correction);
    if (!stored.ok()) {
        // The measures stay in the fields: the user may free the disk and
        // press OK again.
        ShowSettingsNotSaved(this, m_language, stored);
        return;
    }
    accept();
}

void CalibrationDialog::resetCorrection()
{
    const SettingsWrite removed = m_corrections.remove(m_page.printerName);
    if (!removed.ok())
        ShowSettingsNotSaved(this, m_language, removed);
    showCurrentCorrection();
}

void CalibrationDialog::showCurrentCorrection()
{
    const CalibrationTexts &texts = CalibrationTextsOf(m_language);
    const std::optional<PrinterCorrection> current = m_corrections.of(m_page.printerName);
    if (!current) {
        m_current->setText(texts.noCorrection);
        return;
    }
    m_current->setText(
        texts.currentCorrection.arg(rounded(current->scaleX, 4), rounded(current->scaleY, 4),
                                    rounded(current->offsetX, 2), rounded(current->offsetY, 2)));
}

bool IsCalibratablePrinter(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty()
        && !QPrinterInfo::printerInfo(printer.printerName()).isNull();
}

void CalibratePrinter(const QPrinter &printer, PrinterCorrections corrections, Language language,
                      QWidget *parent)
{
    const CalibrationTexts &texts = CalibrationTextsOf(language);
    if (!IsCalibratablePrinter(printer)) {
        // A correction stored for a file would never be applied.
        QMessageBox box(QMessageBox::Information, texts.title, texts.onlyForPrinters,
                        QMessageBox::Ok, parent);
        box.setObjectName(QStringLiteral("CalibrationNoPrinter"));
        box.exec();
        return;
    }
    CalibrationDialog dialog(std::move(corrections), DescribePrinter(printer), language, parent);
    dialog.exec();
}

} // namespace vellumark
