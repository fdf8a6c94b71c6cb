#include "dialogs/optionsdialog.h"

#include "dialogs/settingsfailurebox.h"
#include "logic/numbertext.h"
#include "logic/programinfo.h"
#include "logic/settings/bleedwidth.h"
#include "logic/settings/borderwidth.h"
#include "logic/settings/labelhole.h"
#include "logic/texts/dialogtexts.h"
#include "logic/twips.h"
#include "logic/typology.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace vellumark {

namespace {

bool isTicked(const QString &flag)
{
    return RoundHalfEven(ReadNumber(flag)) != 0;
}

QString flagOf(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

OptionsDialog::OptionsDialog(ProgramSettings settings, QString languageMarker, QWidget *parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
    , m_languageMarker(std::move(languageMarker))
{
    setObjectName(QStringLiteral("Form3"));
    setFixedSize(TwipsToPixels(4695), TwipsToPixels(4095));
    // The main window's small type, so the texts fit the controls' twips.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    auto checkBox = [this](const QString &name, QRect twips) {
        auto *box = new QCheckBox(this);
        box->setObjectName(name);
        box->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        return box;
    };
    auto label = [this](const QString &name, QRect twips) {
        auto *text = new QLabel(this);
        text->setObjectName(name);
        text->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        text->setWordWrap(true);
        return text;
    };
    auto button = [this](const QString &name, QRect twips) {
        auto *push = new QPushButton(this);
        push->setObjectName(name);
        push->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        return push;
    };

    // The texts reach to the dialog's right margin and wrap there: the
    // longest, German, takes two lines.
    Check1 = checkBox(QStringLiteral("Check1"), QRect(480, 240, 210, 210));
    Label2 = label(QStringLiteral("Label2"), QRect(840, 240, 3735, 255));
    Check2 = checkBox(QStringLiteral("Check2"), QRect(480, 720, 210, 255));
    Label3 = label(QStringLiteral("Label3"), QRect(840, 720, 3735, 255));
    Check3 = checkBox(QStringLiteral("Check3"), QRect(480, 1200, 210, 255));
    Label4 = label(QStringLiteral("Label4"), QRect(840, 1200, 3735, 255));

    Text1 = new QLineEdit(FallbackBorderWidth(), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsRect(360, 1680, 375, 315));
    Label1 = label(QStringLiteral("Label1"), QRect(840, 1800, 3735, 255));

    Command3 = button(QStringLiteral("Command3"), QRect(360, 2160, 2175, 375));
    Command1 = button(QStringLiteral("Command1"), QRect(3120, 2160, 1335, 375));
    Command1->setText(QStringLiteral("OK"));
    Command1->setDefault(true);
    Command2 = button(QStringLiteral("Command2"), QRect(3120, 2640, 1335, 375));
    // Cut marks, in the free corner below the defaults button.
    Check4 = checkBox(QStringLiteral("Check4"), QRect(480, 2700, 210, 255));
    Label5 = label(QStringLiteral("Label5"), QRect(840, 2700, 2175, 255));
    // The bleed, in a row of its own below.
    Text2 = new QLineEdit(FallbackBleed(), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(TwipsRect(360, 3120, 375, 315));
    Label6 = label(QStringLiteral("Label6"), QRect(840, 3180, 2175, 255));
    // The label's hole, in the row below everything.
    Text3 = new QLineEdit(FallbackLabelHole(), this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setGeometry(TwipsRect(360, 3540, 375, 315));
    Label7 = label(QStringLiteral("Label7"), QRect(840, 3600, 3735, 255));

    // Each caption names its control, for Alt keys and screen readers alike.
    const std::pair<QLabel *, QWidget *> captions[] = {
        { Label1, Text1 },  { Label2, Check1 }, { Label3, Check2 }, { Label4, Check3 },
        { Label5, Check4 }, { Label6, Text2 },  { Label7, Text3 },
    };
    for (const auto &[caption, control] : captions)
        caption->setBuddy(control);

    connect(Text1, &QLineEdit::textChanged, this, &OptionsDialog::borderWidthChanged);
    connect(Text2, &QLineEdit::textChanged, this, &OptionsDialog::bleedChanged);
    // Checked once typed, not at each key: the hole's range starts above 1,
    // so a check at each key would refuse the first digit of 1.8.
    connect(Text3, &QLineEdit::editingFinished, this, &OptionsDialog::labelHoleFinished);
    connect(Command1, &QPushButton::clicked, this, &OptionsDialog::acceptValues);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command3, &QPushButton::clicked, this, &OptionsDialog::resetMeasures);

    loadValues();
    showTexts();
}

void OptionsDialog::loadValues()
{
    Check1->setChecked(isTicked(m_settings.text(SettingName::ConfirmExit)));
    Check2->setChecked(isTicked(m_settings.text(SettingName::PrinterSetupFirst)));
    Check3->setChecked(isTicked(m_settings.text(SettingName::ShowAbout)));
    Check4->setChecked(isTicked(m_settings.text(SettingName::CutMarks)));
    Text1->setText(ShownBorderWidth(m_settings.text(SettingName::BorderWidth)));
    Text2->setText(FormatNumber(ReadNumber(m_settings.text(SettingName::Bleed))));
    Text3->setText(CheckedLabelHole(ShownLabelHole(m_settings.text(SettingName::LabelHole))));
}

void OptionsDialog::showTexts()
{
    const OptionsDialogTexts &texts = OptionsTexts(LanguageOfMarker(m_languageMarker));
    setWindowTitle(texts.title);
    Label1->setText(texts.borderWidth);
    Label2->setText(texts.confirmExit);
    Label3->setText(texts.printerSetup);
    Label4->setText(texts.aboutAtStart);
    Label5->setText(texts.cutMarks);
    Label6->setText(texts.bleed);
    Label7->setText(texts.labelHole);
    Command2->setText(texts.cancel);
    Command3->setText(texts.measureDefaults);
    // A text that wraps takes the lines it needs, from the same top.
    for (QLabel *label : { Label1, Label2, Label3, Label4, Label5, Label6, Label7 })
        label->resize(label->width(), qMax(label->height(), label->heightForWidth(label->width())));
}

void OptionsDialog::showEvent(QShowEvent *event)
{
    showTexts();
    QDialog::showEvent(event);
}

void OptionsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showTexts();
    QDialog::changeEvent(event);
}

void OptionsDialog::borderWidthChanged()
{
    // Setting the text runs this handler again, which then finds the fallback good.
    const QString checked = CheckedBorderWidth(Text1->text());
    if (checked != Text1->text())
        Text1->setText(checked);
}

void OptionsDialog::bleedChanged()
{
    const QString checked = CheckedBleed(Text2->text());
    if (checked != Text2->text())
        Text2->setText(checked);
}

void OptionsDialog::labelHoleFinished()
{
    const QString checked = CheckedLabelHole(Text3->text());
    if (checked != Text3->text())
        Text3->setText(checked);
}

void OptionsDialog::acceptValues()
{
    labelHoleFinished();
    const QList<SettingsWrite> writes = {
        m_settings.setText(SettingName::ConfirmExit, flagOf(Check1)),
        m_settings.setText(SettingName::PrinterSetupFirst, flagOf(Check2)),
        m_settings.setText(SettingName::BorderWidth, Text1->text()),
        m_settings.setText(SettingName::ShowAbout, flagOf(Check3)),
        m_settings.setText(SettingName::CutMarks, flagOf(Check4)),
        m_settings.setText(SettingName::Bleed, Text2->text()),
        m_settings.setText(SettingName::LabelHole, Text3->text()),
    };
    // Not saved: the dialog stays open with the choices, and says why.
    if (!sayIfNotSaved(writes))
        return;
    accept();
}

void OptionsDialog::resetMeasures()
{
    const QString question
        = OptionsTexts(LanguageOfMarker(m_languageMarker)).measureDefaultsQuestion;
    QMessageBox box(QMessageBox::Question, ProgramTitle(), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("MeasureDefaultsQuestion"));
    if (box.exec() != QMessageBox::Yes)
        return;
    QList<SettingsWrite> writes;
    for (const auto &[name, value] : DefaultMeasureValues())
        writes.append(m_settings.setText(name, value));
    sayIfNotSaved(writes);
}

bool OptionsDialog::sayIfNotSaved(const QList<SettingsWrite> &writes)
{
    for (const SettingsWrite &write : writes) {
        if (!write.ok()) {
            ShowSettingsNotSaved(this, LanguageOfMarker(m_languageMarker), write);
            return false;
        }
    }
    return true;
}

} // namespace vellumark
