#include "app/mainwindow.h"
#include "dialogs/passwordprompt.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vellumark;
using namespace vellumark::test;
using namespace std::chrono_literals;

class PasswordPromptTest : public QObject
{
    Q_OBJECT

private slots:
    void entryComparedExactly_data();
    void entryComparedExactly();
    void secondMismatchEndsWithoutMessage();
    void wrongThenRightIsAccepted();
    void storedPasswordReadAtEachCheck();
    void rightEntryPausesTwice();
    void closingWithRightEntryPausesOnce();
    void closingWithoutRightEntryEnds_data();
    void closingWithoutRightEntryEnds();
    void promptLooks();
    void promptOnlyForExactSwitch_data();
    void promptOnlyForExactSwitch();
    void loadingStopsWhenPromptEnds();
};

namespace {

// Counts and answers with OK every message box that shows while it lives.
class MessageBoxCounter
{
public:
    MessageBoxCounter()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_texts.append(box->text());
                m_icons.append(box->icon());
                m_titles.append(box->windowTitle());
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start();
    }
    QStringList texts() const { return m_texts; }
    QList<QMessageBox::Icon> icons() const { return m_icons; }
    QStringList titles() const { return m_titles; }

private:
    QTimer m_timer;
    QStringList m_texts;
    QList<QMessageBox::Icon> m_icons;
    QStringList m_titles;
};

const QString Warning = QStringLiteral(
    "Attenzione! La password inserita non corrisponde a quella del programma. Può provare ad "
    "inserirla ancora una volta, dopodiché il programma terminerà automaticamente.");

QLineEdit *entry(QWidget *prompt)
{
    return child<QLineEdit>(prompt, QStringLiteral("Text1"));
}

void enter(QWidget *prompt, const QString &text)
{
    entry(prompt)->setText(text);
    child<QPushButton>(prompt, QStringLiteral("Command1"))->click();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void PasswordPromptTest::entryComparedExactly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("identical") << "Segreto 1" << true;
    QTest::newRow("letter case") << "segreto 1" << false;
    QTest::newRow("trailing blank") << "Segreto 1 " << false;
    QTest::newRow("leading blank") << " Segreto 1" << false;
    QTest::newRow("shorter") << "Segreto" << false;
    QTest::newRow("nothing") << "" << false;
}

void PasswordPromptTest::entryComparedExactly()
{
    QFETCH(QString, typed);
    QFETCH(bool, right);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("Segreto 1") } });
    PasswordPrompt prompt(temp.settings());
    prompt.setPause(10ms);
    prompt.show();
    MessageBoxCounter boxes;
    QTest::keyClicks(entry(&prompt), typed);
    QTest::keyClick(entry(&prompt), Qt::Key_Return);
    if (right) {
        QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::Accepted);
        QVERIFY(!prompt.isVisible());
        QVERIFY(boxes.texts().isEmpty());
    } else {
        QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::Undecided);
        QVERIFY(prompt.isVisible());
        QCOMPARE(boxes.texts(), QStringList { Warning });
        QCOMPARE(boxes.icons().value(0), QMessageBox::Information);
        QCOMPARE(boxes.titles().value(0), QStringLiteral("Vellumark"));
        QCOMPARE(entry(&prompt)->text(), typed); // not cleared
    }
}

void PasswordPromptTest::secondMismatchEndsWithoutMessage()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("abc") } });
    PasswordPrompt prompt(temp.settings());
    prompt.show();
    MessageBoxCounter boxes;
    enter(&prompt, QStringLiteral("abd"));
    QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::Undecided);
    enter(&prompt, QStringLiteral("ABC"));
    QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::MustEnd);
    QVERIFY(!prompt.isVisible());
    QCOMPARE(boxes.texts().size(), 1);
}

void PasswordPromptTest::wrongThenRightIsAccepted()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("abc") } });
    PasswordPrompt prompt(temp.settings());
    prompt.setPause(10ms);
    prompt.show();
    MessageBoxCounter boxes;
    enter(&prompt, QStringLiteral("x"));
    enter(&prompt, QStringLiteral("abc"));
    QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::Accepted);
    QCOMPARE(boxes.texts().size(), 1);
}

void PasswordPromptTest::storedPasswordReadAtEachCheck()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("old") } });
    PasswordPrompt prompt(temp.settings());
    prompt.setPause(10ms);
    prompt.show();
    temp.settings().setText(QStringLiteral("Password"), QStringLiteral("new"));
    MessageBoxCounter boxes;
    enter(&prompt, QStringLiteral("old"));
    QCOMPARE(boxes.texts().size(), 1);
    enter(&prompt, QStringLiteral("new"));
    QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::Accepted);
}

void PasswordPromptTest::rightEntryPausesTwice()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("abc") } });
    PasswordPrompt prompt(temp.settings());
    prompt.show();
    auto *picture = child<QLabel>(&prompt, QStringLiteral("Picture1"));
    const QImage closed = picture->pixmap().toImage();
    const QImage open = child<QLabel>(&prompt, QStringLiteral("Picture2"))->pixmap().toImage();
    QVERIFY(closed != open);

    // Look at the picture, and the window's size, in the middle of each pause.
    const QSize size = prompt.size();
    QImage firstPause;
    bool shownInSecondPause = true;
    QSize sizeInSecondPause;
    QTimer::singleShot(500ms, &prompt, [&] { firstPause = picture->pixmap().toImage(); });
    QTimer::singleShot(1500ms, &prompt, [&] {
        shownInSecondPause = picture->isVisible();
        sizeInSecondPause = prompt.size();
    });
    QElapsedTimer clock;
    clock.start();
    enter(&prompt, QStringLiteral("abc"));
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::Accepted);
    QVERIFY2(elapsed >= 1950 && elapsed < 4000, qPrintable(QString::number(elapsed)));
    QCOMPARE(firstPause, open);
    QVERIFY(!shownInSecondPause);
    QCOMPARE(sizeInSecondPause, size);
}

