#pragma once

#include <QString>

class QAction;

namespace vellumark {

class MainWindow;

// The dispatcher's table: one command for each tool ID of the main window.
class ToolCommands
{
public:
    using Command = void (*)(MainWindow &window, QAction *tool);

    // The command for a tool ID; nothing for an ID without one.
    static Command commandOf(const QString &id);
    // Runs the tool's command; a tool without one does nothing.
    static void run(MainWindow &window, QAction *tool);

private:
    // The skin tools' command: the fill style is in the tool's data.
    static void setFillStyle(MainWindow &window, QAction *tool);
    // Opens a web or mail address; one that cannot be opened is said.
    static void openAddress(MainWindow &window, const QString &address);
};

} // namespace vellumark
