#include "app/mainwindow.h"

#include "app/coverfits.h"
#include "app/coverslotpanel.h"
#include "app/dvdpanel.h"
#include "app/printcommands.h"
#include "app/printselectionpanel.h"
#include "app/settingswritereporter.h"
#include "app/slotpictures.h"
#include "app/slottypologies.h"
#include "app/toolcommands.h"
#include "app/toolset.h"
#include "app/windowaccessibility.h"
#include "app/windowbackground.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/passwordprompt.h"
#include "logic/artwork.h"
#include "logic/numbertext.h"
#include "logic/pictures/pictureloader.h"
#include "logic/programinfo.h"
#include "logic/settings/labelhole.h"
#include "logic/texts/maintexts.h"
#include "logic/texts/messagetexts.h"
#include "logic/twips.h"
#include "widgets/backgroundshape.h"
#include "widgets/checkedbuttonfocus.h"
#include "widgets/controlsarea.h"
#include "widgets/elidingstatusbar.h"
#include "widgets/measurefield.h"
#include "widgets/picturebox.h"
#include "widgets/typologylist.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>

namespace vellumark {

namespace {

// The controls' area in twips: the composition reaches down to the last
// folder label, which ends at 6135.
constexpr int AreaWidth = 5790;
constexpr int AreaHeight = 6180;

constexpr Measure Measures[]
    = { Measure::Width, Measure::Height, Measure::Horizontal, Measure::Vertical };

} // namespace

MainWindow::MainWindow(ProgramSettings settings, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(std::move(settings))
    , m_endProgram([] { QCoreApplication::exit(0); })
    , m_settingsWrites(std::make_unique<SettingsWriteReporter>(
          [this](const QString &message) { StatusBar1->showMessage(message); },
          [this] { return m_state.language; }))
{
    m_settings.setWriteObserver(
        [this](const SettingsWrite &write) { m_settingsWrites->observe(write); });
    setObjectName(QStringLiteral("MdiForm1"));
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    m_tools = new ToolSet(this);
    addToolBar(Qt::TopToolBarArea, m_tools->toolBar());
    connect(m_tools, &ToolSet::toolClicked, this, &MainWindow::dispatchTool);

    StatusBar1 = new ElidingStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);

    buildControls();
    orderTabs();
    m_accessibility = new WindowAccessibility(this, m_tools);
    m_tools->addMenuKeys();
    auto *pictures = new SlotPictures(m_state, Label2, StatusBar1, this);
    for (const CoverSlotPanel *panel : { m_slotA.get(), m_slotB.get() })
        pictures->addOwner(panel->pictureBoxes());
    pictures->addOwner({ m_dvd->pictureBox() });
    m_fits = new CoverFits(m_settings, m_state, *m_slotA, *m_slotB, m_dvd->pictureBox(), this);
    m_print = new PrintCommands(
        m_settings, m_state, [this] { return pageInput(); }, StatusBar1, this);

    // The window keeps one size: it cannot be enlarged, shrunk or maximised.
    adjustSize();
    setFixedSize(sizeHint());
}

MainWindow::~MainWindow() = default;

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
    auto *Shape1 = new BackgroundShape(m_area);
    Shape1->setGeometry(TwipsRect(0, 0, 5775, 5775));
    m_background = new WindowBackground(m_state, m_area, Shape1);
    connect(m_background, &WindowBackground::pictureNotLoaded, this, [this](const QString &file) {
        StatusBar1->showMessage(PictureFaultMessage(m_state.language, QFileInfo(file).fileName(),
                                                    DiagnosePictureFile(file)));
    });

    const ControlMakers &make = WindowControlMakers();
    // Frame around the fields and thumbnails.
    make.line(QStringLiteral("Line29"), 120, 2760, 5640, 2760, true, m_area);
    make.line(QStringLiteral("Line30"), 120, 2760, 120, 5640, true, m_area);
    make.line(QStringLiteral("Line31"), 120, 5640, 5640, 5640, false, m_area);
    make.line(QStringLiteral("Line32"), 5640, 2760, 5640, 5640, false, m_area);

    m_slotA = std::make_unique<CoverSlotPanel>(SlotALayout(), m_area, make);
    m_slotB = std::make_unique<CoverSlotPanel>(SlotBLayout(), m_area, make);
    m_typologies = std::make_unique<SlotTypologies>(m_settings, m_state, *m_slotA, *m_slotB);
    connectSlot(m_slotA.get());
    connectSlot(m_slotB.get());

