#include "logic/settings/programsettings.h"
#include "logic/settings/windowstate.h"
#include "testsupport.h"

#include <QTest>

using namespace vellumark;
using namespace vellumark::test;

using Values = QList<std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Values)

class WindowStateTest : public QObject
{
    Q_OBJECT

private slots:
    void loadReadsTheStoredChoices_data();
    void loadReadsTheStoredChoices();
    void saveWritesTheWindowsValuesOnly();
    void noPrintSelectionKeepsTheStoredOne();
    void cutMarksHaveTheirDefaultInTheTable();
    void hiddenHoldersAreGone_data();
    void hiddenHoldersAreGone();
};

void WindowStateTest::loadReadsTheStoredChoices_data()
{
    QTest::addColumn<Values>("stored");
    QTest::addColumn<int>("language"); // 0 Italian, 1 English, 2 German
    QTest::addColumn<int>("selection"); // 0 A, 1 B, 2 A+B
    QTest::addColumn<bool>("borderA");
    QTest::addColumn<int>("typologyB");
    QTest::addColumn<int>("fillStyle");
    QTest::addColumn<int>("fillColour");
    QTest::addColumn<bool>("withPreview");
    QTest::newRow("as written at exit")
        << Values { { "Lingua", "Tedesco" }, { "Stampa", "A" }, { "BordoA", "1" },
                    { "TipoCoverB", "2" },   { "Skin", "4" },   { "Colore", "65280" },
                    { "ApriFile", "0" } }
        << 2 << 0 << true << 2 << 4 << 65280 << false;
    QTest::newRow("first start's defaults")
        << Values { { "Lingua", "Italiano" }, { "Stampa", "C" }, { "BordoA", "0" },
                    { "TipoCoverB", "0" },    { "Skin", "1" },   { "Colore", "255" },
                    { "ApriFile", "1" } }
        << 0 << 2 << false << 0 << 1 << 255 << true;
    // The skin's first digit; a colour's three bytes; a typology out of
    // range and an unknown selection give the defaults.
    QTest::newRow("odd but usable")
        << Values { { "Lingua", "Francese" }, { "Stampa", "b" }, { "BordoA", "0.6" },
                    { "TipoCoverB", "3" },    { "Skin", "71" },  { "Colore", "-1" },
                    { "ApriFile", "01" } }
        << 1 << 2 << true << 0 << 7 << 16777215 << false;
}

void WindowStateTest::loadReadsTheStoredChoices()
{
    QFETCH(Values, stored);
    QFETCH(int, language);
    QFETCH(int, selection);
    QFETCH(bool, borderA);
    QFETCH(int, typologyB);
    QFETCH(int, fillStyle);
    QFETCH(int, fillColour);
    QFETCH(bool, withPreview);
    TemporarySettings temp;
    temp.seed(stored);
    const WindowState state = WindowState::load(temp.settings());
    QCOMPARE(int(state.language), language);
    QVERIFY(state.printSelection);
    QCOMPARE(int(*state.printSelection), selection);
    QCOMPARE(state.borderA, borderA);
    QCOMPARE(state.typologyB, typologyB);
    QCOMPARE(state.fillStyle, fillStyle);
    QCOMPARE(state.fillColour, fillColour);
    QCOMPARE(state.openWithPreview, withPreview);
    QVERIFY(state.dvdFullCase);
    QVERIFY(!state.dvdShown);
}

void WindowStateTest::saveWritesTheWindowsValuesOnly()
{
    TemporarySettings temp;
    temp.seed({ { "Password", "p;w" }, { "11A", "15.5" } });
    WindowState state;
    state.language = Language::German;
    state.pictureFolder = QStringLiteral("/home/u/Cover");
    state.previewSwitch = QStringLiteral("1");
    state.backgroundPicture = QStringLiteral("/home/u/skin.SCI");
    state.openWithPreview = false;
    state.fillStyle = 6;
    state.fillColour = 197121; // 1, 2, 3
    state.printSelection = PrintSelection::SlotB;
    state.borderB = true;
    state.typologyA = -1;
    state.typologyB = 2;
    state.save(temp.settings());

    const ProgramSettings settings = temp.settings();
    const Values expected = {
        { "Percorso", "/home/u/Cover" },
        { "Anteprima", "1" },
        { "Stampa", "B" },
        { "BordoA", "0" },
        { "BordoB", "1" },
        { "TipoCoverA", "-1" },
        { "TipoCoverB", "2" },
        { "Lingua", "Tedesco" },
        { "Skin", "6" },
        { "Colore", "197121" },
        { "Immagine", "/home/u/skin.SCI" },
        { "ApriFile", "0" },
        { "Password", "p;w" },
        { "11A", "15.5" },
    };
    for (const auto &[name, value] : expected)
        QCOMPARE(settings.text(name, QStringLiteral("<none>")), value);
    for (const char *name : { "Uscita", "Stampante", "Spessore", "Tagli", "About" })
        QVERIFY2(!settings.contains(QString::fromLatin1(name)), name);
}

void WindowStateTest::noPrintSelectionKeepsTheStoredOne()
{
    TemporarySettings temp;
    temp.seed({ { "Stampa", "A" } });
    WindowState state;
    state.printSelection.reset();
    state.save(temp.settings());
    QCOMPARE(temp.settings().text(QStringLiteral("Stampa")), QStringLiteral("A"));
}

void WindowStateTest::cutMarksHaveTheirDefaultInTheTable()
{
    QCOMPARE(DefaultSettingValue(QStringLiteral("Tagli")), QStringLiteral("0"));
    TemporarySettings temp;
    temp.settings().writeDefaults();
    QVERIFY(!temp.settings().contains(QStringLiteral("Tagli")));
    QCOMPARE(temp.settings().text(QStringLiteral("Tagli")), QStringLiteral("0"));
}

void WindowStateTest::hiddenHoldersAreGone_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : { "Label3", "Label17", "Label19", "Label24", "Check3" })
        QTest::newRow(name) << QString::fromLatin1(name);
}

void WindowStateTest::hiddenHoldersAreGone()
{
    // The window's state is the state object; no control mirrors it.
    QFETCH(QString, name);
    TemporarySettings temp;
    temp.seed({ { "About", "0" } });
    const LoadedWindow loaded = loadWindow(temp.settings());
    QVERIFY(!loaded.window->findChild<QWidget *>(name));
}

QTEST_MAIN(WindowStateTest)
#include "tst_windowstate.moc"
