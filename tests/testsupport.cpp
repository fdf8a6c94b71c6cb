#include "testsupport.h"

#include "testpictures.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace vellumark::test {

LoadedWindow loadWindow(const ProgramSettings &settings)
{
    LoadedWindow loaded;
    loaded.window = std::make_unique<MainWindow>(settings);
    std::shared_ptr<int> count = loaded.endCount;
    loaded.window->setProgramEnder([count] { ++*count; });
    loaded.window->load();
    return loaded;
}

void layOutTwoSlots(MainWindow *window)
{
    const QList<std::pair<const char *, const char *>> fields {
        { "Text1", "12.1" }, { "Text2", "12.1" }, { "Text5", "2" }, { "Text6", "2" },
        { "Text3", "10" },   { "Text4", "5" },    { "Text7", "2" }, { "Text8", "16" }
    };
    for (const auto &[name, text] : fields)
        child<QLineEdit>(window, QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(true);
    child<QCheckBox>(window, QStringLiteral("Check2"))->setChecked(false);
    child<PictureBox>(window, QStringLiteral("Image1"))->setPicture(solid(Qt::red));
    child<PictureBox>(window, QStringLiteral("Image2"))->setPicture(solid(Qt::green));
}

void onNextModal(const std::function<bool(QWidget *)> &matches,
                 const std::function<bool(QWidget *)> &action, int msecs)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    auto deadline = std::make_shared<QDeadlineTimer>(msecs);
    auto answered = std::make_shared<bool>(false);
    auto answeredWindow = std::make_shared<QPointer<QWidget>>();
    auto seen = std::make_shared<QPointer<QWidget>>();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        const bool shown = modal && modal->isVisible() && matches(modal);
        if (shown)
            *seen = modal;
        if (deadline->hasExpired()) {
            if (auto *dialog = qobject_cast<QDialog *>(seen->data());
                dialog && dialog->isVisible()) {
                qWarning("No answer for the dialog %s in time: rejected",
                         qPrintable(dialog->objectName()));
                dialog->reject();
            }
        } else if (!*answered) {
            if (shown && action(modal)) {
                *answered = true;
                *answeredWindow = modal;
            }
            return;
        } else if (*answeredWindow && (*answeredWindow)->isVisible()) {
            return; // an answer given; wait for the window to go
        }
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

} // namespace vellumark::test
