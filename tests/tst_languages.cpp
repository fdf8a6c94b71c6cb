#include "app/mainwindow.h"
#include "app/toolset.h"
#include "logic/texts/maintexts.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

using namespace vellumark;
using namespace vellumark::test;

class LanguagesTest : public QObject
{
    Q_OBJECT

private slots:
    void startLanguage_data();
    void startLanguage();
    void discLabelAtStart();
    void switchSetsEveryElement_data();
    void switchSetsEveryElement();
    void germanToolsAndOnlyGermanChecked();
    void reapplyingReRunsSelections();
    void noSelectionStaysNoSelection();
    void fieldLabelBlanks();
    void qtDialogsSpeakTheWindowsLanguage_data();
    void qtDialogsSpeakTheWindowsLanguage();
};

namespace {

LoadedWindow startWith(TemporarySettings &temp, const QString &language)
{
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), language },
                { QStringLiteral("TipoCoverA"), QStringLiteral("1") },
                { QStringLiteral("TipoCoverB"), QStringLiteral("2") } });
    return loadWindow(temp.settings());
}

QString labelText(MainWindow *window, const QString &name)
{
    return child<QLabel>(window, name)->text();
}

} // namespace

void LanguagesTest::startLanguage_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("entry1");
    QTest::newRow("Italiano") << "Italiano"
                              << "Italiano"
                              << "Retro";
    QTest::newRow("Inglese") << "Inglese"
                             << "Inglese"
                             << "Back";
    QTest::newRow("Tedesco") << "Tedesco"
                             << "Tedesco"
                             << "Zurück";
    QTest::newRow("lower case") << "italiano"
                                << "Inglese"
                                << "Back";
    QTest::newRow("Spagnolo") << "Spagnolo"
                              << "Inglese"
                              << "Back";
    QTest::newRow("empty") << ""
                           << "Inglese"
                           << "Back";
}

void LanguagesTest::startLanguage()
{
    QFETCH(QString, stored);
    QFETCH(QString, marker);
    QFETCH(QString, entry1);
    TemporarySettings temp;
    LoadedWindow loaded = startWith(temp, stored);
    MainWindow *window = loaded.window.get();
    QCOMPARE(window->languageMarker(), marker);
    auto *list1 = child<QComboBox>(window, QStringLiteral("List1"));
    QCOMPARE(list1->count(), 4);
    QCOMPARE(list1->currentText(), entry1);
    QCOMPARE(list1->itemText(0),
             marker == u"Italiano" ? QStringLiteral("Fronte\\CD") : QStringLiteral("Front\\CD"));
    const QHash<QString, QString> labels { { "Italiano", "Etichetta\\CD" },
                                           { "Inglese", "Label\\CD" },
                                           { "Tedesco", "Etikett\\CD" } };
    QCOMPARE(list1->itemText(3), labels.value(marker));
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List2"))->currentIndex(), 2);
}

void LanguagesTest::discLabelAtStart()
{
    // Settings of a program without labels: no "3x" values, yet both slots
    // on the label, which then shows the standard 11.7 x 11.7 cm at 2, 2.
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("TipoCoverA"), QStringLiteral("3") },
                { QStringLiteral("TipoCoverB"), QStringLiteral("3") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    auto *list2 = child<QComboBox>(window, QStringLiteral("List2"));
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List1"))->currentIndex(), 3);
    QCOMPARE(list2->currentIndex(), 3);
    auto text
        = [&](const char *name) { return child<QLineEdit>(window, QString::fromLatin1(name)); };
    const QList<std::pair<const char *, const char *>> standards = {
        { "Text1", "11.7" }, { "Text2", "11.7" }, { "Text5", "2" },
        { "Text6", "2" },    { "Text3", "11.7" }, { "Text4", "11.7" },
        { "Text7", "2" },    { "Text8", "13.7" }, // below A: 2 + 11.7
    };
    for (const auto &[name, value] : standards)
        QCOMPARE(text(name)->text(), QString::fromLatin1(value));

    // Each key press is stored under the label's own names.
    text("Text2")->selectAll();
    for (const QString typed : { "1", "12", "12.", "12.5" }) {
        QTest::keyClick(text("Text2"), typed.back().toLatin1());
        QCOMPARE(temp.settings().text(QStringLiteral("32A")), typed);
    }
    text("Text6")->selectAll();
    QTest::keyClicks(text("Text6"), QStringLiteral("2.18"));
    QCOMPARE(temp.settings().text(QStringLiteral("34A")), QStringLiteral("2.18"));
    QTest::keyClicks(text("Text3"), QStringLiteral("0"));
    QCOMPARE(temp.settings().text(QStringLiteral("31B")), QStringLiteral("11.70"));
    // B follows A below once its typology is chosen again: 2.18 + 12.5.
    QCOMPARE(text("Text8")->text(), QStringLiteral("13.7"));
    list2->setCurrentIndex(0);
    list2->setCurrentIndex(3);
    QCOMPARE(text("Text8")->text(), QStringLiteral("14.68"));
    QCOMPARE(text("Text3")->text(), QStringLiteral("11.70"));
}

