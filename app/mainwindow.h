#pragma once

#include "logic/settings/programsettings.h"
#include "logic/settings/windowstate.h"
#include "logic/texts/qttranslation.h"

#include <QImage>
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QStatusBar;

namespace vellumark {

class ControlsArea;
class CoverFits;
class CoverSlotPanel;
class DvdPanel;
class PrintCommands;
class PrintSelectionPanel;
class SettingsWriteReporter;
class SlotTypologies;
class ToolSet;
class WindowAccessibility;
class WindowBackground;

// The main window: two cover slots side by side, the DVD panel, the toolbar
// and its menus. It shows the window's state and changes it as the user
// works; every control's objectName is its name here.
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

    // Ends the program as the exit does, without the question: the window's
    // settings are written first (a signal asked the program to end).
    void endOnSignal(int signal);

    // What ends the program once the settings are written; tests replace it.
    void setProgramEnder(std::function<void()> ender) { m_endProgram = std::move(ender); }

    const ProgramSettings &settings() const { return m_settings; }
    const WindowState &state() const { return m_state; }
    ToolSet *tools() const { return m_tools; }

    // The one dispatcher of every toolbar and menu command.
    void dispatchTool(QAction *tool);

    // The three languages of the window.
    void applyLanguage(Language language);
    // The language marker ("Italiano", "Inglese" or "Tedesco").
    QString languageMarker() const { return MarkerOfLanguage(m_state.language); }

    // The background picture of the window, behind the controls.
    QImage backgroundPicture() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    friend class ToolCommands;

    void buildControls();
    void connectSlot(CoverSlotPanel *panel);
    void orderTabs();

    // Start-up: password and about window as the settings ask, then the
    // stored state. False when the password was not given.
    bool loadSettings();
    void showState();
    // Writes the window's state and ends the program.
    void saveSettings();

    // Dialogs shown by the window.
    void showAboutWindow();
    void showOptionsDialog();

    void showDvdPanel(bool shown);
    // What the window holds for the page now.
    CoverPlanInput pageInput() const;

    // The exit question; true when the user answers Yes.
    bool confirmExit();

    ProgramSettings m_settings;
    WindowState m_state;
    QtTranslation m_qtTranslation; // Qt's own dialogs in the window's language
    std::function<void()> m_endProgram;
    std::unique_ptr<SettingsWriteReporter> m_settingsWrites;
    bool m_ending = false;
    bool m_endingOnSignal = false;

    ToolSet *m_tools = nullptr;
    WindowAccessibility *m_accessibility = nullptr;
    ControlsArea *m_area = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *Label2 = nullptr; // shows the last picture folder
    std::unique_ptr<CoverSlotPanel> m_slotA;
    std::unique_ptr<CoverSlotPanel> m_slotB;
    std::unique_ptr<SlotTypologies> m_typologies;
    PrintSelectionPanel *m_printSelection = nullptr;
    DvdPanel *m_dvd = nullptr;
    WindowBackground *m_background = nullptr;
    PrintCommands *m_print = nullptr;
    CoverFits *m_fits = nullptr;
};

} // namespace vellumark
