#include "app/toolset.h"

#include "app/toolicons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace vellumark {

namespace {

QStringList arrangementOf(const QList<QAction *> &actions)
{
    QStringList ids;
    for (const QAction *action : actions)
        ids.append(action->isSeparator() ? QStringLiteral("|") : action->objectName());
    return ids;
}

} // namespace

ToolSet::ToolSet(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("SSActiveToolBars1"));

    // Plain and two-state tools, with the captions of the definition.
    addTool(QStringLiteral("ID_covers"), QStringLiteral("Cover DVD"), true);
    addTool(QStringLiteral("left_to_right"), QStringLiteral("left_to_right"));
    addTool(QStringLiteral("right_to_left"), QStringLiteral("right_to_left"));
    addTool(QStringLiteral("ID_Print"), QStringLiteral("Stampa"));
    addTool(QStringLiteral("ID_Opzioni"), QStringLiteral("Opzioni..."));
    addTool(QStringLiteral("ID_Stampa"), QStringLiteral("Setup Stampante..."));
    addTool(QStringLiteral("ID_Calibra"), QStringLiteral("Calibra stampante..."));
    addTool(QStringLiteral("ID_ApriPrew"), QStringLiteral("Con Anteprima"), true);
    addTool(QStringLiteral("ID_ApriWin"), QStringLiteral("Stile Windows"), true);
    addTool(QStringLiteral("ID_Elimina"), QStringLiteral("Rimuovi Sfondo"));
    addTool(QStringLiteral("ID_Colore"), QStringLiteral("Colore Linee..."));
    addTool(QStringLiteral("ID_Immagine"), QStringLiteral("Immagine..."));
    const char *skinCaptions[]
        = { "Riempito",           "Trasparente",      "Linee Orizzontali", "Linee Verticali",
            "Oblique a Scendere", "Oblique a Salire", "Incrociate",        "Incrociate Oblique" };
    for (int i = 0; i < 8; ++i)
        addTool(QStringLiteral("ID_Skin%1").arg(i), QString::fromLatin1(skinCaptions[i]), true);
    addTool(QStringLiteral("ID_Uscita"), QStringLiteral("Uscita"));
    addTool(QStringLiteral("ID_Guida"), QStringLiteral("Guida in Linea..."));
    addTool(QStringLiteral("ID_Orvandi"), QStringLiteral("Orvandi Teodrin sul Web"));
    addTool(QStringLiteral("ID_Email"), QStringLiteral("Posta Elettronica"));
    addTool(QStringLiteral("ID_Informazioni"), QStringLiteral("Informazioni sul Prodotto"));
    addTool(QStringLiteral("ID_Italiano"), QStringLiteral("Italiano"), true);
    addTool(QStringLiteral("ID_English"), QStringLiteral("Inglese"), true);
    addTool(QStringLiteral("ID_Duch"), QStringLiteral("Tedesco"), true);

    exclusiveGroup(
        { QStringLiteral("ID_Italiano"), QStringLiteral("ID_English"), QStringLiteral("ID_Duch") },
        QStringLiteral("ID_English"));
    QStringList skins;
    for (int i = 0; i < 8; ++i)
        skins.append(QStringLiteral("ID_Skin%1").arg(i));
    exclusiveGroup(skins, QStringLiteral("ID_Skin1"));
    exclusiveGroup({ QStringLiteral("ID_ApriPrew"), QStringLiteral("ID_ApriWin") },
                   QStringLiteral("ID_ApriPrew"));

    // Shortcuts of the commonest commands, shown beside them in the menus.
    tool(QStringLiteral("ID_Print"))->setShortcut(QKeySequence::Print);
    tool(QStringLiteral("ID_Guida"))->setShortcut(QKeySequence::HelpContents);
    tool(QStringLiteral("ID_Uscita"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    tool(QStringLiteral("ID_Opzioni"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));

    // Drop-down menus.
    QMenu *menuMenu = addMenu(QStringLiteral("ID_Menu"), QStringLiteral("Menu"));
    QMenu *helpMenu = addMenu(QStringLiteral("ID_Help"), QStringLiteral("Help"));
    QMenu *openMenu
        = addMenu(QStringLiteral("ID_Apertura"), QStringLiteral("Stile Apertura File..."));
    QMenu *languageMenu = addMenu(QStringLiteral("ID_Lingua"), QStringLiteral("Lingua"));
    QMenu *skinMenu = addMenu(QStringLiteral("ID_Skin"), QStringLiteral("Skin"));

    openMenu->addAction(tool(QStringLiteral("ID_ApriPrew")));
    openMenu->addAction(tool(QStringLiteral("ID_ApriWin")));
    languageMenu->addAction(tool(QStringLiteral("ID_Duch")));
    languageMenu->addAction(tool(QStringLiteral("ID_English")));
    languageMenu->addAction(tool(QStringLiteral("ID_Italiano")));
    for (const QString &id : std::as_const(skins))
        skinMenu->addAction(tool(id));
    skinMenu->addSeparator();
    skinMenu->addAction(tool(QStringLiteral("ID_Colore")));
    skinMenu->addSeparator();
    skinMenu->addAction(tool(QStringLiteral("ID_Immagine")));
    skinMenu->addAction(tool(QStringLiteral("ID_Elimina")));

    menuMenu->addAction(openMenu->menuAction());
    menuMenu->addAction(languageMenu->menuAction());
    menuMenu->addAction(tool(QStringLiteral("ID_Opzioni")));
    menuMenu->addAction(skinMenu->menuAction());
    menuMenu->addAction(tool(QStringLiteral("ID_Stampa")));
    menuMenu->addAction(tool(QStringLiteral("ID_Calibra")));
    menuMenu->addSeparator();
    menuMenu->addAction(tool(QStringLiteral("ID_Uscita")));

    helpMenu->addAction(tool(QStringLiteral("ID_Guida")));
    helpMenu->addSeparator();
    helpMenu->addAction(tool(QStringLiteral("ID_Orvandi")));
    helpMenu->addAction(tool(QStringLiteral("ID_Email")));
    helpMenu->addSeparator();
    helpMenu->addAction(tool(QStringLiteral("ID_Informazioni")));

    m_toolBar = new QToolBar(window);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->addAction(menuMenu->menuAction());
    m_toolBar->addAction(helpMenu->menuAction());
    m_toolBar->addSeparator();
    m_toolBar->addAction(tool(QStringLiteral("left_to_right")));
    m_toolBar->addAction(tool(QStringLiteral("right_to_left")));
    m_toolBar->addSeparator();
    m_toolBar->addAction(tool(QStringLiteral("ID_covers")));
    m_toolBar->addAction(tool(QStringLiteral("ID_Opzioni")));
    m_toolBar->addAction(tool(QStringLiteral("ID_Immagine")));
    m_toolBar->addSeparator();
    m_toolBar->addAction(tool(QStringLiteral("ID_Print")));

    // The two menu tools open at once and show their caption.
    for (QMenu *menu : { menuMenu, helpMenu }) {
        if (auto *button
            = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(menu->menuAction()))) {
            button->setPopupMode(QToolButton::InstantPopup);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
    }
}

QAction *ToolSet::addTool(const QString &id, const QString &caption, bool checkable)
{
    auto *action = new QAction(caption, m_window);
    action->setObjectName(id);
    action->setCheckable(checkable);
    action->setIcon(ToolIcon(id));
    action->setIconVisibleInMenu(false);
    connect(action, &QAction::triggered, this, [this, action] { emit toolClicked(action); });
    m_tools.insert(id, action);
    m_order.append(id);
    return action;
}

QMenu *ToolSet::addMenu(const QString &id, const QString &caption)
{
    auto *menu = new QMenu(caption, m_window);
    menu->setObjectName(id + QStringLiteral("_menu"));
    QAction *action = menu->menuAction();
    action->setObjectName(id);
    m_tools.insert(id, action);
    m_menus.insert(id, menu);
    m_order.append(id);
    return menu;
}

QActionGroup *ToolSet::exclusiveGroup(const QStringList &ids, const QString &pressed)
{
    auto *group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const QString &id : ids)
        group->addAction(tool(id));
    tool(pressed)->setChecked(true);
    return group;
}

QStringList ToolSet::toolBarArrangement() const
{
    return arrangementOf(m_toolBar->actions());
}

QStringList ToolSet::menuArrangement(const QString &menuId) const
{
    const QMenu *menu = m_menus.value(menuId);
    return menu ? arrangementOf(menu->actions()) : QStringList();
}

} // namespace vellumark
