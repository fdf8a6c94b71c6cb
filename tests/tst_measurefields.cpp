#include "app/mainwindow.h"
#include "app/toolset.h"
#include "logic/twips.h"
#include "testsupport.h"
#include "widgets/lineitem.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace vellumark;
using namespace vellumark::test;

class MeasureFieldsTest : public QObject
{
    Q_OBJECT

private slots:
    void typingStoresAfterEachKey();
    void eachFieldStoresUnderItsName_data();
    void eachFieldStoresUnderItsName();
    void keysThatChangeNothingStoreTheText_data();
    void keysThatChangeNothingStoreTheText();
    void commaTextStoredAsTyped();
    void contextMenuEditsStored_data();
    void contextMenuEditsStored();
    void noSelectionStoresNothing();
    void typologySelectionStoresNothing();
    void dvdFormat_data();
    void dvdFormat();
};

namespace {

struct Fixture
{
    explicit Fixture(const QList<std::pair<QString, QString>> &extra = {})
    {
        QList<std::pair<QString, QString>> values = {
            { QStringLiteral("About"), QStringLiteral("0") },
            { QStringLiteral("Lingua"), QStringLiteral("Italiano") },
        };
        values += extra;
        temp.seed(values);
        loaded = loadWindow(temp.settings());
    }
    MainWindow *window() const { return loaded.window.get(); }
    QLineEdit *field(const QString &name) const { return child<QLineEdit>(window(), name); }
    QComboBox *list(const QString &name) const { return child<QComboBox>(window(), name); }
    // The stored value, or "<none>" when it is missing.
    QString stored(const QString &name) const
    {
        return temp.settings().text(name, QStringLiteral("<none>"));
    }

    TemporarySettings temp;
    LoadedWindow loaded;
};

// Every measure value name of both slots.
QStringList allMeasureNames()
{
    QStringList names;
    for (const char *slot : { "A", "B" })
        for (int typology = 0; typology < 4; ++typology)
            for (int measure = 1; measure <= 4; ++measure)
                names << QStringLiteral("%1%2%3").arg(typology).arg(measure).arg(
                    QLatin1StringView(slot));
    return names;
}

} // namespace

void MeasureFieldsTest::typingStoresAfterEachKey()
{
    Fixture f;
    QComboBox *list1 = f.list(QStringLiteral("List1"));
    QCOMPARE(list1->itemText(1), QStringLiteral("Retro"));
    list1->setCurrentIndex(1);
    QLineEdit *text1 = f.field(QStringLiteral("Text1"));
    text1->clear();

    QTest::keyClick(text1, Qt::Key_1);
    QCOMPARE(f.stored(QStringLiteral("11A")), QStringLiteral("1"));
    QTest::keyClick(text1, Qt::Key_4);
    QCOMPARE(f.stored(QStringLiteral("11A")), QStringLiteral("14"));

    QCOMPARE(list1->itemText(0), QStringLiteral("Fronte\\CD"));
    list1->setCurrentIndex(0);
    QCOMPARE(text1->text(), QStringLiteral("12.1"));
    list1->setCurrentIndex(1);
    QCOMPARE(text1->text(), QStringLiteral("14"));
}

void MeasureFieldsTest::eachFieldStoresUnderItsName_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("typology");
    QTest::addColumn<QString>("value");
    const struct
    {
        const char *field;
        const char *digitAndSlot;
    } fields[] = {
        { "Text1", "1A" }, { "Text2", "2A" }, { "Text5", "3A" }, { "Text6", "4A" },
        { "Text3", "1B" }, { "Text4", "2B" }, { "Text7", "3B" }, { "Text8", "4B" },
    };
    for (int typology = 0; typology < 4; ++typology) { // the last, the disc label
        for (const auto &entry : fields) {
            const QString list
                = entry.digitAndSlot[1] == 'A' ? QStringLiteral("List1") : QStringLiteral("List2");
            QTest::addRow("%s typology %d", entry.field, typology)
                << QString::fromLatin1(entry.field) << list << typology
                << QString::number(typology) + QLatin1StringView(entry.digitAndSlot);
        }
    }
}

