#include "app/mainwindow.h"
#include "dialogs/helpviewer.h"
#include "logic/helpfile.h"
#include "logic/programinfo.h"
#include "logic/texts/maintexts.h"
#include "logic/texts/menuentrytexts.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

using namespace vellumark;
using namespace vellumark::test;

Q_DECLARE_METATYPE(vellumark::Language)

class HelpViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void helpFileFallsBack_data();
    void helpFileFallsBack();
    void viewerOpensAtFirstTopic_data();
    void viewerOpensAtFirstTopic();
    void viewerFallsBackToAnotherLanguage();
    void viewerShowsNothingWithoutHelp();
    void guidaShowsCurrentLanguage_data();
    void guidaShowsCurrentLanguage();
    void guidaKeepsOneViewer();
    void helpFilesBesideProgram_data();
    void helpFilesBesideProgram();
    void helpFilesShareTheirTopics();
    void helpNamesEveryCaption_data();
    void helpNamesEveryCaption();
};

namespace {

const QList<Language> AllLanguages = { Language::Italian, Language::English, Language::German };

QString buildFolder()
{
    return qEnvironmentVariable("VELLUMARK_BINARY_DIR");
}

QString builtHelp(Language language)
{
    return QDir(buildFolder()).filePath(HelpFileName(language));
}

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QSet<QString> matches(const QString &html, const QString &pattern)
{
    QSet<QString> found;
    const QRegularExpression expression(pattern);
    for (auto it = expression.globalMatch(html); it.hasNext();)
        found.insert(it.next().captured(1));
    return found;
}

QSet<QString> anchorsOf(const QString &html)
{
    return matches(html, QStringLiteral(R"re(<a\s[^>]*name="([^"]+)")re"))
        | matches(html, QStringLiteral(R"re(\sid="([^"]+)")re"));
}

QSet<QString> internalLinksOf(const QString &html)
{
    return matches(html, QStringLiteral(R"re(href="#([^"]*)")re"));
}

QSet<QString> fileLinksOf(const QString &html)
{
    return matches(html, QStringLiteral(R"re(href="([^"#:]+)")re"));
}

// The text a reader sees, entities decoded and blanks collapsed.
QString visibleText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QString text = document.toPlainText();
    text.replace(QChar::Nbsp, u' ');
    return text.simplified();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

HelpViewer *openViewer(MainWindow *window)
{
    const auto viewers = window->findChildren<HelpViewer *>(QStringLiteral("HelpViewer"));
    for (HelpViewer *viewer : viewers) {
        if (viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

} // namespace

void HelpViewerTest::initTestCase()
{
    QVERIFY2(!buildFolder().isEmpty(), "VELLUMARK_BINARY_DIR is not set");
    // The test programs live in a folder of their own: give the window the
    // help it would find beside the real program.
    const QDir program(ProgramFolder());
    if (QFileInfo(program.path()).canonicalFilePath()
        == QFileInfo(buildFolder()).canonicalFilePath())
        return;
    for (Language language : AllLanguages) {
        const QString target = program.filePath(HelpFileName(language));
        QFile::remove(target);
        QVERIFY(QFile::copy(builtHelp(language), target));
    }
}

void HelpViewerTest::helpFileFallsBack_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("expected");

    const QStringList all = { "help-it.html", "help-en.html", "help-de.html" };
    QTest::newRow("Italian") << all << Language::Italian << "help-it.html";
    QTest::newRow("English") << all << Language::English << "help-en.html";
    QTest::newRow("German") << all << Language::German << "help-de.html";
    QTest::newRow("German without its own")
        << QStringList { "help-it.html", "help-en.html" } << Language::German << "help-en.html";
    QTest::newRow("German, Italian only")
        << QStringList { "help-it.html" } << Language::German << "help-it.html";
    QTest::newRow("English missing")
        << QStringList { "help-it.html", "help-de.html" } << Language::English << "help-it.html";
    QTest::newRow("Italian, English only")
        << QStringList { "help-en.html" } << Language::Italian << "help-en.html";
    QTest::newRow("German file only")
        << QStringList { "help-de.html" } << Language::English << QString();
    QTest::newRow("no help") << QStringList() << Language::Italian << QString();
    QTest::newRow("other names only")
        << QStringList { "Help.hlp", "help.html" } << Language::English << QString();
}

void HelpViewerTest::helpFileFallsBack()
{
    QFETCH(QStringList, present);
    QFETCH(Language, language);
    QFETCH(QString, expected);

    QTemporaryDir folder;
    for (const QString &name : std::as_const(present))
        writeFile(folder.filePath(name), "<html><body>x</body></html>");
    const QString found = HelpFilePath(folder.path(), language);
    if (expected.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QCOMPARE(found, QFileInfo(folder.filePath(expected)).absoluteFilePath());
}

void HelpViewerTest::viewerOpensAtFirstTopic_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("Italian") << Language::Italian;
    QTest::newRow("English") << Language::English;
    QTest::newRow("German") << Language::German;
}

void HelpViewerTest::viewerOpensAtFirstTopic()
{
    QFETCH(Language, language);

    HelpViewer viewer;
    QVERIFY(viewer.openHelp(buildFolder(), language));
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto *browser = child<QTextBrowser>(&viewer, QStringLiteral("HelpBrowser"));
    QVERIFY(browser);
    QCOMPARE(browser->source(), QUrl::fromLocalFile(builtHelp(language)));
    QCOMPARE(viewer.document(), browser->source());
    QVERIFY(!browser->toPlainText().isEmpty());
    QCOMPARE(viewer.windowTitle(), browser->documentTitle());

    // The document is long enough to scroll; it opens at the top, also when
    // it was left scrolled down.
    QScrollBar *bar = browser->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), 0);
    browser->scrollToAnchor(QStringLiteral("comedvd"));
    QVERIFY(bar->value() > 0);
    QVERIFY(viewer.openHelp(buildFolder(), language));
    QCOMPARE(bar->value(), 0);
}

void HelpViewerTest::viewerFallsBackToAnotherLanguage()
{
    QTemporaryDir folder;
    QVERIFY(QFile::copy(builtHelp(Language::Italian),
                        folder.filePath(HelpFileName(Language::Italian))));
    HelpViewer viewer;
    QVERIFY(viewer.openHelp(folder.path(), Language::German));
    QCOMPARE(viewer.document().fileName(), HelpFileName(Language::Italian));

    QVERIFY(QFile::copy(builtHelp(Language::English),
                        folder.filePath(HelpFileName(Language::English))));
    QVERIFY(viewer.openHelp(folder.path(), Language::German));
    QCOMPARE(viewer.document().fileName(), HelpFileName(Language::English));
}

void HelpViewerTest::viewerShowsNothingWithoutHelp()
{
    QTemporaryDir folder;
    HelpViewer viewer;
    QVERIFY(!viewer.openHelp(folder.path(), Language::English));
    QVERIFY(viewer.document().isEmpty());
    QVERIFY(child<QTextBrowser>(&viewer, QStringLiteral("HelpBrowser"))->toPlainText().isEmpty());

    // A viewer already showing the help keeps it when asked for a folder
    // without any.
    QVERIFY(viewer.openHelp(buildFolder(), Language::English));
    QVERIFY(!viewer.openHelp(folder.path(), Language::English));
    QCOMPARE(viewer.document().fileName(), HelpFileName(Language::English));
}

void HelpViewerTest::guidaShowsCurrentLanguage_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Italiano") << "Italiano"
                              << "help-it.html";
    QTest::newRow("Inglese") << "Inglese"
                             << "help-en.html";
    QTest::newRow("Tedesco") << "Tedesco"
                             << "help-de.html";
    QTest::newRow("unknown marker") << "Spagnolo"
                                    << "help-en.html";
}

void HelpViewerTest::guidaShowsCurrentLanguage()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    TemporarySettings temp;
    temp.seed(
        { { QStringLiteral("About"), QStringLiteral("0") }, { QStringLiteral("Lingua"), stored } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QVERIFY(!openViewer(window));

    window->findChild<QAction *>(QStringLiteral("ID_Guida"))->trigger();
    HelpViewer *viewer = openViewer(window);
    QVERIFY(viewer);
    QVERIFY(!viewer->isModal());
    QCOMPARE(viewer->document(), QUrl::fromLocalFile(QDir(ProgramFolder()).filePath(expected)));
    QCOMPARE(
        child<QTextBrowser>(viewer, QStringLiteral("HelpBrowser"))->verticalScrollBar()->value(),
        0);
}

void HelpViewerTest::guidaKeepsOneViewer()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), QStringLiteral("Italiano") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QAction *guida = window->findChild<QAction *>(QStringLiteral("ID_Guida"));

    guida->trigger();
    HelpViewer *first = openViewer(window);
    QVERIFY(first);
    QCOMPARE(first->document().fileName(), HelpFileName(Language::Italian));

    // A switch of language, then the command again: the same viewer shows
    // the new language's help.
    window->findChild<QAction *>(QStringLiteral("ID_Duch"))->trigger();
    guida->trigger();
    QCOMPARE(openViewer(window), first);
    QCOMPARE(window->findChildren<HelpViewer *>().size(), 1);
    QCOMPARE(first->document().fileName(), HelpFileName(Language::German));

    // Closed, it goes; the next command opens a fresh one.
    QPointer<HelpViewer> closed = first;
    first->close();
    QTRY_VERIFY(closed.isNull());
    guida->trigger();
    QVERIFY(openViewer(window));
    QCOMPARE(window->findChildren<HelpViewer *>().size(), 1);
}

void HelpViewerTest::helpFilesBesideProgram_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("Italian") << Language::Italian;
    QTest::newRow("English") << Language::English;
    QTest::newRow("German") << Language::German;
}

void HelpViewerTest::helpFilesBesideProgram()
{
    QFETCH(Language, language);

    const QString path = builtHelp(language);
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
    const QString html = readAll(path);
    QVERIFY(html.contains(u"<meta charset=\"utf-8\">"));

    const QSet<QString> anchors = anchorsOf(html);
    QVERIFY(anchors.size() > 10);
    const QSet<QString> links = internalLinksOf(html);
    QVERIFY(!links.isEmpty());
    for (const QString &link : links)
        QVERIFY2(anchors.contains(link), qPrintable(QStringLiteral("#") + link));
    // Every topic can be reached from the contents.
    QCOMPARE(links, anchors);

    for (const QString &file : fileLinksOf(html))
        QVERIFY2(QFileInfo::exists(QDir(buildFolder()).filePath(file)), qPrintable(file));
}

void HelpViewerTest::helpFilesShareTheirTopics()
{
    const QSet<QString> italian = anchorsOf(readAll(builtHelp(Language::Italian)));
    QVERIFY(!italian.isEmpty());
    QCOMPARE(anchorsOf(readAll(builtHelp(Language::English))), italian);
    QCOMPARE(anchorsOf(readAll(builtHelp(Language::German))), italian);
}

void HelpViewerTest::helpNamesEveryCaption_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("Italian") << Language::Italian;
    QTest::newRow("English") << Language::English;
    QTest::newRow("German") << Language::German;
}

void HelpViewerTest::helpNamesEveryCaption()
{
    QFETCH(Language, language);

    // The help speaks of the commands and controls by the names the window
    // shows in the same language.
    const MainWindowTexts &texts = MainTexts(language);
    QStringList captions = { texts.loadHint,
                             texts.sizeHeadingA,
                             texts.sizeHeadingB,
                             texts.borderCaption,
                             texts.printTool,
                             texts.positionHeadingA,
                             texts.positionHeadingB,
                             texts.listTip,
                             QStringLiteral("Cover DVD"),
                             QStringLiteral("left_to_right"),
                             QStringLiteral("right_to_left"),
                             QStringLiteral("Menu"),
                             QStringLiteral("Help"),
                             QStringLiteral("Skin"),
                             QStringLiteral("90°"),
                             QStringLiteral("18,3 x 27,2"),
                             QStringLiteral("13,1 x 18,3"),
                             QStringLiteral("Skin Image (*.SCI)"),
                             QStringLiteral("A+B") };
    for (const auto &[id, caption] : texts.languageTools)
        captions.append(caption);
    for (const auto &[id, caption] : texts.otherTools)
        captions.append(caption);
    for (const auto &[label, caption] : texts.fieldLabels)
        captions.append(caption);
    for (const QString &id : ToolsWithMenuEntry())
        captions.append(MenuEntryText(language, id));
    captions.append(texts.typologies);

    const QString text = visibleText(readAll(builtHelp(language)));
    QVERIFY(!text.isEmpty());
    for (const QString &caption : std::as_const(captions))
        QVERIFY2(text.contains(caption.simplified()), qPrintable(caption));
}

QTEST_MAIN(HelpViewerTest)
#include "tst_helpviewer.moc"
