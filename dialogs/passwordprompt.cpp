#include "dialogs/passwordprompt.h"

#include "logic/artwork.h"
#include "logic/programinfo.h"
#include "logic/texts/dialogtexts.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vellumark {

PasswordPrompt::PasswordPrompt(ProgramSettings settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
{
    setObjectName(QStringLiteral("Password"));
    setWindowTitle(QStringLiteral("Password"));

    SSPanel2 = new QLabel(PasswordHeader(ProgramTitle()), this);
    SSPanel2->setObjectName(QStringLiteral("SSPanel2"));
    SSPanel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel2->setLineWidth(2);
    SSPanel2->setAlignment(Qt::AlignCenter);
    SSPanel2->setMargin(6);
    QFont bold = SSPanel2->font();
    bold.setBold(true);
    SSPanel2->setFont(bold);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(32, 32);
    Picture1->setPixmap(ClosedPadlockPicture(devicePixelRatioF()));
    // Hidden during the last wait, it keeps its place: the window keeps its size.
    QSizePolicy keepPlace = Picture1->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    Picture1->setSizePolicy(keepPlace);
    // The picture of a right entry, never shown by itself.
    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setFixedSize(32, 32);
    Picture2->setPixmap(OpenPadlockPicture(devicePixelRatioF()));
    Picture2->hide();

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setEchoMode(QLineEdit::Password);
    // A star for each character typed, not the style's dot.
    Text1->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    Text1->setMinimumWidth(160);
    // The header names the field; its echo mode tells it is a password.
    SSPanel2->setBuddy(Text1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);

    auto *entry = new QHBoxLayout;
    entry->addWidget(Picture1);
    entry->addWidget(Text1, 1);
    entry->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSPanel2);
    layout->addLayout(entry);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &PasswordPrompt::checkEntry);
    connect(Text1, &QLineEdit::returnPressed, this, &PasswordPrompt::checkEntry);
}

bool PasswordPrompt::entryMatches() const
{
    // Exact: letter case and blanks count.
    return Text1->text() == m_settings.text(SettingName::Password);
}

void PasswordPrompt::checkEntry()
{
    if (m_pausing || m_outcome != Outcome::Undecided)
        return;
    if (entryMatches()) {
        Picture1->setPixmap(Picture2->pixmap());
        pause();
        close();
        return;
    }
    if (m_failedOnce) {
        end(Outcome::MustEnd);
        return;
    }
    QMessageBox warning(QMessageBox::Information, ProgramTitle(), PasswordMismatchWarning(),
                        QMessageBox::Ok, this);
    warning.setObjectName(QStringLiteral("PasswordWarning"));
    warning.exec();
    m_failedOnce = true;
    Text1->setFocus();
}

void PasswordPrompt::closeEvent(QCloseEvent *event)
{
    // Closing is decided once; a request while pausing waits for nothing.
    if (m_outcome != Outcome::Undecided) {
        event->accept();
        return;
    }
    if (m_pausing) {
        event->ignore();
        return;
    }
    if (!entryMatches()) {
        end(Outcome::MustEnd);
        event->accept();
        return;
    }
    Picture1->hide();
    pause();
    end(Outcome::Accepted);
    event->accept();
}

void PasswordPrompt::reject()
{
    // Escape goes through the same check as the close box.
    close();
}

void PasswordPrompt::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Text1->setFocus();
    QDialog::changeEvent(event);
}

void PasswordPrompt::pause()
{
    // A timer runs on the monotonic clock, so the pause is one second also
    // across midnight; the window keeps painting meanwhile, but input waits.
    m_pausing = true;
    QEventLoop loop;
    QTimer::singleShot(m_pause, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_pausing = false;
}

void PasswordPrompt::end(Outcome outcome)
{
    m_outcome = outcome;
    done(outcome == Outcome::Accepted ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace vellumark
