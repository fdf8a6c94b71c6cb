#include "app/mdiform1.h"

#include "app/artwork.h"
#include "app/backgroundshape.h"
#include "app/controlsarea.h"
#include "app/lineitem.h"
#include "app/programinfo.h"
#include "app/toolset.h"
#include "app/twips.h"
#include "cover/measurefield.h"
#include "cover/numbertext.h"
#include "cover/picturebox.h"
#include "cover/typologylist.h"
#include "i18n/maintexts.h"

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

MdiForm1::MdiForm1(ProgramSettings settings, QWidget *parent)
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
    connect(m_tools, &ToolSet::toolClicked, this, &MdiForm1::SSActiveToolBars1_ToolClick);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);

    buildControls();
    setUpKeyboard();
    connectPictures();
    connectPrinting();

    // The window keeps one size: it cannot be enlarged, shrunk or maximised.
    adjustSize();
    setFixedSize(sizeHint());
}

MdiForm1::~MdiForm1() = default;

QLabel *MdiForm1::addLabel(const QString &name, const QString &text, QRect twips, QWidget *parent,
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

LineItem *MdiForm1::addLine(const QString &name, int x1, int y1, int x2, int y2, bool light,
                            QWidget *parent)
{
    return new LineItem(name, x1, y1, x2, y2, light ? LightGrey : DarkGrey, parent);
}

void MdiForm1::buildControls()
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

    buildSlotA(m_area);
    buildSlotB(m_area);

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
    Option5->setAccessibleName(QStringLiteral("A+B"));
    Option4 = makeOption(QStringLiteral("Option4"), 5070);
    Option3->setAccessibleName(QStringLiteral("A"));
    Option4->setAccessibleName(QStringLiteral("B"));
    Option5->setChecked(true);

    for (PictureBox *thumbnail : { Image3, Image4, Image5, Image6 })
        thumbnail->setOutlinedWhenEmpty(true);

    // Thumbnails select the print option beside them.
    connect(Image3, &PictureBox::clicked, this, [this] { selectPrintOption(Option3); });
    connect(Image4, &PictureBox::clicked, this, [this] { selectPrintOption(Option5); });
    connect(Image5, &PictureBox::clicked, this, [this] { selectPrintOption(Option5); });
    connect(Image6, &PictureBox::clicked, this, [this] { selectPrintOption(Option4); });

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
    Check3->setChecked(true);
    Check3->hide();

    buildDvdPanel(m_area);
}

