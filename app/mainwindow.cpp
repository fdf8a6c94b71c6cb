#include "app/mainwindow.h"

#include "app/toolset.h"
#include "app/windowaccessibility.h"
#include "logic/artwork.h"
#include "logic/numbertext.h"
#include "logic/programinfo.h"
#include "logic/texts/maintexts.h"
#include "logic/twips.h"
#include "widgets/backgroundshape.h"
#include "widgets/controlsarea.h"
#include "widgets/lineitem.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"
#include "widgets/typologylist.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

namespace vellumark {

namespace {

// The controls' area in twips: the composition reaches down to the last
// folder label, which ends at 6135.
constexpr int AreaWidth = 5790;
constexpr int AreaHeight = 6180;

const QColor LightGrey(224, 224, 224);
const QColor DarkGrey(128, 128, 128);

} // namespace

MainWindow::MainWindow(ProgramSettings settings, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(std::move(settings))
    , m_endProgram([] { QCoreApplication::exit(0); })
{
    setObjectName(QStringLiteral("MdiForm1"));
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    m_tools = new ToolSet(this);
    addToolBar(Qt::TopToolBarArea, m_tools->toolBar());
    connect(m_tools, &ToolSet::toolClicked, this, &MainWindow::dispatchTool);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);

    buildControls();
    setUpKeyboard();
    m_accessibility = new WindowAccessibility(this, m_tools);
    connectPictures();
    connectPrinting();

    // The window keeps one size: it cannot be enlarged, shrunk or maximised.
    adjustSize();
    setFixedSize(sizeHint());
}

MainWindow::~MainWindow() = default;

QLabel *MainWindow::addLabel(const QString &name, const QString &text, QRect twips, QWidget *parent,
                             Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (alignment & Qt::AlignRight)
        label->setIndent(2); // keeps the text off the field or frame it ends at
    m_labels.insert(name, label);
    return label;
}

LineItem *MainWindow::addLine(const QString &name, int x1, int y1, int x2, int y2, bool light,
                              QWidget *parent)
{
    return new LineItem(name, x1, y1, x2, y2, light ? LightGrey : DarkGrey, parent);
}

void MainWindow::buildControls()
{
    m_area = new ControlsArea(this);
    m_area->setFixedSize(TwipsToPixels(AreaWidth), TwipsToPixels(AreaHeight));
    QFont font = m_area->font();
    // The composition leaves little room for text: a small font keeps the
    // longest (German) captions whole.
    font.setPixelSize(10);
    m_area->setFont(font);
    setCentralWidget(m_area);

    // Lowest first: the pattern lies over the background picture and under
    // every control.
    Shape1 = new BackgroundShape(m_area);
    Shape1->setGeometry(TwipsRect(0, 0, 5775, 5775));

    // Frame around the fields and thumbnails.
    addLine(QStringLiteral("Line29"), 120, 2760, 5640, 2760, true, m_area);
    addLine(QStringLiteral("Line30"), 120, 2760, 120, 5640, true, m_area);
    addLine(QStringLiteral("Line31"), 120, 5640, 5640, 5640, false, m_area);
    addLine(QStringLiteral("Line32"), 5640, 2760, 5640, 5640, false, m_area);

    const ControlMakers makers {
        [this](const QString &name, QRect twips, Qt::Alignment alignment) {
            return addLabel(name, QString(), twips, m_area, alignment);
        },
        [this](const QString &name, int x1, int y1, int x2, int y2, bool light) {
            return addLine(name, x1, y1, x2, y2, light, m_area);
        },
    };
    m_slotA = std::make_unique<CoverSlotPanel>(SlotALayout(), m_area, makers);
    m_slotB = std::make_unique<CoverSlotPanel>(SlotBLayout(), m_area, makers);
    for (CoverSlotPanel *panel : { m_slotA.get(), m_slotB.get() }) {
        connect(panel->list(), &TypologyList::selected, this,
                [this, panel] { applyTypology(*panel); });
        for (Measure measure :
             { Measure::Width, Measure::Height, Measure::Horizontal, Measure::Vertical }) {
            connect(panel->field(measure), &MeasureField::edited, this,
                    [this, panel, measure] { storeMeasure(*panel, measure); });
        }
        for (PictureBox *thumbnail : panel->thumbnails())
            thumbnail->setOutlinedWhenEmpty(true);
    }

    // Print selection with its thumbnails' captions and brackets.
    addLabel(QStringLiteral("Label1"), QStringLiteral("A"), QRect(720, 4560, 735, 180), m_area,
             Qt::AlignCenter);
    addLabel(QStringLiteral("Label18"), QStringLiteral("A+B"), QRect(2040, 4560, 1695, 180), m_area,
             Qt::AlignCenter);
    addLabel(QStringLiteral("Label16"), QStringLiteral("B"), QRect(4320, 4560, 735, 180), m_area,
             Qt::AlignCenter);
    const struct
    {
        const char *name;
        int x1, y1, x2, y2;
    } brackets[] = {
        { "Line1", 607, 4755, 1455, 4755 },   { "Line2", 607, 4755, 607, 5040 },
        { "Line3", 1455, 4755, 1455, 4800 },  { "Line4", 720, 4755, 720, 4800 },
        { "Line5", 2040, 4755, 3735, 4755 },  { "Line7", 2040, 4755, 2040, 4800 },
        { "Line11", 3735, 4755, 3735, 4800 }, { "Line12", 2882, 4755, 2882, 5040 },
        { "Line13", 4320, 4755, 5167, 4755 }, { "Line14", 4320, 4755, 4320, 4800 },
        { "Line15", 5055, 4755, 5055, 4800 }, { "Line16", 5167, 4755, 5167, 5040 },
    };
    for (const auto &b : brackets)
        addLine(QString::fromLatin1(b.name), b.x1, b.y1, b.x2, b.y2, false, m_area);

    auto makeOption = [this](const QString &name, int left) {
        auto *option = new QRadioButton(m_area);
        option->setObjectName(name);
        option->setGeometry(TwipsRect(left, 5040, 195, 195));
        // The button is as small as the indicator: shrink it to fit.
        option->setStyleSheet(
            QStringLiteral("QRadioButton { spacing: 0px; }"
                           "QRadioButton::indicator { width: 11px; height: 11px; }"));
        return option;
    };
    Option3 = makeOption(QStringLiteral("Option3"), 510);
    Option5 = makeOption(QStringLiteral("Option5"), 2785);
    Option4 = makeOption(QStringLiteral("Option4"), 5070);
    Option5->setChecked(true);

    // Thumbnails select the print option beside them.
    const std::pair<PictureBox *, QRadioButton *> besides[] = {
        { m_slotA->thumbnails()[0], Option3 },
        { m_slotA->thumbnails()[1], Option5 },
        { m_slotB->thumbnails()[0], Option5 },
        { m_slotB->thumbnails()[1], Option4 },
    };
    for (const auto &[thumbnail, option] : besides)
        connect(thumbnail, &PictureBox::clicked, this,
                [this, option] { selectPrintOption(option); });

    Label2 = addLabel(QStringLiteral("Label2"), QString(), QRect(120, 5880, 3615, 255), m_area);
    Label2->setAutoFillBackground(true);
    QPalette folderPalette = Label2->palette();
    folderPalette.setColor(QPalette::Window, QColor(128, 128, 128));
    folderPalette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    Label2->setPalette(folderPalette);
    Label2->setIndent(3);

    // Holders of state, never shown.
    auto hidden = [this](const QString &name) {
        QLabel *label = addLabel(name, QString(), QRect(0, 0, 0, 0), m_area);
        label->hide();
        return label;
    };
    Label3 = hidden(QStringLiteral("Label3"));
    Label17 = hidden(QStringLiteral("Label17"));
    Label19 = hidden(QStringLiteral("Label19"));
    Label24 = hidden(QStringLiteral("Label24"));
    Check3 = new QCheckBox(m_area);
    Check3->setObjectName(QStringLiteral("Check3"));
    Check3->setChecked(m_openWithPreview);
    Check3->hide();

    buildDvdPanel(m_area);
}

void MainWindow::setUpKeyboard()
{
    // Tab follows the layout: slot A, slot B, then the print selection.
    QList<QWidget *> order;
    for (const CoverSlotPanel *panel : { m_slotA.get(), m_slotB.get() }) {
        order.append(panel->list());
        for (MeasureField *field : panel->fields())
            order.append(field);
        order.append(panel->border());
    }
    order += { Option3, Option5, Option4 };
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    // Every command is reachable through the two menus; these keys open them.
    auto popUp = [this](const QString &id) {
        QToolBar *bar = m_tools->toolBar();
        QAction *menuTool = m_tools->tool(id);
        QWidget *button = bar->widgetForAction(menuTool);
        if (QMenu *menu = m_tools->menu(id))
            menu->popup(button ? button->mapToGlobal(QPoint(0, button->height())) : pos());
    };
    const struct
    {
        QKeySequence keys;
        const char *menu;
    } openers[] = {
        { QKeySequence(Qt::Key_F10), "ID_Menu" },
        { QKeySequence(Qt::ALT | Qt::Key_M), "ID_Menu" },
        { QKeySequence(Qt::ALT | Qt::Key_H), "ID_Help" },
    };
    for (const auto &opener : openers) {
        auto *shortcut = new QShortcut(opener.keys, this);
        const QString id = QString::fromLatin1(opener.menu);
        connect(shortcut, &QShortcut::activated, this, [popUp, id] { popUp(id); });
    }
}

void MainWindow::buildDvdPanel(QWidget *area)
{
    Frame1 = new QFrame(area);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(TwipsRect(0, 0, 5775, 5835));
    Frame1->setAutoFillBackground(true); // covers the CD layout while shown
    Frame1->hide();

    Command2 = new QPushButton(QStringLiteral("90°"), Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(TwipsRect(2880, 5280, 495, 375));

    Frame2 = new QFrame(Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(TwipsRect(0, 120, 5535, 5655));

    for (const char *name : { "Picture1", "Picture2" }) {
        auto *work = new QWidget(Frame2);
        work->setObjectName(QString::fromLatin1(name));
        work->hide();
    }

    Option6 = new QRadioButton(QStringLiteral("18,3 x 27,2"), Frame2);
    Option6->setObjectName(QStringLiteral("Option6"));
    Option6->setGeometry(TwipsRect(0, 5160, 1275, 315));
    Option6->setChecked(true);
    Option7 = new QRadioButton(QStringLiteral("13,1 x 18,3"), Frame2);
    Option7->setObjectName(QStringLiteral("Option7"));
    Option7->setGeometry(TwipsRect(1440, 5160, 1275, 315));
    connect(Option6, &QRadioButton::clicked, this, [this] { applyDvdFormat(true); });
    connect(Option7, &QRadioButton::clicked, this, [this] { applyDvdFormat(false); });

    Line10 = addLine(QStringLiteral("Line10"), 0, 0, 5520, 0, true, Frame2);
    Line9 = addLine(QStringLiteral("Line9"), 0, 0, 0, 5040, true, Frame2);
    Line8 = addLine(QStringLiteral("Line8"), 0, 5040, 5520, 5040, false, Frame2);
    Line6 = addLine(QStringLiteral("Line6"), 5520, 0, 5520, 5040, false, Frame2);

    Image7 = new PictureBox(QStringLiteral("Image7"), Frame2);
    Image7->setGeometry(TwipsRect(120, 120, 5295, 4815));
    Image7->setCursor(PictureCursor());
    Label25 = addLabel(QStringLiteral("Label25"), QStringLiteral("click"),
                       QRect(120, 2280, 5295, 375), Frame2, Qt::AlignCenter);

    // The preview's frame reaches down over the button's place: the button
    // lies on top, where a click finds it.
    Command2->raise();
}

bool MainWindow::load()
{
    resize(TwipsToPixels(5895), height());
    loadSettings();
    if (m_loadAborted)
        return false;
    setWindowTitle(ProgramCaption());
    applyLanguage(m_language);
    return true;
}

QImage MainWindow::backgroundPicture() const
{
    return m_area->backgroundPicture();
}

// Typology selection ----------------------------------------------------

void MainWindow::applyTypologyA()
{
    applyTypology(*m_slotA);
}

void MainWindow::applyTypologyB()
{
    applyTypology(*m_slotB);
}

void MainWindow::applyTypology(CoverSlotPanel &panel)
{
    const int index = panel.list()->currentIndex();
    if (IsTypologyIndex(index)) {
        for (Measure measure :
             { Measure::Width, Measure::Height, Measure::Horizontal, Measure::Vertical }) {
            // Slot B's vertical position follows slot A's cover, below.
            if (panel.slot() == CoverSlot::B && measure == Measure::Vertical)
                continue;
            panel.field(measure)->setText(
                m_settings.text(MeasureValueName(index, measure, panel.slot()),
                                StandardMeasure(index, measure, panel.slot())));
        }
        m_slotB->field(Measure::Vertical)
            ->setText(DerivedVerticalB(m_slotA->field(Measure::Vertical)->text(),
                                       m_slotA->field(Measure::Height)->text()));
        panel.shapePreview(index);
    }
    panel.alignHint();
}

// Size and position fields ------------------------------------------------

void MainWindow::storeMeasure(const CoverSlotPanel &panel, Measure measure)
{
    const int index = panel.list()->currentIndex();
    if (!IsTypologyIndex(index))
        return;
    m_settings.setText(MeasureValueName(index, measure, panel.slot()),
                       panel.field(measure)->text());
}

void MainWindow::applyDvdFormat(bool fullCase)
{
    const int frameRight = fullCase ? 5520 : 3600;
    const int pictureWidth = fullCase ? 5295 : 3375;
    Line8->setX2(frameRight);
    Line10->setX2(frameRight);
    Line6->setX1(frameRight);
    Line6->setX2(frameRight);
    Image7->resize(TwipsToPixels(pictureWidth), Image7->height());
    Label25->resize(TwipsToPixels(pictureWidth), Label25->height());
    Command2->setVisible(fullCase);
}

void MainWindow::selectPrintOption(QRadioButton *option)
{
    option->setChecked(true);
}

// Exit ------------------------------------------------------------------------

bool MainWindow::confirmExit()
{
    const QString question = ExitQuestion(m_language, ProgramTitle());
    QMessageBox box(QMessageBox::Question, ProgramTitle(), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("ExitQuestion"));
    return box.exec() == QMessageBox::Yes;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    event->ignore();
    // A missing value asks; a text that is no number reads as 0 and does not.
    const double ask = ReadNumber(m_settings.text(QStringLiteral("Uscita")));
    if (ask != 0.0 && !confirmExit())
        return;
    saveSettings();
    if (m_ending)
        event->accept();
}

bool MainWindow::event(QEvent *event)
{
    // Status tips (a menu entry under the mouse) would wipe the status bar's
    // message, which stays until the next one.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void MainWindow::endProgram()
{
    m_ending = true;
    if (m_endProgram)
        m_endProgram();
}

} // namespace vellumark
