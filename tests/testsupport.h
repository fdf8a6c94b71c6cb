#pragma once

#include "app/mainwindow.h"
#include "logic/settings/programsettings.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace vellumark::test {

// A settings folder of the test's own: XDG_CONFIG_HOME points at a fresh
// temporary folder while the object lives, so nothing reaches the user's.
class TemporarySettings
{
public:
    TemporarySettings();
    ~TemporarySettings();

    QString root() const { return m_dir.path(); }
    SettingsStore store() const { return SettingsStore(m_dir.path()); }
    ProgramSettings settings() const { return ProgramSettings(store()); }
    QString settingsFile() const;

    // Creates the program's key with the given values.
    void seed(const QList<std::pair<QString, QString>> &values) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};

// A loaded main window over the given settings, whose program end is
// recorded instead of ending the test.
struct LoadedWindow
{
    std::unique_ptr<MainWindow> window;
    std::shared_ptr<int> endCount = std::make_shared<int>(0);
};
LoadedWindow loadWindow(const ProgramSettings &settings);

// Runs the action on the next modal widget of the given type once it is shown.
void onNextModal(const std::function<bool(QWidget *)> &action);

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

// Waits until every event queued so far has been delivered, so that what an
// action set off has happened. False if that takes more than five seconds.
bool waitForQueuedEvents();

template<typename T>
T *child(QObject *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}

} // namespace vellumark::test
