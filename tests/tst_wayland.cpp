// The main window on a Wayland compositor through Qt's Wayland plugin: a
// headless weston of the test's own, the test being its client. The window
// must be shown by the compositor, take a click and the exit shortcut, and
// write the settings when it ends.
#include "logic/twips.h"
#include "testsupport.h"
#include "westonserver.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QWindow>

using namespace vellumark;
using namespace vellumark::test;

namespace {

// Slot B only, among the print selection (Option4), in the controls' area.
const QPoint PrintBOnly = TwipsRect(5070, 5040, 195, 195).center();

} // namespace

class WaylandTest : public QObject
{
    Q_OBJECT

public:
    explicit WaylandTest(QString compositorFailure)
        : m_compositorFailure(std::move(compositorFailure))
    { }

private slots:
    void initTestCase();
    void exitCommandWritesSettings_data();
    void exitCommandWritesSettings();

private:
    QString m_compositorFailure;
};

void WaylandTest::initTestCase()
{
    if (m_compositorFailure == u"weston is not installed")
        VELLUMARK_REQUIRE_TOOLS({ QStringLiteral("weston") });
    QVERIFY2(m_compositorFailure.isEmpty(), qPrintable(m_compositorFailure));
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
}

void WaylandTest::exitCommandWritesSettings_data()
{
    QTest::addColumn<QString>("exitQuestion");
    QTest::newRow("without the question") << "0";
    QTest::newRow("question answered Yes") << "1";
}

void WaylandTest::exitCommandWritesSettings()
{
    QFETCH(QString, exitQuestion);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Uscita"), exitQuestion },
                { QStringLiteral("Stampa"), QStringLiteral("C") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    window->show();
    // Exposed only once the compositor has configured the window's surface.
    QVERIFY(QTest::qWaitForWindowExposed(window, 20000));
    QWindow *surface = window->windowHandle();
    QCOMPARE(surface->title(), QStringLiteral("Vellumark 1.2013.4"));

    const QPoint area = window->centralWidget()->geometry().topLeft();
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, area + PrintBOnly);
    // The headless compositor has no keyboard, so nothing gives the window
    // the focus that a keyboard's would.
    QApplication::setActiveWindow(window);
    QTRY_VERIFY(window->isActiveWindow());
    if (exitQuestion != u"0")
        answerNextMessageBox(QMessageBox::Yes);
    QTest::keyClick(surface, Qt::Key_Q, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(*loaded.endCount, 1, 20000);
    QTRY_VERIFY(!window->isVisible());

    QSettings written(temp.settingsFile(), QSettings::IniFormat);
    QCOMPARE(written.value(QStringLiteral("Stampa")).toString(), QStringLiteral("B"));
}

int main(int argc, char *argv[])
{
    // The compositor must take clients before the application connects.
    WestonServer compositor;
    const bool started = compositor.start();
    if (started)
        compositor.becomeClient();
    QString failure = started ? QString() : compositor.failure();
    int status = 0;
    {
        QApplication app(argc, argv);
        WaylandTest test(failure);
        status = QTest::qExec(&test, argc, argv);
    }
    compositor.stop();
    return status;
}

#include "tst_wayland.moc"
