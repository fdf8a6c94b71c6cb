// Reading the main window's settings at start and writing them at exit.
#include "app/mdiform1.h"

#include "app/toolset.h"
#include "logic/maintexts.h"
#include "logic/numbertext.h"
#include "logic/pictureloader.h"
#include "widgets/backgroundshape.h"
#include "widgets/controlsarea.h"
#include "widgets/typologylist.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>

#include <limits>

namespace vellumark {

namespace {

// A whole number in the text as a whole ("255", " 12 "), or nothing.
std::optional<int> wholeNumber(const QString &text)
{
    const std::optional<double> value = ReadWholeNumber(text);
    if (!value || *value < std::numeric_limits<int>::min()
        || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return RoundHalfEven(*value);
}

} // namespace

void MdiForm1::ValoriDefault()
{
    m_settings.createKey();
    for (const SettingDefinition &definition : MainSettingDefinitions())
        m_settings.setText(definition.name, DefaultSettingValue(definition.name));
}

void MdiForm1::ControlloRegistry()
{
    if (!m_settings.keyExists())
        ValoriDefault();

    const QString password = m_settings.text(QStringLiteral("Password"));
    const QString onPassword = m_settings.text(QStringLiteral("OnPassword"));
    if (onPassword == u"1" && !password.isEmpty() && !runPasswordPrompt()) {
        m_loadAborted = true;
        return;
    }
    if (m_settings.text(QStringLiteral("About")) == u"1")
        showAboutWindow();
    ApplicaValori();
}

void MdiForm1::ApplicaValori()
{
    // Every value falls back to its default when it is missing or cannot be
    // used, never to what another read left behind.
    Label2->setText(m_settings.text(QStringLiteral("Percorso")));
    Label3->setText(m_settings.text(QStringLiteral("Anteprima")));

    const QString print = m_settings.text(QStringLiteral("Stampa"));
    if (print == u"A")
        Option3->setChecked(true);
    else if (print == u"B")
        Option4->setChecked(true);
    else if (print == u"C")
        Option5->setChecked(true);

    auto flag = [this](const QString &name) {
        return RoundHalfEven(ReadNumber(m_settings.text(name))) == 1;
    };
    Check1->setChecked(flag(QStringLiteral("BordoA")));
    Check2->setChecked(flag(QStringLiteral("BordoB")));

    auto typology = [this](const QString &name) {
        const std::optional<int> index = wholeNumber(m_settings.text(name));
        if (index && *index >= -1 && *index < TypologyCount)
            return *index;
        return DefaultSettingValue(name).toInt();
    };
    Label19->setText(m_settings.text(QStringLiteral("Lingua")));
    const Language language = LanguageOfMarker(Label19->text());
    fillTypologyList(List1, language);
    selectTypology(List1, typology(QStringLiteral("TipoCoverA")));
    fillTypologyList(List2, language);
    selectTypology(List2, typology(QStringLiteral("TipoCoverB")));

    const std::optional<int> colour = wholeNumber(m_settings.text(QStringLiteral("Colore")));
    Shape1->setFillColor(
        ColourFromNumber(colour.value_or(DefaultSettingValue(QStringLiteral("Colore")).toInt())));

    QString skin = m_settings.text(QStringLiteral("Skin")).left(1);
    if (skin.isEmpty() || skin.at(0) < u'0' || skin.at(0) > u'7')
        skin = DefaultSettingValue(QStringLiteral("Skin"));
    if (QAction *tool = m_tools->tool(QStringLiteral("ID_Skin") + skin)) {
        tool->setChecked(true);
        SSActiveToolBars1_ToolClick(tool);
    }

    const QString background = m_settings.text(QStringLiteral("Immagine"));
    Label24->setText(background);
    const QImage picture = LoadPicture(background);
    if (!picture.isNull())
        m_area->setBackgroundPicture(picture);

    const QString openStyle = m_settings.text(QStringLiteral("ApriFile")).left(1);
    const bool withPreview = openStyle == u"0" ? false
        : openStyle == u"1"                    ? true
                            : DefaultSettingValue(QStringLiteral("ApriFile")) == u"1";
    Check3->setChecked(withPreview);
    m_tools->tool(withPreview ? QStringLiteral("ID_ApriPrew") : QStringLiteral("ID_ApriWin"))
        ->setChecked(true);
}

void MdiForm1::ScritturaRegistry()
{
    m_settings.setText(QStringLiteral("Percorso"), Label2->text());
    if (Option3->isChecked())
        m_settings.setText(QStringLiteral("Stampa"), QStringLiteral("A"));
    if (Option4->isChecked())
        m_settings.setText(QStringLiteral("Stampa"), QStringLiteral("B"));
    if (Option5->isChecked())
        m_settings.setText(QStringLiteral("Stampa"), QStringLiteral("C"));
    m_settings.setText(QStringLiteral("Anteprima"), Label3->text());
    m_settings.setText(QStringLiteral("BordoA"),
                       Check1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    m_settings.setText(QStringLiteral("BordoB"),
                       Check2->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    m_settings.setText(QStringLiteral("TipoCoverA"), QString::number(List1->currentIndex()));
    m_settings.setText(QStringLiteral("TipoCoverB"), QString::number(List2->currentIndex()));
    m_settings.setText(QStringLiteral("Lingua"), Label19->text());
    m_settings.setText(QStringLiteral("Skin"), QString::number(Shape1->fillStyle()));
    m_settings.setText(QStringLiteral("Colore"),
                       QString::number(ColourNumber(Shape1->fillColor())));
    m_settings.setText(QStringLiteral("Immagine"), Label24->text());
    m_settings.setText(QStringLiteral("ApriFile"),
                       Check3->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    QCoreApplication::processEvents();
    endProgram();
}

void MdiForm1::fillTypologyList(TypologyList *list, Language language)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(MainTexts(language).typologies);
    list->setCurrentIndex(-1);
}

void MdiForm1::selectTypology(TypologyList *list, int index)
{
    {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    }
    if (list == List1)
        ApplyTypologyA();
    else
        ApplyTypologyB();
}

} // namespace vellumark