void MdiForm1::setUpKeyboard()
{
    // Tab follows the layout: slot A, slot B, then the print selection.
    const QList<QWidget *> order = { List1, Text1, Text2, Text5,  Text6,   Check1,  List2,  Text3,
                                     Text4, Text7, Text8, Check2, Option3, Option5, Option4 };
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

void MdiForm1::buildSlotA(QWidget *area)
{
    Line33 = addLine(QStringLiteral("Line33"), 120, 120, 2640, 120, true, area);
    Line34 = addLine(QStringLiteral("Line34"), 120, 120, 120, 2640, true, area);
    Line35 = addLine(QStringLiteral("Line35"), 120, 2640, 2640, 2640, false, area);
    Line36 = addLine(QStringLiteral("Line36"), 2640, 120, 2640, 2640, false, area);

    Image1 = new PictureBox(QStringLiteral("Image1"), area);
    Image1->setGeometry(TwipsRect(240, 240, 2295, 2295));
    Image1->setToolTip(QStringLiteral("Cover A"));
    Image1->setCursor(PictureCursor());
    Label20 = addLabel(QStringLiteral("Label20"), QString(), QRect(240, 1200, 2295, 375), area,
                       Qt::AlignCenter);
    Label20->setWordWrap(true);

    addLabel(QStringLiteral("Label4"), QString(), QRect(120, 2880, 2880, 225), area);
    addLabel(QStringLiteral("Label10"), QString(), QRect(120, 3390, 2880, 225), area);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    // These captions end at their field; they may start left of the frame
    // so that the longest ones are not cut.
    addLabel(QStringLiteral("Label6"), QString(), QRect(0, 3150, 720, 225), area, right);
    addLabel(QStringLiteral("Label7"), QString(), QRect(1320, 3150, 600, 225), area, right);
    addLabel(QStringLiteral("Label11"), QString(), QRect(0, 3630, 720, 225), area, right);
    addLabel(QStringLiteral("Label12"), QString(), QRect(1320, 3630, 600, 225), area, right);

    auto field = [area](const QString &name, int left, int top) {
        auto *edit = new MeasureField(name, area);
        edit->setGeometry(TwipsRect(left, top, 615, 285));
        return edit;
    };
    Text1 = field(QStringLiteral("Text1"), 720, 3120);
    Text2 = field(QStringLiteral("Text2"), 1920, 3120);
    Text5 = field(QStringLiteral("Text5"), 720, 3600);
    Text6 = field(QStringLiteral("Text6"), 1920, 3600);
    connect(Text1, &MeasureField::edited, this,
            [this] { storeMeasure(Text1, CoverSlot::A, Measure::Width); });
    connect(Text2, &MeasureField::edited, this,
            [this] { storeMeasure(Text2, CoverSlot::A, Measure::Height); });
    connect(Text5, &MeasureField::edited, this,
            [this] { storeMeasure(Text5, CoverSlot::A, Measure::Horizontal); });
    connect(Text6, &MeasureField::edited, this,
            [this] { storeMeasure(Text6, CoverSlot::A, Measure::Vertical); });

    List1 = new TypologyList(QStringLiteral("List1"), area);
    List1->setGeometry(TwipsRect(720, 3960, 1815, 240));
    connect(List1, &TypologyList::selected, this, &MdiForm1::ApplyTypologyA);

    Check1 = new QCheckBox(area);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(TwipsRect(720, 4260, 210, 255));
    addLabel(QStringLiteral("Label22"), QString(), QRect(960, 4290, 1800, 225), area);

    Image3 = new PictureBox(QStringLiteral("Image3"), area);
    Image3->setGeometry(TwipsRect(720, 4800, 735, 735));
    Image4 = new PictureBox(QStringLiteral("Image4"), area);
    Image4->setGeometry(TwipsRect(2040, 4800, 735, 735));
}

void MdiForm1::buildSlotB(QWidget *area)
{
    Line40 = addLine(QStringLiteral("Line40"), 3120, 120, 5640, 120, true, area);
    Line39 = addLine(QStringLiteral("Line39"), 3120, 120, 3120, 2640, true, area);
    Line38 = addLine(QStringLiteral("Line38"), 3120, 2640, 5640, 2640, false, area);
    Line37 = addLine(QStringLiteral("Line37"), 5640, 120, 5640, 2640, false, area);

    Image2 = new PictureBox(QStringLiteral("Image2"), area);
    Image2->setGeometry(TwipsRect(3240, 240, 2295, 2295));
    Image2->setToolTip(QStringLiteral("Cover B"));
    Image2->setCursor(PictureCursor());
    Label21 = addLabel(QStringLiteral("Label21"), QString(), QRect(3240, 1200, 2295, 375), area,
                       Qt::AlignCenter);
    Label21->setWordWrap(true);

    addLabel(QStringLiteral("Label5"), QString(), QRect(3240, 2880, 2535, 225), area);
    addLabel(QStringLiteral("Label13"), QString(), QRect(3240, 3390, 2535, 225), area);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    addLabel(QStringLiteral("Label8"), QString(), QRect(3840, 3150, 600, 225), area, right);
    addLabel(QStringLiteral("Label9"), QString(), QRect(5040, 3150, 600, 225), area, right);
    addLabel(QStringLiteral("Label14"), QString(), QRect(3840, 3630, 600, 225), area, right);
    addLabel(QStringLiteral("Label15"), QString(), QRect(5040, 3630, 600, 225), area, right);

    auto field = [area](const QString &name, int left, int top) {
        auto *edit = new MeasureField(name, area);
        edit->setGeometry(TwipsRect(left, top, 615, 285));
        return edit;
    };
    Text3 = field(QStringLiteral("Text3"), 3240, 3120);
    Text4 = field(QStringLiteral("Text4"), 4440, 3120);
    Text7 = field(QStringLiteral("Text7"), 3240, 3600);
    Text8 = field(QStringLiteral("Text8"), 4440, 3600);
    connect(Text3, &MeasureField::edited, this,
            [this] { storeMeasure(Text3, CoverSlot::B, Measure::Width); });
    connect(Text4, &MeasureField::edited, this,
            [this] { storeMeasure(Text4, CoverSlot::B, Measure::Height); });
    connect(Text7, &MeasureField::edited, this,
            [this] { storeMeasure(Text7, CoverSlot::B, Measure::Horizontal); });
    connect(Text8, &MeasureField::edited, this,
            [this] { storeMeasure(Text8, CoverSlot::B, Measure::Vertical); });

    List2 = new TypologyList(QStringLiteral("List2"), area);
    List2->setGeometry(TwipsRect(3240, 3960, 1815, 240));
    connect(List2, &TypologyList::selected, this, &MdiForm1::ApplyTypologyB);

    Check2 = new QCheckBox(area);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setGeometry(TwipsRect(3240, 4260, 210, 255));
    addLabel(QStringLiteral("Label23"), QString(), QRect(3480, 4290, 1800, 225), area);

    Image5 = new PictureBox(QStringLiteral("Image5"), area);
    Image5->setGeometry(TwipsRect(3000, 4800, 735, 735));
    Image6 = new PictureBox(QStringLiteral("Image6"), area);
    Image6->setGeometry(TwipsRect(4320, 4800, 735, 735));
}

void MdiForm1::buildDvdPanel(QWidget *area)
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
}

