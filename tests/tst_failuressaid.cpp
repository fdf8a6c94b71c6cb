// What fails says so in the status bar, in the window's language: a page the
// printer does not take, a calibration page cancelled or failed, a link that
// cannot be opened. The expected texts are written out here by hand.
#include "app/mainwindow.h"
#include "print/printjob.h"
#include "testsupport.h"

#include <QAction>
#include <QMessageBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vellumark;
using namespace vellumark::test;

class FailuresSaidTest : public QObject
{
    Q_OBJECT

private slots:
    void pageThatFailsSaysWhy_data();
    void pageThatFailsSaysWhy();
    void linkThatCannotBeOpened_data();
    void linkThatCannotBeOpened();
};

namespace {

QString statusText(MainWindow *window)
{
    return child<QStatusBar>(window, QStringLiteral("StatusBar1"))->currentMessage();
}

} // namespace

void FailuresSaidTest::pageThatFailsSaysWhy_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("dialogCancelled"); // else: the page goes to a file that cannot be
    QTest::addColumn<QString>("expected"); // %1: the file
    auto row = [](const char *name, const char *tool, const char *language, bool cancelled,
                  const char *expected) {
        QTest::newRow(name) << QString::fromLatin1(tool) << QString::fromLatin1(language)
                            << cancelled << QString::fromUtf8(expected);
    };
    row("page, English", "ID_Print", "Inglese", false,
        "The page was not printed on %1: the file cannot be written.");
    row("page, Italian", "ID_Print", "Italiano", false,
        "La pagina non è stata stampata su %1: il file non può essere scritto.");
    row("page, German", "ID_Print", "Tedesco", false,
        "Die Seite wurde nicht auf %1 gedruckt: die Datei kann nicht geschrieben werden.");
    row("calibration page fails", "ID_Calibra", "Inglese", false,
        "The calibration page was not printed on %1: the file cannot be written.");
    row("calibration page cancelled", "ID_Calibra", "Inglese", true, "Calibration page cancelled.");
    row("calibration page cancelled, German", "ID_Calibra", "Tedesco", true,
        "Kalibrierungsseite abgebrochen.");
}

void FailuresSaidTest::pageThatFailsSaysWhy()
{
    QFETCH(QString, tool);
    QFETCH(QString, language);
    QFETCH(bool, dialogCancelled);
    QFETCH(QString, expected);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), language },
                { QStringLiteral("Stampante"), dialogCancelled ? u"1"_qs : u"0"_qs } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    auto *job = window->findChild<PrintJob *>();
    QTemporaryDir dir;
    // A printer that is there (a file is named) but cannot take the page.
    const QString file = dir.filePath(QStringLiteral("missing/page.pdf"));
    job->setOutputFile(file);
    int dialogs = 0;
    job->setPrintDialog([&dialogs](QPrinter &, QWidget *) {
        ++dialogs;
        return false;
    });
    if (!dialogCancelled)
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    if (tool == u"ID_Calibra")
        answerNextMessageBox(QMessageBox::Yes); // print a page first
    ModalDialogCloser closer; // anything else shown is a fault
    child<QAction>(window, tool)->trigger();
    QCOMPARE(statusText(window), expected.arg(file));
    // Not a dialog reopened behind the user's back, nor the calibration
    // dialog as if the page had come out.
    QCOMPARE(dialogs, dialogCancelled ? 1 : 0);
    QCOMPARE(closer.closed(), QStringList());
    QVERIFY(!QFile::exists(file));
}

void FailuresSaidTest::linkThatCannotBeOpened_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("web site") << "ID_Orvandi"
                              << "Inglese"
                              << "https?://\\S+ cannot be opened\\.";
    QTest::newRow("mail") << "ID_Email"
                          << "Tedesco"
                          << "mailto:\\S+@\\S+ kann nicht geöffnet werden\\.";
}

void FailuresSaidTest::linkThatCannotBeOpened()
{
    QFETCH(QString, tool);
    QFETCH(QString, language);
    QFETCH(QString, pattern);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), language } });
    LoadedWindow loaded = loadWindow(temp.settings());
    // No program on the path can open a link, and no browser is named.
    const QTemporaryDir empty;
    const QByteArray path = qgetenv("PATH");
    const QByteArray browser = qgetenv("BROWSER");
    qputenv("PATH", QFile::encodeName(empty.path()));
    qunsetenv("BROWSER");
    child<QAction>(loaded.window.get(), tool)->trigger();
    qputenv("PATH", path);
    if (!browser.isEmpty())
        qputenv("BROWSER", browser);
    const QString shown = statusText(loaded.window.get());
    QVERIFY2(
        QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(shown).hasMatch(),
        qPrintable(shown));
}

QTEST_MAIN(FailuresSaidTest)
#include "tst_failuressaid.moc"
