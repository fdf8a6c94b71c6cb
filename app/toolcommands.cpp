#include "app/toolcommands.h"

#include "app/coverslotpanel.h"
#include "app/dvdpanel.h"
#include "app/mainwindow.h"
#include "app/printcommands.h"
#include "app/windowbackground.h"
#include "dialogs/helpviewer.h"
#include "logic/programinfo.h"
#include "logic/texts/failuretexts.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QDesktopServices>
#include <QStatusBar>
#include <QUrl>

namespace vellumark {

void ToolCommands::openAddress(MainWindow &window, const QString &address)
{
    if (!QDesktopServices::openUrl(QUrl(address)))
        window.StatusBar1->showMessage(
            FailuresIn(window.m_state.language).linkNotOpened.arg(address));
}

void ToolCommands::setFillStyle(MainWindow &window, QAction *tool)
{
    // A tool that the click released changes nothing.
    if (tool->isChecked())
        window.m_background->setFillStyle(tool->data().toInt());
}

ToolCommands::Command ToolCommands::commandOf(const QString &id)
{
    // One row per tool ID; the first row with the ID runs.
    static const QList<std::pair<QString, Command>> commands = {
        { QStringLiteral("ID_covers"),
          [](MainWindow &w, QAction *tool) { w.showDvdPanel(tool->isChecked()); } },
        { QStringLiteral("left_to_right"),
          [](MainWindow &w, QAction *) {
              w.m_slotB->setPicture(w.m_slotA->preview()->picture(),
                                    w.m_slotA->preview()->pictureFileName());
          } },
        { QStringLiteral("right_to_left"),
          [](MainWindow &w, QAction *) {
              w.m_slotA->setPicture(w.m_slotB->preview()->picture(),
                                    w.m_slotB->preview()->pictureFileName());
          } },
        { QStringLiteral("ID_Print"), [](MainWindow &w, QAction *) { w.m_print->print(); } },
        { QStringLiteral("ID_Opzioni"), [](MainWindow &w, QAction *) { w.showOptionsDialog(); } },
        { QStringLiteral("ID_Stampa"),
          [](MainWindow &w, QAction *) { w.m_print->setUpPrinter(); } },
        { QStringLiteral("ID_AnteprimaStampa"),
          [](MainWindow &w, QAction *) { w.m_print->showPreview(); } },
        { QStringLiteral("ID_EsportaPDF"),
          [](MainWindow &w, QAction *) { w.m_print->exportPdf(); } },
        { QStringLiteral("ID_Calibra"), [](MainWindow &w, QAction *) { w.m_print->calibrate(); } },
        { QStringLiteral("ID_ApriPrew"),
          [](MainWindow &w, QAction *) { w.m_state.openWithPreview = true; } },
        { QStringLiteral("ID_ApriWin"),
          [](MainWindow &w, QAction *) { w.m_state.openWithPreview = false; } },
        { QStringLiteral("ID_Elimina"),
          [](MainWindow &w, QAction *) { w.m_background->removePicture(); } },
        { QStringLiteral("ID_Colore"),
          [](MainWindow &w, QAction *) { w.m_background->chooseFillColour(); } },
        { QStringLiteral("ID_Immagine"),
          [](MainWindow &w, QAction *) { w.m_background->choosePicture(); } },
        { QStringLiteral("ID_Uscita"), [](MainWindow &w, QAction *) { w.close(); } },
        { QStringLiteral("ID_Guida"),
          [](MainWindow &w, QAction *) { HelpViewer::showFor(&w, w.m_state.language); } },
        { QStringLiteral("ID_Orvandi"),
          [](MainWindow &w, QAction *) { openAddress(w, MakerWebSite()); } },
        { QStringLiteral("ID_Email"),
          [](MainWindow &w, QAction *) {
              openAddress(w, QStringLiteral("mailto:") + MakerEmail());
          } },
        { QStringLiteral("ID_Informazioni"),
          [](MainWindow &w, QAction *) { w.showAboutWindow(); } },
        { QStringLiteral("ID_Duch"),
          [](MainWindow &w, QAction *) { w.applyLanguage(Language::German); } },
        { QStringLiteral("ID_Italiano"),
          [](MainWindow &w, QAction *) { w.applyLanguage(Language::Italian); } },
        { QStringLiteral("ID_English"),
          [](MainWindow &w, QAction *) { w.applyLanguage(Language::English); } },
        { QStringLiteral("ID_Skin0"), &setFillStyle },
        { QStringLiteral("ID_Skin1"), &setFillStyle },
        { QStringLiteral("ID_Skin2"), &setFillStyle },
        { QStringLiteral("ID_Skin3"), &setFillStyle },
        { QStringLiteral("ID_Skin4"), &setFillStyle },
        { QStringLiteral("ID_Skin5"), &setFillStyle },
        { QStringLiteral("ID_Skin6"), &setFillStyle },
        { QStringLiteral("ID_Skin7"), &setFillStyle },
    };
    for (const auto &[toolId, command] : commands) {
        if (toolId == id)
            return command;
    }
    return nullptr;
}

void ToolCommands::run(MainWindow &window, QAction *tool)
{
    if (!tool)
        return;
    if (const Command command = commandOf(tool->objectName()))
        command(window, tool);
}

} // namespace vellumark
