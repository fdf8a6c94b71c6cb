#include "testsupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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

LoadedWindow loadWindow(const ProgramSettings &settings)
{
    LoadedWindow loaded;
    loaded.window = std::make_unique<MdiForm1>(settings);
    std::shared_ptr<int> count = loaded.endCount;
    loaded.window->setProgramEnder([count] { ++*count; });
    loaded.window->Form_Load();
    return loaded;
}

void answerNextMessageBox(int button, QString *shown)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, button, shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        if (shown)
            *shown = box->text();
        box->done(button);
    });
    timer->start();
}

} // namespace vellumark::test
