// What a user sees of every window and dialog: each control can be reached
// by a click at its centre, each text shows whole, and no two controls lie
// over each other. The same program also runs at 200 % scaling
// (QT_SCALE_FACTOR=2, see CMakeLists.txt).
#include "app/mainwindow.h"
#include "app/toolset.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/passwordprompt.h"
#include "dialogs/picturedialog.h"
#include "logic/texts/calibrationtexts.h"
#include "logic/texts/messagetexts.h"
#include "testsupport.h"
#include "widgets/clickablelabel.h"
#include "widgets/elidingstatusbar.h"
#include "widgets/lineitem.h"
#include "widgets/picturebox.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>

#include <memory>

using namespace vellumark;
using namespace vellumark::test;

namespace {

enum class Screen {
    CdPanel,
    DvdPanel,
    DvdFrontOnly,
    DvdSlimCase,
    Options,
    PictureDialog,
    Password,
    About
};

const QStringList Markers
    = { QStringLiteral("Italiano"), QStringLiteral("Inglese"), QStringLiteral("Tedesco") };

// Labels that lie over a picture on purpose: the hints inviting a click.
const QList<std::pair<QString, QString>> HintsOverPictures = {
    { QStringLiteral("Label20"), QStringLiteral("Image1") },
    { QStringLiteral("Label21"), QStringLiteral("Image2") },
    { QStringLiteral("Label25"), QStringLiteral("Image7") },
};

// Labels that show a folder the user chose, not a text of the program.
const QStringList FolderLabels
    = { QStringLiteral("MdiForm1/Label2"), QStringLiteral("Form2/Label5") };

bool isControl(const QWidget *widget)
{
    return qobject_cast<const QLabel *>(widget) || qobject_cast<const QAbstractButton *>(widget)
        || qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget)
        || qobject_cast<const QAbstractItemView *>(widget)
        || qobject_cast<const PictureBox *>(widget);
}

// What a user can click: every control but plain text.
bool isClickable(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return qobject_cast<const ClickableLabel *>(widget) || !label->pixmap().isNull();
    return isControl(widget);
}

QString nameOf(const QWidget *widget)
{
    return widget->window()->objectName() + u'/' + widget->objectName();
}

QRect inWindow(const QWidget *widget, const QRect &rect)
{
    return QRect(widget->mapTo(widget->window(), rect.topLeft()), rect.size());
}

// Whether the user can see the widget: shown, and not under the DVD panel
// while it covers the cover slots.
bool inSight(const QWidget *window, const QWidget *widget)
{
    if (!widget->isVisible() || widget->window() != window)
        return false;
    const auto *panel = window->findChild<QWidget *>(QStringLiteral("Frame1"));
    return !panel || !panel->isVisible() || panel->isAncestorOf(widget)
        || !inWindow(panel, panel->rect()).contains(inWindow(widget, widget->rect()).center());
}

// The controls in the user's sight, but for the parts of other controls.
QList<QWidget *> controlsInSight(QWidget *window)
{
    QList<QWidget *> controls;
    const auto widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!isControl(widget) || !inSight(window, widget))
            continue;
        bool part = false;
        for (QWidget *up = widget->parentWidget(); up && up != window; up = up->parentWidget())
            part = part || isControl(up);
        if (!part)
            controls.append(widget);
    }
    return controls;
}

// Where the text of a control is drawn, and the size it needs there.
struct TextPlace
{
    QRect room;
    QSize needed;
    int flags = 0;
};

std::optional<TextPlace> textPlace(QWidget *widget)
{
    const QFontMetrics metrics(widget->font());
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->text().isEmpty())
            return std::nullopt;
        QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                    -label->margin(), -label->margin());
        int indent = label->indent();
        if (indent < 0)
            indent = label->frameWidth() > 0 ? metrics.horizontalAdvance(u'x') / 2 : 0;
        const Qt::Alignment align = label->alignment();
        if (align & Qt::AlignLeft)
            room.setLeft(room.left() + indent);
        else if (align & Qt::AlignRight)
            room.setRight(room.right() - indent);
        const int flags = int(align) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QSize needed = metrics.boundingRect(room, flags, label->text()).size();
        return TextPlace { room, needed, flags };
    }
    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (!button || button->text().isEmpty())
        return std::nullopt;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox *>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton *>(button))
        contents = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<QPushButton *>(button))
        return std::nullopt; // tool buttons show icons
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    return TextPlace { room, metrics.size(flags, button->text()), flags };
}