void LanguagesTest::switchSetsEveryElement_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("language");
    QTest::newRow("Italian") << "ID_Italiano" << int(Language::Italian);
    QTest::newRow("English") << "ID_English" << int(Language::English);
    QTest::newRow("German") << "ID_Duch" << int(Language::German);
}

void LanguagesTest::switchSetsEveryElement()
{
    QFETCH(QString, tool);
    QFETCH(int, language);
    TemporarySettings temp;
    LoadedWindow loaded = startWith(temp, QStringLiteral("Inglese"));
    MainWindow *window = loaded.window.get();
    window->tools()->tool(tool)->trigger();
    const MainWindowTexts &texts = MainTexts(Language(language));

    QCOMPARE(window->languageMarker(), texts.marker);
    QCOMPARE(labelText(window, QStringLiteral("Label20")), texts.loadHint);
    QCOMPARE(labelText(window, QStringLiteral("Label21")), texts.loadHint);
    QCOMPARE(labelText(window, QStringLiteral("Label4")), texts.sizeHeadingA);
    QCOMPARE(labelText(window, QStringLiteral("Label5")), texts.sizeHeadingB);
    QCOMPARE(labelText(window, QStringLiteral("Label22")), texts.borderCaption);
    QCOMPARE(labelText(window, QStringLiteral("Label10")), texts.positionHeadingA);
    QCOMPARE(labelText(window, QStringLiteral("Label13")), texts.positionHeadingB);
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List2"))->toolTip(), texts.listTip);
    QCOMPARE(window->tools()->tool(QStringLiteral("ID_Print"))->text(), texts.printTool);
    for (const auto &[id, text] : texts.languageTools + texts.otherTools)
        QCOMPARE(window->tools()->tool(id)->text(), text);
    for (const auto &[name, text] : texts.fieldLabels)
        QCOMPARE(labelText(window, name), text);
    auto *list1 = child<QComboBox>(window, QStringLiteral("List1"));
    QCOMPARE(list1->currentIndex(), 1);
    QCOMPARE(list1->currentText(), texts.typologies.at(1));
    // Tools outside the tables keep their captions.
    QCOMPARE(window->tools()->tool(QStringLiteral("ID_covers"))->text(),
             QStringLiteral("Cover DVD"));
    QCOMPARE(window->tools()->tool(QStringLiteral("ID_Menu"))->text(), QStringLiteral("Menu"));
    QCOMPARE(labelText(window, QStringLiteral("Label25")), QStringLiteral("click"));

    // A toolbar button's tooltip is its text from the table, exactly.
    QHash<QString, QString> toolTexts { { QStringLiteral("ID_Print"), texts.printTool } };
    for (const auto &[id, text] : texts.languageTools + texts.otherTools)
        toolTexts.insert(id, text);
    int buttons = 0;
    for (QAction *action : window->tools()->toolBar()->actions()) {
        if (!toolTexts.contains(action->objectName()))
            continue;
        QWidget *button = window->tools()->toolBar()->widgetForAction(action);
        QVERIFY(button);
        QCOMPARE(button->toolTip(), toolTexts.value(action->objectName()));
        ++buttons;
    }
    QCOMPARE(buttons, 3); // options, picture, print
}

void LanguagesTest::germanToolsAndOnlyGermanChecked()
{
    TemporarySettings temp;
    LoadedWindow loaded = startWith(temp, QStringLiteral("Italiano"));
    ToolSet *tools = loaded.window->tools();
    tools->tool(QStringLiteral("ID_Duch"))->trigger();
    QCOMPARE(tools->tool(QStringLiteral("ID_Duch"))->text(), QStringLiteral("Duch"));
    QCOMPARE(tools->tool(QStringLiteral("ID_English"))->text(), QStringLiteral("Englisch"));
    QCOMPARE(tools->tool(QStringLiteral("ID_Italiano"))->text(), QStringLiteral("Italienisch"));
    QCOMPARE(tools->tool(QStringLiteral("ID_Opzioni"))->text(),
             QStringLiteral(" Möglichkeiten..."));
    QVERIFY(tools->tool(QStringLiteral("ID_Duch"))->isChecked());
    QVERIFY(!tools->tool(QStringLiteral("ID_English"))->isChecked());
    QVERIFY(!tools->tool(QStringLiteral("ID_Italiano"))->isChecked());
    QCOMPARE(labelText(loaded.window.get(), QStringLiteral("Label4")),
             QStringLiteral("Decken Sie A Dimension (in cm) "));
}

