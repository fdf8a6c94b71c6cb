// Reading the main window's settings at start and writing them at exit.
#include "app/mainwindow.h"

#include "app/coverslotpanel.h"
#include "app/toolset.h"
#include "logic/numbertext.h"
#include "logic/pictures/pictureloader.h"
#include "logic/texts/maintexts.h"
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

void MainWindow::writeDefaultSettings()
{
    m_settings.createKey();
    for (const SettingDefinition &definition : MainSettingDefinitions())
        m_settings.setText(definition.name, DefaultSettingValue(definition.name));
}

void MainWindow::loadSettings()
{
    if (!m_settings.keyExists())
        writeDefaultSettings();

    const QString password = m_settings.text(QStringLiteral("Password"));
    const QString onPassword = m_settings.text(QStringLiteral("OnPassword"));
    if (onPassword == u"1" && !password.isEmpty() && !runPasswordPrompt()) {
        m_loadAborted = true;
        return;
    }
    if (m_settings.text(QStringLiteral("About")) == u"1")
        showAboutWindow();
    applySettings();
}

void MainWindow::applySettings()
{
    // Every value falls back to its default when it is missing or cannot be
    // used, never to what another read left behind.
    Label2->setText(m_settings.text(QStringLiteral("Percorso")));
    setPreviewSwitch(m_settings.text(QStringLiteral("Anteprima")));

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
    m_slotA->border()->setChecked(flag(QStringLiteral("BordoA")));
    m_slotB->border()->setChecked(flag(QStringLiteral("BordoB")));

    auto typology = [this](const QString &name) {
        const std::optional<int> index = wholeNumber(m_settings.text(name));
        if (index && *index >= -1 && *index < TypologyCount)
            return *index;
        return DefaultSettingValue(name).toInt();
    };
    // The marker shows what was stored until loading applies the language.
    const QString marker = m_settings.text(QStringLiteral("Lingua"));
    setLanguage(LanguageOfMarker(marker), marker);
    fillTypologyList(m_slotA->list(), m_language);
    selectTypology(*m_slotA, typology(QStringLiteral("TipoCoverA")));
    fillTypologyList(m_slotB->list(), m_language);
    selectTypology(*m_slotB, typology(QStringLiteral("TipoCoverB")));

    const std::optional<int> colour = wholeNumber(m_settings.text(QStringLiteral("Colore")));
    Shape1->setFillColor(
        ColourFromNumber(colour.value_or(DefaultSettingValue(QStringLiteral("Colore")).toInt())));

    QString skin = m_settings.text(QStringLiteral("Skin")).left(1);
    if (skin.isEmpty() || skin.at(0) < u'0' || skin.at(0) > u'7')
        skin = DefaultSettingValue(QStringLiteral("Skin"));
    if (QAction *tool = m_tools->tool(QStringLiteral("ID_Skin") + skin)) {
        tool->setChecked(true);
        dispatchTool(tool);
    }

    const QString background = m_settings.text(QStringLiteral("Immagine"));
    setBackgroundFile(background);
    const QImage picture = LoadPicture(background);
    if (!picture.isNull())
        m_area->setBackgroundPicture(picture);

    const QString openStyle = m_settings.text(QStringLiteral("ApriFile")).left(1);
    const bool withPreview = openStyle == u"0" ? false
        : openStyle == u"1"                    ? true
                            : DefaultSettingValue(QStringLiteral("ApriFile")) == u"1";
    setOpenWithPreview(withPreview);
    m_tools->tool(withPreview ? QStringLiteral("ID_ApriPrew") : QStringLiteral("ID_ApriWin"))
        ->setChecked(true);
    applyFitSettings();
}

void MainWindow::saveSettings()
{
    // Only the window's own values: "Password", "OnPassword", the measures
    // and whatever a person added keep their lines in the file byte for byte.
    m_settings.setText(QStringLiteral("Percorso"), Label2->text());
    if (Option3->isChecked())
        m_settings.setText(QStringLiteral("Stampa"), QStringLiteral("A"));
    if (Option4->isChecked())
        m_settings.setText(QStringLiteral("Stampa"), QStringLiteral("B"));
    if (Option5->isChecked())
        m_settings.setText(QStringLiteral("Stampa"), QStringLiteral("C"));
    m_settings.setText(QStringLiteral("Anteprima"), m_previewSwitch);
    m_settings.setText(QStringLiteral("BordoA"),
                       m_slotA->border()->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    m_settings.setText(QStringLiteral("BordoB"),
                       m_slotB->border()->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    m_settings.setText(QStringLiteral("TipoCoverA"),
                       QString::number(m_slotA->list()->currentIndex()));
    m_settings.setText(QStringLiteral("TipoCoverB"),
                       QString::number(m_slotB->list()->currentIndex()));
    m_settings.setText(QStringLiteral("Lingua"), languageMarker());
    m_settings.setText(QStringLiteral("Skin"), QString::number(Shape1->fillStyle()));
    m_settings.setText(QStringLiteral("Colore"),
                       QString::number(ColourNumber(Shape1->fillColor())));
    m_settings.setText(QStringLiteral("Immagine"), m_backgroundFile);
    m_settings.setText(QStringLiteral("ApriFile"),
                       m_openWithPreview ? QStringLiteral("1") : QStringLiteral("0"));
    QCoreApplication::processEvents();
    endProgram();
}

void MainWindow::fillTypologyList(TypologyList *list, Language language)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(MainTexts(language).typologies);
    list->setCurrentIndex(-1);
}

void MainWindow::selectTypology(CoverSlotPanel &panel, int index)
{
    {
        const QSignalBlocker quiet(panel.list());
        panel.list()->setCurrentIndex(index);
    }
    applyTypology(panel);
}

void MainWindow::setLanguage(Language language, const QString &marker)
{
    m_language = language;
    Label19->setText(marker);
}

void MainWindow::setPreviewSwitch(const QString &state)
{
    m_previewSwitch = state;
    Label3->setText(state);
}

void MainWindow::setBackgroundFile(const QString &file)
{
    m_backgroundFile = file;
    Label24->setText(file);
}

void MainWindow::setOpenWithPreview(bool withPreview)
{
    m_openWithPreview = withPreview;
    Check3->setChecked(withPreview);
}

} // namespace vellumark