void MeasureFieldsTest::eachFieldStoresUnderItsName()
{
    QFETCH(QString, field);
    QFETCH(QString, list);
    QFETCH(int, typology);
    QFETCH(QString, value);
    Fixture f;
    f.list(QStringLiteral("List1"))->setCurrentIndex(typology);
    f.list(QStringLiteral("List2"))->setCurrentIndex(typology);
    const QString text8 = f.field(QStringLiteral("Text8"))->text();
    QStringList before;
    for (const QString &name : allMeasureNames())
        before << f.stored(name);

    QLineEdit *edit = f.field(field);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("7.5"));
    QCOMPARE(edit->text(), QStringLiteral("7.5"));

    // Only its own value changed; slot B's vertical position is derived only
    // by a typology selection, never by typing.
    const QStringList names = allMeasureNames();
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(f.stored(names[i]), names[i] == value ? QStringLiteral("7.5") : before[i]);
    if (field != u"Text8")
        QCOMPARE(f.field(QStringLiteral("Text8"))->text(), text8);
}

void MeasureFieldsTest::keysThatChangeNothingStoreTheText_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("left") << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::newRow("right") << int(Qt::Key_Right) << int(Qt::NoModifier);
    QTest::newRow("up") << int(Qt::Key_Up) << int(Qt::NoModifier);
    QTest::newRow("home") << int(Qt::Key_Home) << int(Qt::NoModifier);
    QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier);
    QTest::newRow("control alone") << int(Qt::Key_Control) << int(Qt::ControlModifier);
    QTest::newRow("shift+left") << int(Qt::Key_Left) << int(Qt::ShiftModifier);
}

void MeasureFieldsTest::keysThatChangeNothingStoreTheText()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Fixture f({ { QStringLiteral("TipoCoverB"), QStringLiteral("2") } });
    QLineEdit *text7 = f.field(QStringLiteral("Text7"));
    text7->setText(QStringLiteral("3.5")); // set by code: not stored
    QCOMPARE(f.stored(QStringLiteral("23B")), QStringLiteral("<none>"));

    QTest::keyClick(text7, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(text7->text(), QStringLiteral("3.5"));
    QCOMPARE(f.stored(QStringLiteral("23B")), QStringLiteral("3.5"));
}

void MeasureFieldsTest::commaTextStoredAsTyped()
{
    Fixture f;
    QLineEdit *text2 = f.field(QStringLiteral("Text2"));
    text2->clear();
    QTest::keyClicks(text2, QStringLiteral("12,5"));
    QCOMPARE(text2->text(), QStringLiteral("12,5"));
    QCOMPARE(f.stored(QStringLiteral("02A")), QStringLiteral("12,5"));
    // Deleting everything stores the empty text.
    text2->selectAll();
    QTest::keyClick(text2, Qt::Key_Delete);
    QCOMPARE(f.stored(QStringLiteral("02A")), QString());
}

void MeasureFieldsTest::contextMenuEditsStored_data()
{
    // The context menu entry, without its shortcut, as the Italian window
    // shows it.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");
    // Text5 holds "2" (front standard); the clipboard holds "0.5".
    QTest::newRow("paste") << "Incolla"
                           << "20.5";
    QTest::newRow("cut") << "Taglia" << QString();
    QTest::newRow("delete") << "Elimina" << QString();
    QTest::newRow("undo") << "Annulla"
                          << "2";
}

void MeasureFieldsTest::contextMenuEditsStored()
{
    QFETCH(QString, action);
    QFETCH(QString, expected);
    Fixture f;
    QLineEdit *text5 = f.field(QStringLiteral("Text5"));
    QCOMPARE(text5->text(), QStringLiteral("2"));
    QApplication::clipboard()->setText(QStringLiteral("0.5"));
    if (action == u"Annulla") { // something to undo first
        QTest::keyClick(text5, Qt::Key_End);
        QTest::keyClick(text5, Qt::Key_9);
        QCOMPARE(f.stored(QStringLiteral("03A")), QStringLiteral("29"));
    } else if (action == u"Incolla") {
        text5->end(false);
    } else {
        text5->selectAll();
    }

    // The menu the right button opens, its entry chosen with the mouse.
    std::unique_ptr<QMenu> menu(text5->createStandardContextMenu());
    QAction *entry = nullptr;
    for (QAction *candidate : menu->actions()) {
        if (candidate->text().section(u'\t', 0, 0).remove(u'&') == action)
            entry = candidate;
    }
    QVERIFY2(entry, qPrintable(action));
    QVERIFY(entry->isEnabled());
    entry->trigger();
    QCOMPARE(text5->text(), expected);
    QCOMPARE(f.stored(QStringLiteral("03A")), expected);
}

