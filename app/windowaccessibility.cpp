#include "app/windowaccessibility.h"

#include "app/coverslotpanel.h"
#include "app/toolset.h"
#include "logic/texts/accessibletexts.h"
#include "logic/texts/maintexts.h"
#include "widgets/picturebox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include <optional>

namespace vellumark {

namespace {

// The boxes that load a picture, each with the hint over it.
struct PictureSlot
{
    const char *box;
    const char *hint;
    std::optional<CoverSlot> slot; // none: the DVD panel's
};

QList<PictureSlot> pictureSlots()
{
    return {
        { SlotALayout().preview.name, SlotALayout().hint.name, CoverSlot::A },
        { SlotBLayout().preview.name, SlotBLayout().hint.name, CoverSlot::B },
        { "Image7", "Label25", std::nullopt },
    };
}

QString ownerOf(Language language, const std::optional<CoverSlot> &slot)
{
    return slot ? CoverOwner(language, *slot) : DvdOwner();
}

constexpr Measure Measures[]
    = { Measure::Width, Measure::Height, Measure::Horizontal, Measure::Vertical };

} // namespace

WindowAccessibility::WindowAccessibility(QWidget *window, ToolSet *tools)
    : QObject(window)
    , m_window(window)
    , m_tools(tools)
{
    auto tie = [this](const char *caption, const char *field) {
        auto *label = qobject_cast<QLabel *>(control(caption));
        if (label)
            label->setBuddy(control(field));
    };
    for (const CoverSlotLayout *layout : { &SlotALayout(), &SlotBLayout() }) {
        for (std::size_t i = 0; i < layout->fields.size(); ++i)
            tie(layout->fieldCaptions.at(i).name, layout->fields.at(i).name);
        tie(layout->borderCaption.name, layout->border.name);
        // Qt on Linux speaks a list box by its entry and finds its name in
        // a caption tied to it; the typology lists have none on screen.
        if (QWidget *list = control(layout->list.name)) {
            auto *caption = new QLabel(list->parentWidget());
            caption->setObjectName(list->objectName() + QStringLiteral("Caption"));
            caption->hide();
            caption->setBuddy(list);
        }
    }
    for (const PictureSlot &picture : pictureSlots()) {
        auto *box = qobject_cast<PictureBox *>(control(picture.box));
        if (!box)
            continue;
        tie(picture.hint, picture.box);
        box->setFocusPolicy(Qt::StrongFocus);
        connect(box, &PictureBox::pictureChanged, this, [this, box] { namePicture(box); });
    }

    // The status bar's message is its name, and a screen reader speaks a
    // name as it changes.
    if (auto *bar = m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))) {
        connect(bar, &QStatusBar::messageChanged, this, [bar](const QString &message) {
            bar->setAccessibleName(message);
            QAccessibleEvent changed(bar, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&changed);
        });
    }
}

QWidget *WindowAccessibility::control(const char *name) const
{
    return m_window->findChild<QWidget *>(QString::fromLatin1(name));
}

void WindowAccessibility::apply(Language language)
{
    m_language = language;
    const AccessibleTexts &texts = AccessibleTextsOf(language);
    const MainWindowTexts &captions = MainTexts(language);
    auto name = [this](const char *control, const QString &text) {
        if (QWidget *widget = this->control(control))
            widget->setAccessibleName(text);
    };

    for (const CoverSlotLayout *layout : { &SlotALayout(), &SlotBLayout() }) {
        const QString owner = CoverOwner(language, layout->slot);
        for (std::size_t i = 0; i < layout->fields.size(); ++i)
            name(layout->fields.at(i).name, MeasureFieldName(language, layout->slot, Measures[i]));
        name(layout->list.name, texts.typologyList.arg(owner));
        if (auto *caption = m_window->findChild<QLabel *>(QString::fromLatin1(layout->list.name)
                                                          + QStringLiteral("Caption")))
            caption->setText(texts.typologyList.arg(owner));
        name(layout->border.name, CaptionOfOwner(captions.borderCaption, owner));
    }
    name("Option3", texts.printOnly.arg(CoverOwner(language, CoverSlot::A)));
    name("Option5", texts.printBoth);
    name("Option4", texts.printOnly.arg(CoverOwner(language, CoverSlot::B)));

    name("Command2", texts.quarterTurn);
    const std::pair<const char *, QString> formats[] = {
        { "Option6", texts.dvdWholeCase },
        { "Option7", texts.dvdFrontOnly },
    };
    for (const auto &[format, about] : formats) {
        // The format's caption is its size, the same in every language.
        if (auto *button = qobject_cast<QAbstractButton *>(control(format))) {
            button->setAccessibleName(texts.dvdFormat.arg(button->text()));
            button->setAccessibleDescription(about);
        }
    }
    for (const PictureSlot &picture : pictureSlots()) {
        if (auto *box = qobject_cast<PictureBox *>(control(picture.box)))
            namePicture(box);
    }

    if (QWidget *folder = control("Label2"))
        folder->setAccessibleDescription(texts.lastFolder);

    // The tools whose captions are no words a user says.
    const QToolBar *bar = m_tools->toolBar();
    auto nameTool = [bar, this](const char *id, const QString &text, const QString &about) {
        if (QWidget *button = bar->widgetForAction(m_tools->tool(QString::fromLatin1(id)))) {
            button->setAccessibleName(text);
            button->setAccessibleDescription(about);
        }
    };
    const QString ownerA = CoverOwner(language, CoverSlot::A);
    const QString ownerB = CoverOwner(language, CoverSlot::B);
    nameTool("left_to_right", texts.copyPicture.arg(ownerA, ownerB), QString());
    nameTool("right_to_left", texts.copyPicture.arg(ownerB, ownerA), QString());
    nameTool("ID_covers", ToolCaption(language, QStringLiteral("ID_covers")), texts.showDvdPanel);
}

void WindowAccessibility::namePicture(PictureBox *box) const
{
    for (const PictureSlot &picture : pictureSlots()) {
        if (box->objectName() != QLatin1String(picture.box))
            continue;
        box->setAccessibleName(PictureBoxName(m_language, ownerOf(m_language, picture.slot),
                                              box->pictureFileName(), box->picture().size()));
    }
}

} // namespace vellumark
