#pragma once

#include "logic/texts/language.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QWidget;

namespace vellumark {

struct MainWindowTexts;

// Every command of the main window as one action per tool ID, shared by the
// toolbar and the drop-down menus. Each action's objectName is its tool ID.
// A click on any tool is reported once through toolClicked.
class ToolSet : public QObject
{
    Q_OBJECT

public:
    explicit ToolSet(QWidget *window);

    QAction *tool(const QString &id) const { return m_tools.value(id); }
    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *menu(const QString &id) const { return m_menus.value(id); }
    // The menu entry of a tool that has one of its own (ToolsWithMenuEntry).
    QAction *menuEntry(const QString &toolId) const { return m_entries.value(toolId); }
    void setMenuEntryTexts(Language language);
    // Every tool ID, in the order the tools are defined.
    QStringList ids() const { return m_order; }

    // The IDs as they stand on the toolbar and in a menu, separators as "|".
    QStringList toolBarArrangement() const;
    QStringList menuArrangement(const QString &menuId) const;

    // The captions of a language, and its language tool pressed.
    void showTexts(const MainWindowTexts &texts);

    // The keys that open the two menus from the keyboard (F10, Alt+M,
    // Alt+H), so that every command is reachable without the mouse.
    void addMenuKeys();

signals:
    void toolClicked(QAction *tool);

private:
    QAction *addTool(const QString &id, const QString &caption, bool checkable = false);
    QMenu *addMenu(const QString &id, const QString &caption);
    QAction *addMenuEntry(const QString &toolId);
    QActionGroup *exclusiveGroup(const QStringList &ids, const QString &pressed);

    QWidget *m_window;
    QToolBar *m_toolBar = nullptr;
    QHash<QString, QAction *> m_tools;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QAction *> m_entries;
    QStringList m_order;
};

} // namespace vellumark