void LanguagesTest::reapplyingReRunsSelections()
{
    TemporarySettings temp;
    LoadedWindow loaded = startWith(temp, QStringLiteral("Italiano"));
    MainWindow *window = loaded.window.get();
    auto *text1 = child<QLineEdit>(window, QStringLiteral("Text1"));
    auto *text3 = child<QLineEdit>(window, QStringLiteral("Text3"));
    text1->setText(QStringLiteral("changed by code"));
    text3->setText(QStringLiteral("changed by code"));
    window->tools()->tool(QStringLiteral("ID_Italiano"))->trigger();
    QCOMPARE(text1->text(), QStringLiteral("15"));
    QCOMPARE(text3->text(), QStringLiteral("13.7"));
}

void LanguagesTest::noSelectionStaysNoSelection()
{
    TemporarySettings temp;
    LoadedWindow loaded = startWith(temp, QStringLiteral("Italiano"));
    MainWindow *window = loaded.window.get();
    auto *list2 = child<QComboBox>(window, QStringLiteral("List2"));
    list2->setCurrentIndex(-1);
    window->tools()->tool(QStringLiteral("ID_English"))->trigger();
    QCOMPARE(list2->currentIndex(), -1);
    QCOMPARE(list2->count(), 4);
    QCOMPARE(list2->itemText(2), QStringLiteral("Back w.f."));
}

void LanguagesTest::fieldLabelBlanks()
{
    TemporarySettings temp;
    LoadedWindow loaded = startWith(temp, QStringLiteral("Tedesco"));
    MainWindow *window = loaded.window.get();
    QCOMPARE(labelText(window, QStringLiteral("Label7")), QStringLiteral("höhe  "));
    QCOMPARE(labelText(window, QStringLiteral("Label9")), QStringLiteral("  höhe"));
    QCOMPARE(labelText(window, QStringLiteral("Label11")), QStringLiteral("waager. "));
    QCOMPARE(labelText(window, QStringLiteral("Label15")), QStringLiteral("  senkr."));
    window->tools()->tool(QStringLiteral("ID_English"))->trigger();
    QCOMPARE(labelText(window, QStringLiteral("Label6")), QStringLiteral("width  "));
    QCOMPARE(labelText(window, QStringLiteral("Label8")), QStringLiteral("  width"));
    QCOMPARE(labelText(window, QStringLiteral("Label13")),
             QStringLiteral("Cover B Position(in cm)"));
}

void LanguagesTest::qtDialogsSpeakTheWindowsLanguage_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("tool"); // a language switch after start; empty: none
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("no");
    QTest::newRow("Italiano") << "Italiano"
                              << ""
                              << "Sì"
                              << "No";
    QTest::newRow("Tedesco") << "Tedesco"
                             << ""
                             << "Ja"
                             << "Nein";
    QTest::newRow("Inglese") << "Inglese"
                             << ""
                             << "Yes"
                             << "No";
    QTest::newRow("Italiano, then English") << "Italiano"
                                            << "ID_English"
                                            << "Yes"
                                            << "No";
    QTest::newRow("Tedesco, then Italian") << "Tedesco"
                                           << "ID_Italiano"
                                           << "Sì"
                                           << "No";
    QTest::newRow("Inglese, then German") << "Inglese"
                                          << "ID_Duch"
                                          << "Ja"
                                          << "Nein";
}

void LanguagesTest::qtDialogsSpeakTheWindowsLanguage()
{
    QFETCH(QString, stored);
    QFETCH(QString, tool);
    QFETCH(QString, yes);
    QFETCH(QString, no);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), stored },
                { QStringLiteral("Uscita"), QStringLiteral("1") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    if (!tool.isEmpty())
        window->tools()->tool(tool)->trigger();

    // The buttons of the exit question, as shown (without the mnemonic's &).
    QString shownYes;
    QString shownNo;
    onNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box || !box->button(QMessageBox::Yes) || !box->button(QMessageBox::No))
            return false;
        shownYes = box->button(QMessageBox::Yes)->text().remove(u'&');
        shownNo = box->button(QMessageBox::No)->text().remove(u'&');
        box->done(QMessageBox::No);
        return true;
    });
    window->close();
    QCOMPARE(shownYes, yes);
    QCOMPARE(shownNo, no);
    QCOMPARE(*loaded.endCount, 0); // No: the program goes on
}

QTEST_MAIN(LanguagesTest)
#include "tst_languages.moc"
