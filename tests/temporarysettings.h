#pragma once

#include "logic/settings/programsettings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <utility>

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

// Waits until every event queued so far has been delivered, so that what an
// action set off has happened. False if that takes more than five seconds.
bool waitForQueuedEvents();

} // namespace vellumark::test