void MeasureFieldsTest::noSelectionStoresNothing()
{
    Fixture f({ { QStringLiteral("TipoCoverA"), QStringLiteral("-1") },
                { QStringLiteral("TipoCoverB"), QStringLiteral("-1") } });
    QCOMPARE(f.list(QStringLiteral("List1"))->currentIndex(), -1);
    for (const char *name : { "Text1", "Text2", "Text5", "Text6", "Text3", "Text8" }) {
        QLineEdit *edit = f.field(QString::fromLatin1(name));
        QTest::keyClicks(edit, QStringLiteral("42"));
        QCOMPARE(edit->text(), QStringLiteral("42")); // the field still takes the typing
    }
    for (const QString &name : allMeasureNames())
        QCOMPARE(f.stored(name), QStringLiteral("<none>"));
}

void MeasureFieldsTest::typologySelectionStoresNothing()
{
    Fixture f;
    for (int typology : { 1, 2, 0 }) {
        f.list(QStringLiteral("List1"))->setCurrentIndex(typology);
        f.list(QStringLiteral("List2"))->setCurrentIndex(typology);
    }
    for (const QString &name : allMeasureNames())
        QCOMPARE(f.stored(name), QStringLiteral("<none>"));
}

void MeasureFieldsTest::dvdFormat_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("frame"); // Line8, Line10 X2; Line6 X1 and X2
    QTest::addColumn<int>("width"); // Image7 and Label25
    QTest::addColumn<bool>("turnShown");
    QTest::newRow("as created") << QStringList() << 5520 << 5295 << true;
    QTest::newRow("front only") << QStringList { "Option7" } << 3600 << 3375 << false;
    QTest::newRow("back to whole case")
        << QStringList { "Option7", "Option6" } << 5520 << 5295 << true;
    QTest::newRow("front only twice")
        << QStringList { "Option7", "Option7" } << 3600 << 3375 << false;
    // The slim case's wrap, 26.6 cm long against the whole case's 27.2.
    QTest::newRow("slim case") << QStringList { "Option8" } << 5400 << 5175 << true;
    QTest::newRow("front only, then slim case")
        << QStringList { "Option7", "Option8" } << 5400 << 5175 << true;
    QTest::newRow("slim case, then whole case")
        << QStringList { "Option8", "Option6" } << 5520 << 5295 << true;
}

void MeasureFieldsTest::dvdFormat()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, frame);
    QFETCH(int, width);
    QFETCH(bool, turnShown);
    Fixture f;
    MainWindow *window = f.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->tools()->tool(QStringLiteral("ID_covers"))->trigger();
    auto *option6 = child<QRadioButton>(window, QStringLiteral("Option6"));
    auto *option7 = child<QRadioButton>(window, QStringLiteral("Option7"));
    QCOMPARE(option6->text(), QStringLiteral("18,3 x 27,2"));
    QCOMPARE(option7->text(), QStringLiteral("13,1 x 18,3"));
    QCOMPARE(child<QRadioButton>(window, QStringLiteral("Option8"))->text(),
             QStringLiteral("18,3 x 26,6"));
    QVERIFY(option6->isChecked());
    auto *image7 = child<PictureBox>(window, QStringLiteral("Image7"));
    auto *label25 = child<QLabel>(window, QStringLiteral("Label25"));
    const int pictureHeight = image7->height();
    const int labelHeight = label25->height();
    auto *line9 = child<LineItem>(window, QStringLiteral("Line9"));
    const QList<int> leftEdge = { line9->x1(), line9->y1(), line9->x2(), line9->y2() };

    for (const QString &name : clicks)
        QTest::mouseClick(child<QRadioButton>(window, name), Qt::LeftButton);

    QCOMPARE(child<LineItem>(window, QStringLiteral("Line8"))->x2(), frame);
    QCOMPARE(child<LineItem>(window, QStringLiteral("Line10"))->x2(), frame);
    QCOMPARE(child<LineItem>(window, QStringLiteral("Line6"))->x1(), frame);
    QCOMPARE(child<LineItem>(window, QStringLiteral("Line6"))->x2(), frame);
    QCOMPARE(image7->width(), TwipsToPixels(width));
    QCOMPARE(label25->width(), TwipsToPixels(width));
    QCOMPARE(image7->height(), pictureHeight);
    QCOMPARE(label25->height(), labelHeight);
    QCOMPARE((QList<int> { line9->x1(), line9->y1(), line9->x2(), line9->y2() }), leftEdge);
    auto *turn = child<QPushButton>(window, QStringLiteral("Command2"));
    QCOMPARE(turn->text(), QStringLiteral("90°"));
    QCOMPARE(turn->isVisible(), turnShown);
}

QTEST_MAIN(MeasureFieldsTest)
#include "tst_measurefields.moc"
