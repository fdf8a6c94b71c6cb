#include "logic/settings/windowstate.h"

#include "logic/numbertext.h"
#include "logic/settings/programsettings.h"
#include "logic/typology.h"

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

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

WindowState WindowState::load(const ProgramSettings &settings)
{
    namespace Name = SettingName;
    WindowState state;
    state.pictureFolder = settings.text(Name::PictureFolder);
    state.previewSwitch = settings.text(Name::PreviewSwitch);

    // Any other text leaves the selection the window starts with.
    const QString print = settings.text(Name::PrintSelection);
    if (print == u"A")
        state.printSelection = PrintSelection::SlotA;
    else if (print == u"B")
        state.printSelection = PrintSelection::SlotB;
    else if (print == u"C")
        state.printSelection = PrintSelection::BothSlots;

    const auto flag = [&settings](const QString &name) {
        return RoundHalfEven(ReadNumber(settings.text(name))) == 1;
    };
    state.borderA = flag(Name::BorderA);
    state.borderB = flag(Name::BorderB);

    const auto typology = [&settings](const QString &name) {
        const std::optional<int> index = wholeNumber(settings.text(name));
        if (index && *index >= -1 && *index < TypologyCount)
            return *index;
        return DefaultSettingValue(name).toInt();
    };
    state.language = LanguageOfMarker(settings.text(Name::Language));
    state.typologyA = typology(Name::TypologyA);
    state.typologyB = typology(Name::TypologyB);

    // Only the three colour bytes count.
    state.fillColour = wholeNumber(settings.text(Name::FillColour))
                           .value_or(DefaultSettingValue(Name::FillColour).toInt())
        & 0xFFFFFF;
    QString skin = settings.text(Name::FillStyle).left(1);
    if (skin.isEmpty() || skin.at(0) < u'0' || skin.at(0) > u'7')
        skin = DefaultSettingValue(Name::FillStyle);
    state.fillStyle = skin.toInt();

    state.backgroundPicture = settings.text(Name::BackgroundPicture);
    const QString openStyle = settings.text(Name::OpenWithPreview).left(1);
    state.openWithPreview = openStyle == u"0" ? false
        : openStyle == u"1"                   ? true
                                              : DefaultSettingValue(Name::OpenWithPreview) == u"1";
    return state;
}

void WindowState::save(const ProgramSettings &settings) const
{
    namespace Name = SettingName;
    settings.setText(Name::PictureFolder, pictureFolder);
    if (printSelection) {
        const char16_t letter = *printSelection == PrintSelection::SlotA ? u'A'
            : *printSelection == PrintSelection::SlotB                   ? u'B'
                                                                         : u'C';
        settings.setText(Name::PrintSelection, QString(QChar(letter)));
    }
    settings.setText(Name::PreviewSwitch, previewSwitch);
    settings.setText(Name::BorderA, flagText(borderA));
    settings.setText(Name::BorderB, flagText(borderB));
    settings.setText(Name::TypologyA, QString::number(typologyA));
    settings.setText(Name::TypologyB, QString::number(typologyB));
    settings.setText(Name::Language, MarkerOfLanguage(language));
    settings.setText(Name::FillStyle, QString::number(fillStyle));
    settings.setText(Name::FillColour, QString::number(fillColour));
    settings.setText(Name::BackgroundPicture, backgroundPicture);
    settings.setText(Name::OpenWithPreview, flagText(openWithPreview));
}

} // namespace vellumark