bool MdiForm1::Form_Load()
{
    resize(TwipsToPixels(5895), height());
    ControlloRegistry();
    if (m_loadAborted)
        return false;
    setWindowTitle(ProgramCaption());
    const QString marker = languageMarker();
    if (marker == u"Italiano")
        Italianizza();
    else if (marker == u"Tedesco")
        Tedeschizza();
    else
        Inglesizza();
    return true;
}

QString MdiForm1::languageMarker() const
{
    return Label19->text();
}

QImage MdiForm1::backgroundPicture() const
{
    return m_area->backgroundPicture();
}

// Typology selection ----------------------------------------------------

void MdiForm1::ApplyTypologyA()
{
    const int index = List1->currentIndex();
    if (IsTypologyIndex(index)) {
        const std::pair<MeasureField *, Measure> fields[] = {
            { Text1, Measure::Width },
            { Text2, Measure::Height },
            { Text5, Measure::Horizontal },
            { Text6, Measure::Vertical },
        };
        for (const auto &[field, measure] : fields) {
            field->setText(m_settings.text(MeasureValueName(index, measure, CoverSlot::A),
                                           StandardMeasure(index, measure, CoverSlot::A)));
        }
        Text8->setText(DerivedVerticalB(Text6->text(), Text2->text()));
        const SlotAPreview preview = SlotAPreviewGeometry(index);
        Line33->setX2(preview.topBottomRightX2);
        Line35->setX2(preview.topBottomRightX2);
        Line36->setX1(preview.rightEdgeX);
        Line36->setX2(preview.rightEdgeX);
        Image1->setGeometry(TwipsRect(240, 240, preview.pictureWidth, 2295));
    }
    Label20->setGeometry(Image1->x(), Label20->y(), Image1->width(), Label20->height());
}

void MdiForm1::ApplyTypologyB()
{
    const int index = List2->currentIndex();
    if (IsTypologyIndex(index)) {
        const std::pair<MeasureField *, Measure> fields[] = {
            { Text3, Measure::Width },
            { Text4, Measure::Height },
            { Text7, Measure::Horizontal },
        };
        for (const auto &[field, measure] : fields) {
            field->setText(m_settings.text(MeasureValueName(index, measure, CoverSlot::B),
                                           StandardMeasure(index, measure, CoverSlot::B)));
        }
        Text8->setText(DerivedVerticalB(Text6->text(), Text2->text()));
        const SlotBPreview preview = SlotBPreviewGeometry(index);
        Line39->setX1(preview.leftEdgeX);
        Line39->setX2(preview.leftEdgeX);
        Line38->setX1(preview.topBottomLeftX1);
        Line40->setX1(preview.topBottomLeftX1);
        Image2->setGeometry(TwipsRect(preview.pictureLeft, 240, preview.pictureWidth, 2295));
    }
    Label21->setGeometry(Image2->x(), Label21->y(), Image2->width(), Label21->height());
}

// Size and position fields ------------------------------------------------

void MdiForm1::storeMeasure(MeasureField *field, CoverSlot slot, Measure measure)
{
    const int index = (slot == CoverSlot::A ? List1 : List2)->currentIndex();
    if (!IsTypologyIndex(index))
        return;
    m_settings.setText(MeasureValueName(index, measure, slot), field->text());
}

void MdiForm1::applyDvdFormat(bool fullCase)
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

void MdiForm1::selectPrintOption(QRadioButton *option)
{
    option->setChecked(true);
}

// Exit ------------------------------------------------------------------------

bool MdiForm1::confirmExit()
{
    const QString question = ExitQuestion(LanguageOfMarker(languageMarker()), ProgramTitle());
    QMessageBox box(QMessageBox::Question, ProgramTitle(), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("ExitQuestion"));
    return box.exec() == QMessageBox::Yes;
}

void MdiForm1::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    event->ignore();
    // A missing value asks; a text that is no number reads as 0 and does not.
    const double ask = ReadNumber(m_settings.text(QStringLiteral("Uscita"), QStringLiteral("1")));
    if (ask != 0.0 && !confirmExit())
        return;
    ScritturaRegistry();
    if (m_ending)
        event->accept();
}

bool MdiForm1::event(QEvent *event)
{
    // Status tips (a menu entry under the mouse) would wipe the status bar's
    // message, which stays until the next one.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void MdiForm1::endProgram()
{
    m_ending = true;
    if (m_endProgram)
        m_endProgram();
}

} // namespace vellumark
