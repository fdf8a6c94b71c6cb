#include "widgets/fitmenu.h"

#include <QActionGroup>
#include <QMenu>

namespace vellumark {

QMenu *MakeFitMenu(QWidget *parent, const FitMenuTexts &texts, FitMode current, bool canCentre,
                   const std::function<void(FitMode)> &choose, const std::function<void()> &centre)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("FitMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto *modes = new QActionGroup(menu);
    const struct
    {
        const char *name;
        QString text;
        FitMode mode;
    } choices[] = {
        { "FitStretch", texts.stretch, FitMode::Stretch },
        { "FitFill", texts.fill, FitMode::Fill },
        { "FitInside", texts.fit, FitMode::Fit },
    };
    for (const auto &choice : choices) {
        QAction *action = menu->addAction(choice.text);
        action->setObjectName(QString::fromLatin1(choice.name));
        action->setCheckable(true);
        action->setChecked(current == choice.mode);
        modes->addAction(action);
        QObject::connect(action, &QAction::triggered, menu,
                         [choose, mode = choice.mode] { choose(mode); });
    }
    menu->addSeparator();
    QAction *centring = menu->addAction(texts.centre);
    centring->setObjectName(QStringLiteral("FitCentre"));
    centring->setEnabled(canCentre);
    QObject::connect(centring, &QAction::triggered, menu, [centre] { centre(); });
    return menu;
}

} // namespace vellumark
