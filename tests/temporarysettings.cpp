#include "temporarysettings.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

namespace vellumark::test {

TemporarySettings::TemporarySettings()
    : m_previous(qgetenv("XDG_CONFIG_HOME"))
    , m_hadPrevious(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
}

TemporarySettings::~TemporarySettings()
{
    if (m_hadPrevious)
        qputenv("XDG_CONFIG_HOME", m_previous);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TemporarySettings::settingsFile() const
{
    return store().filePath(SettingsKeyPath());
}

void TemporarySettings::seed(const QList<std::pair<QString, QString>> &values) const
{
    const ProgramSettings programSettings = settings();
    programSettings.createKey();
    for (const auto &[name, value] : values)
        programSettings.setText(name, value);
}

bool waitForQueuedEvents()
{
    auto delivered = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        qApp, [delivered] { *delivered = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([delivered] { return *delivered; }, 5000);
}

} // namespace vellumark::test
