#include "app/mainwindow.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/passwordprompt.h"
#include "logic/artwork.h"
#include "logic/programinfo.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

using namespace vellumark;
using namespace vellumark::test;
using namespace std::chrono_literals;

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void contents();
    void linksOpenTheirTargets_data();
    void linksOpenTheirTargets();
    void siteLinksFollowCreditTooltip();
    void okCloses();
    void shownAtStartOnlyForOne_data();
    void shownAtStartOnlyForOne();
    void shownAfterPasswordPrompt();
    void toolOpensIt();
};

namespace {

// Records the modal windows in the order they appear, handling each once:
// the password prompt gets the password, everything else is closed.
class ModalRecorder
{
public:
    explicit ModalRecorder(QString password = QString())
        : m_password(std::move(password))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start();
    }
    QStringList seen() const { return m_seen; }

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || m_handled.contains(modal))
            return;
        m_handled.append(modal);
        m_seen.append(modal->objectName());
        if (auto *prompt = qobject_cast<PasswordPrompt *>(modal)) {
            prompt->setPause(10ms);
            child<QLineEdit>(prompt, QStringLiteral("Text1"))->setText(m_password);
            QMetaObject::invokeMethod(child<QPushButton>(prompt, QStringLiteral("Command1")),
                                      &QPushButton::click, Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(modal, &QWidget::close, Qt::QueuedConnection);
        }
    }

    QString m_password;
    QTimer m_timer;
    QStringList m_seen;
    QList<QPointer<QWidget>> m_handled;
};

} // namespace

void AboutWindowTest::contents()
{
    AboutWindow about(ProgramIcon());
    QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su Vellumark"));
    QCOMPARE(child<QLabel>(&about, QStringLiteral("Label1"))->text(), QStringLiteral("Vellumark"));
    QCOMPARE(child<QLabel>(&about, QStringLiteral("Label2"))->text(),
             QStringLiteral("Per sistemi Windows a 32 bit"));
    QCOMPARE(child<QLabel>(&about, QStringLiteral("Label3"))->toolTip(), MakerWebSite());
    QVERIFY(!child<QLabel>(&about, QStringLiteral("Label7"))->text().isEmpty());
    QVERIFY(!child<QLabel>(&about, QStringLiteral("Picture4"))->pixmap().isNull());
    QCOMPARE(child<QPushButton>(&about, QStringLiteral("Command1"))->text(), QStringLiteral("&OK"));
}

void AboutWindowTest::linksOpenTheirTargets_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    QTest::newRow("credit line") << "Label3" << MakerWebSite();
    QTest::newRow("site picture") << "Picture5" << MakerWebSite();
    const QStringList pages = MakerSocialPages();
    QCOMPARE(pages.size(), 3);
    QCOMPARE(QSet<QString>(pages.begin(), pages.end()).size(), 3);
    QTest::newRow("first network") << "Picture1" << pages.at(0);
    QTest::newRow("second network") << "Picture2" << pages.at(1);
    QTest::newRow("third network") << "Picture3" << pages.at(2);
}

void AboutWindowTest::linksOpenTheirTargets()
{
    QFETCH(QString, control);
    QFETCH(QString, target);
    AboutWindow about(ProgramIcon());
    QList<QUrl> opened;
    about.setLinkOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    about.show();
    QTest::mouseClick(child<QWidget>(&about, control), Qt::LeftButton);
    QCOMPARE(opened, QList<QUrl> { QUrl(target) });
    QVERIFY(about.isVisible());

    // A link that cannot be opened says so, in the window's Italian.
    about.setLinkOpener([](const QUrl &) { return false; });
    QString shown;
    answerNextMessageBox(QMessageBox::Ok, &shown);
    QTest::mouseClick(child<QWidget>(&about, control), Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("Impossibile aprire %1.").arg(target));
}

void AboutWindowTest::siteLinksFollowCreditTooltip()
{
    AboutWindow about(ProgramIcon());
    QList<QUrl> opened;
    about.setLinkOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    about.show();
    auto *credit = child<QLabel>(&about, QStringLiteral("Label3"));
    credit->setToolTip(QStringLiteral("https://elsewhere.example/"));
    QTest::mouseClick(credit, Qt::LeftButton);
    QTest::mouseClick(child<QWidget>(&about, QStringLiteral("Picture5")), Qt::LeftButton);
    QCOMPARE(opened,
             QList<QUrl>({ QUrl(QStringLiteral("https://elsewhere.example/")),
                           QUrl(QStringLiteral("https://elsewhere.example/")) }));
}

void AboutWindowTest::okCloses()
{
    AboutWindow about(ProgramIcon());
    about.show();
    QTest::mouseClick(child<QPushButton>(&about, QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

void AboutWindowTest::shownAtStartOnlyForOne_data()
{
    QTest::addColumn<QString>("about");
    QTest::addColumn<bool>("shown");
    QTest::newRow("one") << "1" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("one and a blank") << "1 " << false;
    QTest::newRow("true") << "true" << false;
    QTest::newRow("empty") << "" << false;
}

void AboutWindowTest::shownAtStartOnlyForOne()
{
    QFETCH(QString, about);
    QFETCH(bool, shown);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), about } });
    ModalRecorder recorder;
    LoadedWindow loaded = loadWindow(temp.settings());
    QCOMPARE(recorder.seen(), shown ? QStringList { QStringLiteral("frmAbout") } : QStringList());
    QVERIFY(!loaded.window->isVisible());
}

void AboutWindowTest::shownAfterPasswordPrompt()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("1") },
                { QStringLiteral("OnPassword"), QStringLiteral("1") },
                { QStringLiteral("Password"), QStringLiteral("pw") } });
    ModalRecorder recorder(QStringLiteral("pw"));
    MainWindow window(temp.settings());
    window.setProgramEnder([] {});
    QVERIFY(window.load());
    QCOMPARE(recorder.seen(),
             QStringList({ QStringLiteral("Password"), QStringLiteral("frmAbout") }));
}

void AboutWindowTest::toolOpensIt()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    loaded.window->show();
    ModalRecorder recorder;
    loaded.window->findChild<QAction *>(QStringLiteral("ID_Informazioni"))->trigger();
    QCOMPARE(recorder.seen(), QStringList { QStringLiteral("frmAbout") });
}

QTEST_MAIN(AboutWindowTest)
#include "tst_aboutwindow.moc"