struct OpenScreen
{
    std::unique_ptr<TemporarySettings> settings;
    LoadedWindow loaded;
    std::unique_ptr<QWidget> dialog;
    QWidget *window = nullptr;
};

OpenScreen open(Screen screen, const QString &marker, int typology)
{
    OpenScreen opened;
    opened.settings = std::make_unique<TemporarySettings>();
    opened.settings->seed({ { QStringLiteral("About"), QStringLiteral("0") },
                            { QStringLiteral("Lingua"), marker },
                            { QStringLiteral("TipoCoverA"), QString::number(typology) },
                            { QStringLiteral("TipoCoverB"), QString::number(typology) } });
    const ProgramSettings settings = opened.settings->settings();
    switch (screen) {
    case Screen::CdPanel:
    case Screen::DvdPanel:
    case Screen::DvdFrontOnly:
    case Screen::DvdSlimCase: {
        opened.loaded = loadWindow(settings);
        MainWindow *window = opened.loaded.window.get();
        opened.window = window;
        if (screen != Screen::CdPanel)
            window->tools()->tool(QStringLiteral("ID_covers"))->trigger();
        if (screen == Screen::DvdFrontOnly)
            window->findChild<QRadioButton *>(QStringLiteral("Option7"))->click();
        if (screen == Screen::DvdSlimCase)
            window->findChild<QRadioButton *>(QStringLiteral("Option8"))->click();
        break;
    }
    case Screen::Options:
        opened.dialog = std::make_unique<OptionsDialog>(settings, marker);
        break;
    case Screen::PictureDialog:
        opened.dialog
            = std::make_unique<PictureDialog>(QDir::tempPath(), QStringLiteral("1"), marker);
        break;
    case Screen::Password:
        opened.dialog = std::make_unique<PasswordPrompt>(settings);
        break;
    case Screen::About:
        opened.dialog = std::make_unique<AboutWindow>(QIcon());
        break;
    }
    if (opened.dialog)
        opened.window = opened.dialog.get();
    opened.window->show();
    return opened;
}

} // namespace

class WindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void eachScreen_data();
    void eachScreen();
    void statusMessagesFitOrAreElided_data();
    void statusMessagesFitOrAreElided();
};

void WindowLayoutTest::eachScreen_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("typology");
    const struct
    {
        const char *name;
        Screen screen;
        bool typologies;
    } screens[] = {
        { "main window", Screen::CdPanel, true },
        { "DVD panel", Screen::DvdPanel, false },
        { "DVD front only", Screen::DvdFrontOnly, false },
        { "DVD slim case", Screen::DvdSlimCase, false },
        { "options", Screen::Options, false },
        { "picture dialog", Screen::PictureDialog, false },
        { "password", Screen::Password, false },
        { "about", Screen::About, false },
    };
    for (const auto &entry : screens) {
        for (const QString &marker : Markers) {
            for (int typology = 0; typology < (entry.typologies ? 4 : 1); ++typology) {
                QTest::addRow("%s, %s, typology %d", entry.name, qPrintable(marker), typology)
                    << entry.screen << marker << typology;
            }
        }
    }
}

