#include "app/toolset.h"

#include "logic/artwork.h"
#include "logic/texts/maintexts.h"
#include "logic/texts/menuentrytexts.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <QVariant>

namespace vellumark {

namespace {

// Qt's automatic tooltip drops blanks and a trailing "...": a tool's
// tooltip is its text as it stands, also after a language switch.
void keepToolTipAsText(QAction *action)
{
    auto follow = [action] {
        if (action->toolTip() != action->text())
            action->setToolTip(action->text());
    };
    follow();
    QObject::connect(action, &QAction::changed, action, follow);
}

// The property of a menu entry that names the tool it stands for.
constexpr char MenuEntryOf[] = "menuEntryOf";

QStringList arrangementOf(const QList<QAction *> &actions)
{
    QStringList ids;
    for (const QAction *action : actions) {
        const QString entryOf = action->property(MenuEntryOf).toString();
        ids.append(action->isSeparator()   ? QStringLiteral("|")
                       : entryOf.isEmpty() ? action->objectName()
                                           : entryOf);
    }
    return ids;
}

// One row per tool: its ID, whether it keeps a pressed state, and the value
// its command reads (a skin's fill style). Captions come from the text
// tables, commands from the window's dispatch table.
struct ToolDefinition
{
    QString id;
    bool checkable = false;
    QVariant data = QVariant();
    QKeySequence shortcut = QKeySequence();
};

QList<ToolDefinition> toolDefinitions()
{
    QList<ToolDefinition> tools = {
        { QStringLiteral("ID_covers"), true, {}, QKeySequence(Qt::CTRL | Qt::Key_D) },
        { QStringLiteral("left_to_right") },
        { QStringLiteral("right_to_left") },
        { QStringLiteral("ID_Print"), false, {}, QKeySequence::Print },
        { QStringLiteral("ID_Opzioni"), false, {}, QKeySequence(Qt::CTRL | Qt::Key_Comma) },
        { QStringLiteral("ID_Stampa") },
        { QStringLiteral("ID_AnteprimaStampa"),
          false,
          {},
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P) },
        { QStringLiteral("ID_EsportaPDF"),
          false,
          {},
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E) },
        { QStringLiteral("ID_Calibra") },
        { QStringLiteral("ID_ApriPrew"), true },
        { QStringLiteral("ID_ApriWin"), true },
        { QStringLiteral("ID_Elimina") },
        { QStringLiteral("ID_Colore") },
        { QStringLiteral("ID_Immagine") },
    };
    for (int style = 0; style < 8; ++style)
        tools.append({ QStringLiteral("ID_Skin%1").arg(style), true, style });
    tools.append({
        { QStringLiteral("ID_Uscita"), false, {}, QKeySequence(Qt::CTRL | Qt::Key_Q) },
        { QStringLiteral("ID_Guida"), false, {}, QKeySequence::HelpContents },
        { QStringLiteral("ID_Orvandi") },
        { QStringLiteral("ID_Email") },
        { QStringLiteral("ID_Informazioni") },
        { QStringLiteral("ID_Italiano"), true },
        { QStringLiteral("ID_English"), true },
        { QStringLiteral("ID_Duch"), true },
    });
    return tools;
}

// The drop-down menus in the order they are made, each with its entries;
// "|" is a separator. A menu may hold one made before it.
const QList<std::pair<QString, QStringList>> &menuDefinitions()
{
    static const QList<std::pair<QString, QStringList>> menus = {
        { QStringLiteral("ID_Apertura"),
          { QStringLiteral("ID_ApriPrew"), QStringLiteral("ID_ApriWin") } },
        { QStringLiteral("ID_Lingua"),
          { QStringLiteral("ID_Duch"), QStringLiteral("ID_English"),
            QStringLiteral("ID_Italiano") } },
        { QStringLiteral("ID_Skin"),
          { QStringLiteral("ID_Skin0"), QStringLiteral("ID_Skin1"), QStringLiteral("ID_Skin2"),
            QStringLiteral("ID_Skin3"), QStringLiteral("ID_Skin4"), QStringLiteral("ID_Skin5"),
            QStringLiteral("ID_Skin6"), QStringLiteral("ID_Skin7"), QStringLiteral("|"),
            QStringLiteral("ID_Colore"), QStringLiteral("|"), QStringLiteral("ID_Immagine"),
            QStringLiteral("ID_Elimina") } },
        { QStringLiteral("ID_Menu"),
          { QStringLiteral("ID_Print"), QStringLiteral("ID_covers"),
            QStringLiteral("left_to_right"), QStringLiteral("right_to_left"), QStringLiteral("|"),
            QStringLiteral("ID_Apertura"), QStringLiteral("ID_Lingua"),
            QStringLiteral("ID_Opzioni"), QStringLiteral("ID_Skin"), QStringLiteral("ID_Stampa"),
            QStringLiteral("ID_AnteprimaStampa"), QStringLiteral("ID_EsportaPDF"),
            QStringLiteral("ID_Calibra"), QStringLiteral("|"), QStringLiteral("ID_Uscita") } },
        { QStringLiteral("ID_Help"),
          { QStringLiteral("ID_Guida"), QStringLiteral("|"), QStringLiteral("ID_Orvandi"),
            QStringLiteral("ID_Email"), QStringLiteral("|"), QStringLiteral("ID_Informazioni") } },
    };
    return menus;
}

// The menus' IDs in the order the tool set lists them.
const QStringList &menuOrder()
{
    static const QStringList order
        = { QStringLiteral("ID_Menu"), QStringLiteral("ID_Help"), QStringLiteral("ID_Apertura"),
            QStringLiteral("ID_Lingua"), QStringLiteral("ID_Skin") };
    return order;
}

