#pragma once

#include "app/coverslotpanel.h"
#include "logic/settings/programsettings.h"
#include "logic/texts/language.h"
#include "logic/texts/qttranslation.h"
#include "logic/typology.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace vellumark {

struct CoverPlan;
struct CutOff;
enum class PrintOutcome;

class BackgroundShape;
class ControlsArea;
class LineItem;
class MeasureField;
class PictureBox;
class ToolSet;
class TypologyList;
class WindowAccessibility;

// The main window: two cover slots side by side, the DVD panel, the toolbar
// and its menus. Its controls hold the cover layout and several settings
// while the program runs; every control's objectName is its name here.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(ProgramSettings settings, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Loading: width, settings, caption, language, in this order. False when
    // the start-up password was not given: the program must end at once,
    // writing nothing.
    bool load();

    // What ends the program once the settings are written; tests replace it.
    void setProgramEnder(std::function<void()> ender) { m_endProgram = std::move(ender); }

    const ProgramSettings &settings() const { return m_settings; }
    ToolSet *tools() const { return m_tools; }

    // Typology selection of each slot.
    void applyTypologyA();
    void applyTypologyB();

    // The one dispatcher of every toolbar and menu command.
    void dispatchTool(QAction *tool);
    // The dispatcher's command for a tool ID, from its table; nothing for an
    // ID without a command.
    using ToolCommand = void (*)(MainWindow &window, QAction *tool);
    static ToolCommand commandOfTool(const QString &id);

    // Settings: first-start defaults, reading at start, writing at exit.
    void writeDefaultSettings();
    void loadSettings();
    void applySettings();
    void saveSettings();

    // The three languages of the window.
    void applyLanguage(Language language);

    // The language marker ("Italiano", "Inglese" or "Tedesco").
    QString languageMarker() const { return MarkerOfLanguage(m_language); }

    // Prints the current layout: one page per call.
    void PrintCovers();
    // The page the print command would send now, in Qt's print preview.
    void showPrintPreview();
    // The page the print command would send now, as a PDF file.
    void exportPdf();

    // The background picture of the window, behind the controls.
    QImage backgroundPicture() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildControls();
    void setUpKeyboard();
    void applyTypology(CoverSlotPanel &panel);
    void buildDvdPanel(QWidget *area);
    QLabel *addLabel(const QString &name, const QString &text, QRect twips, QWidget *parent,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    LineItem *addLine(const QString &name, int x1, int y1, int x2, int y2, bool light,
                      QWidget *parent);

    void storeMeasure(const CoverSlotPanel &panel, Measure measure);
    void applyDvdFormat(bool fullCase);
    void selectPrintOption(QRadioButton *option);

    // The exit question; true when the user answers Yes.
    bool confirmExit();
    // Ends the window after the settings are written.
    void endProgram();

    // Dialogs shown by the window (mdiform1_dialogs.cpp). The password
    // prompt returns false when the program must end. The picture dialog
    // with preview returns true when the user confirmed a file, which is
    // then in m_chosenFile.
    bool runPasswordPrompt();
    void showAboutWindow();
    void showOptionsDialog();
    bool choosePictureWithPreview();

    // Pictures of the slots and the DVD panel (mdiform1_pictures.cpp).
    void connectPictures();
    // A click on an owner's main box: choose a file and load it into the
    // owner's boxes, the main box first.
    void choosePicture(const QList<PictureBox *> &boxes);
    // The system file dialog; true when the user chose a file, which is then
    // in m_chosenFile.
    bool choosePictureWithSystemDialog();
    void loadDroppedPicture(const QString &file, const QList<PictureBox *> &boxes);

    // Printing and the quarter turn (mdiform1_print.cpp).
    void connectPrinting();
    void turnDvdPicture();
    // The page as the window holds it now, pictures at print resolution.
    CoverPlan currentPlan() const;
    bool printerSetupFirst() const;
    bool askToPrintCutOff(const QList<CutOff> &cuts, QWidget *parent);
    void reportPrintOutcome(PrintOutcome outcome, const CoverPlan &plan);

    // What the last command did, in the status bar until the next message.
    void say(const QString &message);
    void sayPictureFault(const QString &file);

    // Members of the printing code.
    // The program's one printer, a child of the window (print/printjob.h).
    class PrintJob *m_printJob = nullptr;

    // Selects a typology from code and runs the slot's selection once.
    void selectTypology(CoverSlotPanel &panel, int index);
    void fillTypologyList(TypologyList *list, Language language);

    void showDvdPanel(bool shown);
    void copyPicture(PictureBox *from, const QList<PictureBox *> &to);
    // The skin tools' command: the fill style is in the tool's data.
    static void setFillStyleFromTool(MainWindow &window, QAction *tool);
    void chooseFillColour();
    void chooseBackgroundPicture();
    void removeBackgroundPicture();
    void showPrinterSetup();
    void calibratePrinter();
    void showHelp();
    void openAddress(const QString &address);

    ProgramSettings m_settings;
    QtTranslation m_qtTranslation; // Qt's own dialogs in the window's language
    std::function<void()> m_endProgram;
    bool m_ending = false;
    bool m_loadAborted = false;

    ToolSet *m_tools = nullptr;
    WindowAccessibility *m_accessibility = nullptr;
    ControlsArea *m_area = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    BackgroundShape *Shape1 = nullptr;

    // The two cover slots, built by one piece of code.
    std::unique_ptr<CoverSlotPanel> m_slotA;
    std::unique_ptr<CoverSlotPanel> m_slotB;

    // Print selection.
    QRadioButton *Option3 = nullptr;
    QRadioButton *Option4 = nullptr;
    QRadioButton *Option5 = nullptr;

    // DVD panel.
    QFrame *Frame1 = nullptr;
    QFrame *Frame2 = nullptr;
    QPushButton *Command2 = nullptr;
    QRadioButton *Option6 = nullptr;
    QRadioButton *Option7 = nullptr;
    PictureBox *Image7 = nullptr;
    QLabel *Label25 = nullptr;
    LineItem *Line6 = nullptr;
    LineItem *Line8 = nullptr;
    LineItem *Line9 = nullptr;
    LineItem *Line10 = nullptr;

    // Labels whose texts follow the language, by name.
    QHash<QString, QLabel *> m_labels;

    // The window's state; the hidden holders below show it, and nothing
    // reads them back.
    Language m_language = Language::English;
    QString m_previewSwitch; // the preview dialog's switch, as stored ("Anteprima")
    QString m_backgroundFile; // the background picture's path ("Immagine")
    bool m_openWithPreview = true; // pictures open through the preview dialog
    void setLanguage(Language language, const QString &marker);
    void setPreviewSwitch(const QString &state);
    void setBackgroundFile(const QString &file);
    void setOpenWithPreview(bool withPreview);

    QLabel *Label2 = nullptr; // last picture folder, shown
    QLabel *Label3 = nullptr; // mirrors m_previewSwitch
    QLabel *Label17 = nullptr; // scratch
    QLabel *Label19 = nullptr; // mirrors the language marker
    QLabel *Label24 = nullptr; // mirrors m_backgroundFile
    QCheckBox *Check3 = nullptr; // mirrors m_openWithPreview
    QString m_chosenFile; // the file name of the last file dialog
};

} // namespace vellumark