void WindowLayoutTest::eachScreen()
{
    QFETCH(Screen, screen);
    QFETCH(QString, marker);
    QFETCH(int, typology);
    OpenScreen opened = open(screen, marker, typology);
    QWidget *window = opened.window;
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QList<QWidget *> controls = controlsInSight(window);
    QVERIFY(!controls.isEmpty());

    QStringList faults;
    for (QWidget *control : controls) {
        const QString name = nameOf(control);
        // A click at the centre reaches the control.
        if (isClickable(control)) {
            const QPoint centre = control->mapTo(window, control->rect().center());
            QWidget *hit = window->childAt(centre);
            if (hit != control && !control->isAncestorOf(hit))
                faults.append(QStringLiteral("%1: a click at its centre reaches %2")
                                  .arg(name, hit ? nameOf(hit) : QStringLiteral("nothing")));
        }
        // The text fits where it is drawn.
        const std::optional<TextPlace> place = textPlace(control);
        if (place && !FolderLabels.contains(name)
            && (place->needed.width() > place->room.width()
                || place->needed.height() > place->room.height())) {
            faults.append(QStringLiteral("%1: \"%2\" needs %3x%4, has %5x%6")
                              .arg(name, control->property("text").toString())
                              .arg(place->needed.width())
                              .arg(place->needed.height())
                              .arg(place->room.width())
                              .arg(place->room.height()));
        }
        // A text stays clear of the window's drawn lines.
        if (place && qobject_cast<QLabel *>(control)) {
            const QRect drawn = inWindow(control,
                                         QStyle::alignedRect(control->layoutDirection(),
                                                             Qt::Alignment(place->flags),
                                                             place->needed, place->room));
            const auto lines = window->findChildren<LineItem *>();
            for (const LineItem *line : lines) {
                if (inSight(window, line) && drawn.intersects(inWindow(line, line->rect())))
                    faults.append(QStringLiteral("%1: text crosses %2").arg(name, nameOf(line)));
            }
        }
    }
    // No two controls lie over each other, but for the hints over pictures.
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QWidget *a = controls.at(i);
            const QWidget *b = controls.at(j);
            const std::pair<QString, QString> pair { a->objectName(), b->objectName() };
            const std::pair<QString, QString> swapped { b->objectName(), a->objectName() };
            if (HintsOverPictures.contains(pair) || HintsOverPictures.contains(swapped))
                continue;
            if (inWindow(a, a->rect()).intersects(inWindow(b, b->rect())))
                faults.append(QStringLiteral("%1 and %2 overlap").arg(nameOf(a), nameOf(b)));
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n   "))));
}

void WindowLayoutTest::statusMessagesFitOrAreElided_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("message");
    // Long names of printers, folders and files, and a short message.
    const QString printer = QStringLiteral("Office_Laser_2");
    const QString pdf = QStringLiteral(
        "/home/someone/Documents/Covers/Summer concert 2026/cover_v1.2 (final, for print).pdf");
    const QString picture = QStringLiteral("Summer concert 2026 - front cover (final).jpg");
    for (const QString &marker : Markers) {
        const Language language = LanguageOfMarker(marker);
        const MessageTexts &texts = Messages(language);
        const QList<std::pair<const char *, QString>> kinds {
            { "page sent, corrected",
              PageSentMessage(language, printer, { QStringLiteral("A"), QStringLiteral("B") })
                  + u' ' + CalibrationTextsOf(language).correctedFor.arg(printer) },
            { "PDF saved", texts.pdfSaved.arg(pdf) },
            { "export cancelled", texts.exportCancelled },
            { "not a picture", texts.notAPicture.arg(picture) },
        };
        for (const auto &[kind, message] : kinds)
            QTest::addRow("%s, %s", kind, qPrintable(marker)) << marker << message;
    }
}

void WindowLayoutTest::statusMessagesFitOrAreElided()
{
    QFETCH(QString, marker);
    QFETCH(QString, message);
    OpenScreen opened = open(Screen::CdPanel, marker, 0);
    QVERIFY(QTest::qWaitForWindowExposed(opened.window));
    auto *bar = opened.window->findChild<ElidingStatusBar *>(QStringLiteral("StatusBar1"));
    QVERIFY(bar);
    bar->showMessage(message);
    QCOMPARE(bar->currentMessage(), message);
    const QFontMetrics metrics(bar->font());
    const int room = bar->messageRoom().width();
    QVERIFY(room > 0 && bar->messageRoom().right() <= bar->rect().right());
    const QString shown = bar->shownText();
    qInfo("%d of %d pixels: %s", metrics.horizontalAdvance(message), room, qPrintable(shown));
    if (metrics.horizontalAdvance(message) <= room) {
        QCOMPARE(shown, message);
        QCOMPARE(bar->toolTip(), QString());
        return;
    }
    // Too long: its start and its end with "…" between them fill the bar,
    // the tooltip holds it whole.
    const qsizetype gap = shown.indexOf(QChar(0x2026));
    QVERIFY2(gap > 0 && message.startsWith(shown.left(gap)) && message.endsWith(shown.mid(gap + 1)),
             qPrintable(shown));
    QVERIFY(metrics.horizontalAdvance(shown) <= room);
    QCOMPARE(bar->toolTip(), message);
}

QTEST_MAIN(WindowLayoutTest)
#include "tst_windowlayout.moc"