    m_printSelection = new PrintSelectionPanel(m_area, make);
    connect(m_printSelection, &PrintSelectionPanel::optionToggled, this,
            [this](PrintSelection selection, bool selected) {
                if (selected)
                    m_state.printSelection = selection;
                else if (m_state.printSelection == selection)
                    m_state.printSelection.reset();
            });
    // Thumbnails select the print option beside them.
    const std::pair<PictureBox *, PrintSelection> besides[] = {
        { m_slotA->thumbnails()[0], PrintSelection::SlotA },
        { m_slotA->thumbnails()[1], PrintSelection::BothSlots },
        { m_slotB->thumbnails()[0], PrintSelection::BothSlots },
        { m_slotB->thumbnails()[1], PrintSelection::SlotB },
    };
    for (const auto &[thumbnail, selection] : besides)
        connect(thumbnail, &PictureBox::clicked, this,
                [this, selection] { m_printSelection->showSelection(selection); });

    Label2 = make.label(QStringLiteral("Label2"), QRect(120, 5880, 3615, 255),
                        Qt::AlignLeft | Qt::AlignVCenter, m_area);
    Label2->setAutoFillBackground(true);
    QPalette folderPalette = Label2->palette();
    folderPalette.setColor(QPalette::Window, QColor(128, 128, 128));
    folderPalette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    Label2->setPalette(folderPalette);
    Label2->setIndent(3);

    m_dvd = new DvdPanel(m_area, make);
    connect(m_dvd, &DvdPanel::formatChosen, this, [this](DvdFormat format) {
        m_state.dvdFormat = format;
        m_dvd->showFormat(format);
        if (m_fits)
            m_fits->showShapes();
    });
}

void MainWindow::connectSlot(CoverSlotPanel *panel)
{
    connect(panel->list(), &TypologyList::selected, this,
            [this, panel](int index) { m_typologies->select(*panel, index); });
    for (Measure measure : Measures) {
        connect(panel->field(measure), &MeasureField::edited, this,
                [this, panel, measure] { m_typologies->storeMeasure(*panel, measure); });
    }
    connect(panel->border(), &QCheckBox::toggled, this,
            [this, panel](bool on) { m_state.border(panel->slot()) = on; });
    for (PictureBox *thumbnail : panel->thumbnails())
        thumbnail->setOutlinedWhenEmpty(true);
}

void MainWindow::orderTabs()
{
    // Tab follows the layout: slot A, slot B, then the print selection.
    QList<QWidget *> order = m_slotA->tabOrder() + m_slotB->tabOrder();
    order += m_printSelection->options();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    QList<QAbstractButton *> options;
    for (QWidget *option : m_printSelection->options())
        options.append(qobject_cast<QAbstractButton *>(option));
    TabEntersAtCheckedButton(options);
}

bool MainWindow::load()
{
    resize(TwipsToPixels(5895), height());
    if (!loadSettings())
        return false;
    setWindowTitle(ProgramCaption());
    applyLanguage(m_state.language);
    return true;
}

QImage MainWindow::backgroundPicture() const
{
    return m_area->backgroundPicture();
}

void MainWindow::dispatchTool(QAction *tool)
{
    ToolCommands::run(*this, tool);
}

// Settings ----------------------------------------------------------------

bool MainWindow::loadSettings()
{
    if (!m_settings.keyExists()) {
        const SettingsWrite key = m_settings.writeDefaults();
        // Said once now, rather than taken for a first start in silence.
        if (!key.ok())
            m_settingsWrites->keyNotCreated(
                key, LanguageOfMarker(m_settings.text(SettingName::Language)));
    }
    const QString password = m_settings.text(SettingName::Password);
    if (m_settings.text(SettingName::AskPassword) == u"1" && !password.isEmpty()) {
        // Shown before the main window: a window of its own, not over this one.
        PasswordPrompt prompt(m_settings);
        prompt.exec();
        if (prompt.outcome() != PasswordPrompt::Outcome::Accepted)
            return false;
    }
    if (m_settings.text(SettingName::ShowAbout) == u"1")
        showAboutWindow();
    m_state = WindowState::load(m_settings);
    showState();
    return true;
}

