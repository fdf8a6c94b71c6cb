#pragma once

#include "app/mainwindow.h"
#include "logic/settings/programsettings.h"
#include "requiredtools.h"
#include "temporarysettings.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace vellumark::test {

// A loaded main window over the given settings, whose program end is
// recorded instead of ending the test.
struct LoadedWindow
{
    std::unique_ptr<MainWindow> window;
    std::shared_ptr<int> endCount = std::make_shared<int>(0);
};
LoadedWindow loadWindow(const ProgramSettings &settings);

// The two-slot layout, typed into the window: slot A at (2, 2) 12.1 x 12.1
// cm, red, bordered; slot B at (2, 16) 10 x 5 cm, green, without border.
// TwoSlotsPageFault (pagescan.h) checks its page.
void layOutTwoSlots(MainWindow *window);

// How long a test waits for a modal window it expects.
constexpr int ModalWaitMsecs = 10000;

// Offers the modal window on top to the action every few milliseconds, once
// it is shown and matches, until the action returns true (it has answered
// it). Bounded: when the time is up, a matching dialog still open is
// rejected with a warning, so that a test whose answer went wrong fails
// instead of hanging, and a forgotten answer cannot reach a later test.
void onNextModal(const std::function<bool(QWidget *)> &matches,
                 const std::function<bool(QWidget *)> &action, int msecs = ModalWaitMsecs);

// The same for any modal window.
inline void onNextModal(const std::function<bool(QWidget *)> &action)
{
    onNextModal([](QWidget *) { return true; }, action);
}

// The same for the next modal window of type T, and of the given
// objectName when one is given.
template<typename T>
void onNextModal(const std::function<bool(T *)> &action, const QString &name = QString(),
                 int msecs = ModalWaitMsecs)
{
    onNextModal(
        [name](QWidget *modal) {
            return qobject_cast<T *>(modal) && (name.isEmpty() || modal->objectName() == name);
        },
        [action](QWidget *modal) { return action(qobject_cast<T *>(modal)); }, msecs);
}

// While it lives, rejects every modal dialog that is shown and remembers the
// dialogs' names.
class ModalDialogCloser
{
public:
    ModalDialogCloser();
    ~ModalDialogCloser();
    QStringList closed() const { return *m_closed; }

private:
    std::shared_ptr<QStringList> m_closed = std::make_shared<QStringList>();
    QTimer *m_timer;
};

// Answers the next modal message box (or dialog) with the given button, once
// it appears; returns the text it showed through *shown.
void answerNextMessageBox(int button, QString *shown = nullptr);

template<typename T>
T *child(QObject *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}

} // namespace vellumark::test
