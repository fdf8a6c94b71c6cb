#include "widgets/checkedbuttonfocus.h"

#include <QAbstractButton>
#include <QEvent>

namespace vellumark {

namespace {

// Gives Tab focus to the checked button only, whenever the checked button
// changes and whenever a button is shown (polishing a button on its first
// showing sets its focus policy again).
class CheckedButtonFocus : public QObject
{
public:
    CheckedButtonFocus(const QList<QAbstractButton *> &group, QObject *parent)
        : QObject(parent)
        , m_group(group)
    {
        for (QAbstractButton *button : m_group) {
            button->installEventFilter(this);
            connect(button, &QAbstractButton::toggled, this, &CheckedButtonFocus::follow);
        }
        follow();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            follow();
        return QObject::eventFilter(watched, event);
    }

private:
    void follow()
    {
        for (QAbstractButton *button : std::as_const(m_group))
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }

    QList<QAbstractButton *> m_group;
};

} // namespace

void TabEntersAtCheckedButton(const QList<QAbstractButton *> &group)
{
    if (!group.isEmpty())
        new CheckedButtonFocus(group, group.first());
}

} // namespace vellumark