void MainWindow::showState()
{
    Label2->setText(m_state.pictureFolder);
    m_printSelection->showSelection(m_state.printSelection);
    m_slotA->border()->setChecked(m_state.borderA);
    m_slotB->border()->setChecked(m_state.borderB);
    m_slotA->showTexts(MainTexts(m_state.language));
    m_slotB->showTexts(MainTexts(m_state.language));
    m_typologies->select(*m_slotA, m_state.typologyA);
    m_typologies->select(*m_slotB, m_state.typologyB);
    m_background->showState();
    m_tools->tool(QStringLiteral("ID_Skin") + QString::number(m_state.fillStyle))->setChecked(true);
    m_tools
        ->tool(m_state.openWithPreview ? QStringLiteral("ID_ApriPrew")
                                       : QStringLiteral("ID_ApriWin"))
        ->setChecked(true);
    m_fits->showStored();
}

void MainWindow::saveSettings()
{
    // Only the window's own values: "Password", "OnPassword", the measures
    // and whatever a person added keep their lines in the file byte for byte.
    m_settingsWrites->beginSeries();
    m_state.save(m_settings);
    if (const std::optional<SettingsWrite> failure = m_settingsWrites->endSeries())
        m_settingsWrites->tellNotSavedAtExit(*failure, this, !m_endingOnSignal);
    QCoreApplication::processEvents();
    m_ending = true;
    if (m_endProgram)
        m_endProgram();
}

// Languages -------------------------------------------------------------------

void MainWindow::applyLanguage(Language language)
{
    const MainWindowTexts &texts = MainTexts(language);
    m_qtTranslation.use(language);
    m_state.language = language;
    m_tools->showTexts(texts);
    m_tools->setMenuEntryTexts(language);

    // Rebuilding the lists keeps each slot's typology and runs its
    // selection again; no selection stays no selection.
    m_slotA->showTexts(texts);
    m_slotB->showTexts(texts);
    m_typologies->select(*m_slotA, m_state.typologyA);
    m_typologies->select(*m_slotB, m_state.typologyB);
    m_accessibility->apply(language);
}

// Dialogs ---------------------------------------------------------------------

void MainWindow::showAboutWindow()
{
    AboutWindow about(windowIcon(), isVisible() ? this : nullptr);
    about.exec();
}

void MainWindow::showOptionsDialog()
{
    OptionsDialog options(m_settings, languageMarker(), this);
    options.exec();
    // Measures reset in the dialog reach the fields at once.
    m_typologies->apply(*m_slotA);
    m_typologies->apply(*m_slotB);
    m_fits->showShapes(); // the bleed may have changed
}

// Pictures and the page --------------------------------------------------------

void MainWindow::showDvdPanel(bool shown)
{
    m_state.dvdShown = shown;
    // The panel covers the CD layout, whose controls then take no keys.
    const auto layout = m_area->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *control : layout) {
        if (!m_dvd->isPanel(control) && control->focusPolicy() != Qt::NoFocus)
            control->setEnabled(!shown);
    }
    m_dvd->setShown(shown);
}

CoverPlanInput MainWindow::pageInput() const
{
    CoverPlanInput input;
    input.slotA = m_slotA->pageInput(m_state.borderA);
    input.slotA.discLabel = IsDiscLabel(m_state.typologyA);
    input.slotB = m_slotB->pageInput(m_state.borderB);
    input.slotB.discLabel = IsDiscLabel(m_state.typologyB);
    input.selection = m_state.printSelection.value_or(PrintSelection::BothSlots);
    input.dvdMode = m_state.dvdShown;
    input.dvdFormat = m_state.dvdFormat;
    input.dvdPicture = m_dvd->pictureBox()->picture();
    m_fits->addTo(input);
    return input;
}

// Exit ------------------------------------------------------------------------

bool MainWindow::confirmExit()
{
    const QString question = ExitQuestion(m_state.language, ProgramTitle());
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
    const double ask = ReadNumber(m_settings.text(SettingName::ConfirmExit));
    if (ask != 0.0 && !confirmExit())
        return;
    saveSettings();
    if (m_ending)
        event->accept();
}

void MainWindow::endOnSignal(int signal)
{
    Q_UNUSED(signal);
    if (m_ending)
        return;
    m_endingOnSignal = true;
    saveSettings();
}

bool MainWindow::event(QEvent *event)
{
    // Status tips (a menu entry under the mouse) would wipe the status bar's
    // message, which stays until the next one.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

} // namespace vellumark