void PasswordPromptTest::closingWithRightEntryPausesOnce()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("abc") } });
    PasswordPrompt prompt(temp.settings());
    prompt.show();
    entry(&prompt)->setText(QStringLiteral("abc"));
    QElapsedTimer clock;
    clock.start();
    prompt.close();
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::Accepted);
    QVERIFY(!prompt.isVisible());
    QVERIFY2(elapsed >= 950 && elapsed < 3000, qPrintable(QString::number(elapsed)));
}

void PasswordPromptTest::closingWithoutRightEntryEnds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("escape");
    QTest::newRow("nothing, close box") << "" << false;
    QTest::newRow("wrong, close box") << "abd" << false;
    QTest::newRow("nothing, escape") << "" << true;
}

void PasswordPromptTest::closingWithoutRightEntryEnds()
{
    QFETCH(QString, typed);
    QFETCH(bool, escape);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("abc") } });
    PasswordPrompt prompt(temp.settings());
    prompt.show();
    entry(&prompt)->setText(typed);
    QElapsedTimer clock;
    clock.start();
    if (escape)
        QTest::keyClick(entry(&prompt), Qt::Key_Escape);
    else
        prompt.close();
    QCOMPARE(prompt.outcome(), PasswordPrompt::Outcome::MustEnd);
    QVERIFY(!prompt.isVisible());
    QVERIFY(clock.elapsed() < 500); // at once
}

void PasswordPromptTest::promptLooks()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Password"), QStringLiteral("abc") } });
    PasswordPrompt prompt(temp.settings());
    prompt.show();
    QVERIFY(QTest::qWaitForWindowActive(&prompt));
    QCOMPARE(child<QLabel>(&prompt, QStringLiteral("SSPanel2"))->text(),
             QStringLiteral("Password di Vellumark"));
    QCOMPARE(entry(&prompt)->echoMode(), QLineEdit::Password);
    QVERIFY(entry(&prompt)->hasFocus());
    // Each character typed shows as a star.
    QTest::keyClicks(entry(&prompt), QStringLiteral("a b"));
    QCOMPARE(entry(&prompt)->displayText(), QStringLiteral("***"));
    QCOMPARE(child<QLabel>(&prompt, QStringLiteral("Picture1"))->pixmap().size(), QSize(32, 32));
    QCOMPARE(child<QLabel>(&prompt, QStringLiteral("Picture2"))->pixmap().size(), QSize(32, 32));
}

void PasswordPromptTest::promptOnlyForExactSwitch_data()
{
    QTest::addColumn<QString>("onPassword");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("asked");
    QTest::newRow("on") << "1"
                        << "abc" << true;
    QTest::newRow("on, no password") << "1"
                                     << "" << false;
    QTest::newRow("off") << "0"
                         << "abc" << false;
    QTest::newRow("one and a blank") << "1 "
                                     << "abc" << false;
    QTest::newRow("true") << "true"
                          << "abc" << false;
}

void PasswordPromptTest::promptOnlyForExactSwitch()
{
    QFETCH(QString, onPassword);
    QFETCH(QString, password);
    QFETCH(bool, asked);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("OnPassword"), onPassword },
                { QStringLiteral("Password"), password } });
    bool prompted = false;
    QTimer watcher;
    watcher.setInterval(10);
    connect(&watcher, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != u"Password")
            return;
        prompted = true;
        // Let the prompt take the right entry, its pauses shortened.
        static_cast<PasswordPrompt *>(modal)->setPause(10ms);
        enter(modal, password);
    });
    watcher.start();
    MainWindow window(temp.settings());
    window.setProgramEnder([] {});
    QVERIFY(window.load());
    QCOMPARE(prompted, asked);
}

void PasswordPromptTest::loadingStopsWhenPromptEnds()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("1") },
                { QStringLiteral("OnPassword"), QStringLiteral("1") },
                { QStringLiteral("Password"), QStringLiteral("abc") } });
    const QByteArray before = fileBytes(temp.settingsFile());
    QStringList seen;
    QTimer watcher;
    watcher.setInterval(10);
    connect(&watcher, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || (!seen.isEmpty() && seen.last() == modal->objectName()))
            return;
        seen.append(modal->objectName());
        if (modal->objectName() == u"Password")
            QMetaObject::invokeMethod(modal, &QWidget::close, Qt::QueuedConnection);
        else if (auto *box = qobject_cast<QDialog *>(modal))
            box->done(QDialog::Rejected);
    });
    watcher.start();
    int ended = 0;
    {
        MainWindow window(temp.settings());
        window.setProgramEnder([&ended] { ++ended; });
        QVERIFY(!window.load());
    }
    // No about window, no settings written, no ordinary program end.
    QCOMPARE(seen, QStringList { QStringLiteral("Password") });
    QCOMPARE(ended, 0);
    QCOMPARE(fileBytes(temp.settingsFile()), before);
}

QTEST_MAIN(PasswordPromptTest)
#include "tst_passwordprompt.moc"