const QStringList &toolBarDefinition()
{
    static const QStringList ids = {
        QStringLiteral("ID_Menu"),
        QStringLiteral("ID_Help"),
        QStringLiteral("|"),
        QStringLiteral("left_to_right"),
        QStringLiteral("right_to_left"),
        QStringLiteral("|"),
        QStringLiteral("ID_covers"),
        QStringLiteral("ID_Opzioni"),
        QStringLiteral("ID_Immagine"),
        QStringLiteral("|"),
        QStringLiteral("ID_Print"),
    };
    return ids;
}

// Groups of tools of which one is pressed at a time, and the one pressed
// at first.
const QList<std::pair<QStringList, QString>> &exclusiveGroupDefinitions()
{
    static const QList<std::pair<QStringList, QString>> groups = {
        { { QStringLiteral("ID_Italiano"), QStringLiteral("ID_English"),
            QStringLiteral("ID_Duch") },
          QStringLiteral("ID_English") },
        { { QStringLiteral("ID_Skin0"), QStringLiteral("ID_Skin1"), QStringLiteral("ID_Skin2"),
            QStringLiteral("ID_Skin3"), QStringLiteral("ID_Skin4"), QStringLiteral("ID_Skin5"),
            QStringLiteral("ID_Skin6"), QStringLiteral("ID_Skin7") },
          QStringLiteral("ID_Skin1") },
        { { QStringLiteral("ID_ApriPrew"), QStringLiteral("ID_ApriWin") },
          QStringLiteral("ID_ApriPrew") },
    };
    return groups;
}

} // namespace

ToolSet::ToolSet(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("SSActiveToolBars1"));

    // The captions a tool starts with are the Italian ones; the window's
    // language switch sets them again.
    for (const ToolDefinition &definition : toolDefinitions()) {
        QAction *action = addTool(definition.id, ToolCaption(Language::Italian, definition.id),
                                  definition.checkable);
        action->setData(definition.data);
        action->setShortcut(definition.shortcut);
    }
    for (const auto &[ids, pressed] : exclusiveGroupDefinitions())
        exclusiveGroup(ids, pressed);

    for (const QString &id : menuOrder())
        addMenu(id, ToolCaption(Language::Italian, id));
    for (const auto &[id, entries] : menuDefinitions()) {
        QMenu *menu = m_menus.value(id);
        for (const QString &entry : entries) {
            if (entry == u"|")
                menu->addSeparator();
            else if (ToolsWithMenuEntry().contains(entry))
                menu->addAction(addMenuEntry(entry));
            else
                menu->addAction(tool(entry));
        }
    }

    m_toolBar = new QToolBar(window);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const QString &entry : toolBarDefinition()) {
        if (entry == u"|")
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(tool(entry));
    }

    // The two menu tools open at once and show their caption.
    for (const QString &id : { QStringLiteral("ID_Menu"), QStringLiteral("ID_Help") }) {
        if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(tool(id)))) {
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
    keepToolTipAsText(action);
    connect(action, &QAction::triggered, this, [this, action] { emit toolClicked(action); });
    m_tools.insert(id, action);
    m_order.append(id);
    return action;
}

QAction *ToolSet::addMenuEntry(const QString &toolId)
{
    // An action of its own, so that the toolbar keeps the tool's caption;
    // choosing it clicks the tool, and it shows the tool's state.
    QAction *forTool = tool(toolId);
    auto *entry = new QAction(MenuEntryText(Language::Italian, toolId), m_window);
    entry->setObjectName(toolId + QStringLiteral("_entry"));
    entry->setProperty(MenuEntryOf, toolId);
    entry->setCheckable(forTool->isCheckable());
    entry->setChecked(forTool->isChecked());
    // Shown beside the text; the tool's own shortcut is the one that works.
    entry->setShortcut(forTool->shortcut());
    entry->setShortcutContext(Qt::WidgetShortcut);
    connect(entry, &QAction::triggered, forTool, &QAction::trigger);
    connect(forTool, &QAction::toggled, entry, &QAction::setChecked);
    m_entries.insert(toolId, entry);
    return entry;
}

void ToolSet::setMenuEntryTexts(Language language)
{
    for (auto entry = m_entries.cbegin(); entry != m_entries.cend(); ++entry)
        entry.value()->setText(MenuEntryText(language, entry.key()));
}

QMenu *ToolSet::addMenu(const QString &id, const QString &caption)
{
    auto *menu = new QMenu(caption, m_window);
    menu->setObjectName(id + QStringLiteral("_menu"));
    QAction *action = menu->menuAction();
    action->setObjectName(id);
    keepToolTipAsText(action);
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

void ToolSet::showTexts(const MainWindowTexts &texts)
{
    auto setCaption = [this](const QString &id, const QString &text) {
        if (QAction *action = tool(id))
            action->setText(text);
    };
    setCaption(QStringLiteral("ID_Print"), texts.printTool);
    for (const auto &[id, text] : texts.languageTools)
        setCaption(id, text);
    tool(texts.checkedLanguageTool)->setChecked(true);
    for (const auto &[id, text] : texts.otherTools)
        setCaption(id, text);
}

void ToolSet::addMenuKeys()
{
    auto popUp = [this](const QString &id) {
        QWidget *button = m_toolBar->widgetForAction(tool(id));
        if (QMenu *opened = menu(id))
            opened->popup(button ? button->mapToGlobal(QPoint(0, button->height()))
                                 : m_window->pos());
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
        auto *shortcut = new QShortcut(opener.keys, m_window);
        const QString id = QString::fromLatin1(opener.menu);
        connect(shortcut, &QShortcut::activated, this, [popUp, id] { popUp(id); });
    }
}

} // namespace vellumark
