#include "testsupport.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
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
    loaded.window = std::make_unique<MainWindow>(settings);
    std::shared_ptr<int> count = loaded.endCount;
    loaded.window->setProgramEnder([count] { ++*count; });
    loaded.window->load();
    return loaded;
}

void onNextModal(const std::function<bool(QWidget *)> &action)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, ticks] {
        // Give up after ten seconds, so a forgotten answer cannot reach a
        // later test's dialog.
        if (++*ticks > 500) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !action(modal))
            return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

ModalDialogCloser::ModalDialogCloser()
    : m_timer(new QTimer)
{
    m_timer->setInterval(20);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [closed = m_closed] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        closed->append(dialog->objectName());
        dialog->reject();
    });
    m_timer->start();
}

ModalDialogCloser::~ModalDialogCloser()
{
    delete m_timer;
}

void answerNextMessageBox(int button, QString *shown)
{
    onNextModal([button, shown](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return false;
        if (shown)
            *shown = box->text();
        box->done(button);
        return true;
    });
}

bool waitForQueuedEvents()
{
    auto delivered = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        qApp, [delivered] { *delivered = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([delivered] { return *delivered; }, 5000);
}

} // namespace vellumark::test
