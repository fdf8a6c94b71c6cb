#include "app/mainwindow.h"
#include "app/toolset.h"
#include "logic/programinfo.h"
#include "logic/settings/settingsfileformat.h"
#include "testsupport.h"
#include "widgets/backgroundshape.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vellumark;
using namespace vellumark::test;

class SettingsFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWritesDefaults();
    void roundTripAcrossRuns();
    void garbageValuesStartWithDefaults_data();
    void garbageValuesStartWithDefaults();
    void oddValuesAreRead();
    void printSelectionNoneLeavesStoredValue();
    void startupDialogsOnlyForExactOne_data();
    void startupDialogsOnlyForExactOne();
    void handWrittenFileSurvivesStartAndExit_data();
    void handWrittenFileSurvivesStartAndExit();
    void fitModesStoredPerCover_data();
    void fitModesStoredPerCover();
};

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMap<QString, QString> storedValues(const TemporarySettings &temp)
{
    const SettingsValues stored = ReadSettingsFile(fileBytes(temp.settingsFile()));
    QMap<QString, QString> values;
    for (auto value = stored.cbegin(); value != stored.cend(); ++value)
        values.insert(value.key(), value->toString());
    return values;
}

const QByteArray Marker = "; Vellumark settings, verbatim: a value is everything after the first "
                          "\"=\" up to the end of its line";

} // namespace

void SettingsFlowTest::firstStartWritesDefaults()
{
    TemporarySettings temp;
    QVERIFY(!QFile::exists(temp.settingsFile()));
    ModalDialogCloser closer;
    LoadedWindow loaded = loadWindow(temp.settings());
    QCOMPARE(closer.closed(), QStringList { "frmAbout" }); // asked for by the defaults

    const QMap<QString, QString> values = storedValues(temp);
    // Every setting the program has, and no other.
    QStringList names;
    for (const SettingDefinition &definition : MainSettingDefinitions()) {
        names.append(definition.name);
        QCOMPARE(values.value(definition.name), DefaultSettingValue(definition.name));
    }
    names.sort();
    QCOMPARE(values.keys(), names);
    QCOMPARE(values.value(QStringLiteral("Percorso")), ProgramFolder());
    QCOMPARE(QFile::permissions(temp.settingsFile())
                 & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                    | QFileDevice::WriteOther),
             QFileDevice::Permissions());

    // The window shows the defaults.
    MainWindow *window = loaded.window.get();
    QCOMPARE(window->languageMarker(), QStringLiteral("Italiano"));
    QVERIFY(child<QRadioButton>(window, QStringLiteral("Option5"))->isChecked());
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List1"))->currentIndex(), 0);
    QCOMPARE(child<BackgroundShape>(window, QStringLiteral("Shape1"))->fillStyle(), 1);
    QCOMPARE(child<BackgroundShape>(window, QStringLiteral("Shape1"))->fillColor(),
             QColor(255, 0, 0));
    QVERIFY(window->state().openWithPreview);
}

void SettingsFlowTest::roundTripAcrossRuns()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Uscita"), QStringLiteral("0") } });
    QTemporaryDir dir;
    const QString skin = dir.filePath(QStringLiteral("skin.SCI"));
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(skin, "PNG"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("Cover"))));
    const QString cover = dir.filePath(QStringLiteral("Cover/front.png"));
    QVERIFY(picture.save(cover, "PNG"));
    // Held by the window from the start and written back at its end.
    temp.settings().setText(QStringLiteral("Immagine"), skin);
    temp.settings().setText(QStringLiteral("Anteprima"), QStringLiteral("1"));
    {
        LoadedWindow loaded = loadWindow(temp.settings());
        MainWindow *window = loaded.window.get();
        ToolSet *tools = window->tools();
        tools->tool(QStringLiteral("ID_Duch"))->trigger();
        child<QRadioButton>(window, QStringLiteral("Option4"))->setChecked(true);
        child<QCheckBox>(window, QStringLiteral("Check1"))->setChecked(true);
        child<QCheckBox>(window, QStringLiteral("Check2"))->setChecked(true);
        child<QComboBox>(window, QStringLiteral("List1"))->setCurrentIndex(1);
        child<QComboBox>(window, QStringLiteral("List2"))->setCurrentIndex(2);
        tools->tool(QStringLiteral("ID_ApriWin"))->trigger();
        tools->tool(QStringLiteral("ID_Skin6"))->trigger();
        // The colour and the picture folder as the user sets them: through
        // the colour dialog, and by choosing a picture in another folder.
        onNextModal<QColorDialog>([](QColorDialog *dialog) {
            dialog->setCurrentColor(QColor(1, 2, 3));
            dialog->accept();
            return true;
        });
        tools->tool(QStringLiteral("ID_Colore"))->trigger();
        onNextModal<QFileDialog>([&cover](QFileDialog *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(cover);
            static_cast<QDialog *>(dialog)->accept();
            return true;
        });
        window->show();
        QTest::mouseClick(child<QWidget>(window, QStringLiteral("Image1")), Qt::LeftButton);
        QVERIFY(child<PictureBox>(window, QStringLiteral("Image1"))->hasPicture());
        window->close();
        QCOMPARE(*loaded.endCount, 1);
    }
    // Written as the program has always written them; the options' own
    // values are not the exit's to write.
    const QMap<QString, QString> stored = storedValues(temp);
    const QMap<QString, QString> written {
        { "Lingua", "Tedesco" }, { "Stampa", "B" },      { "BordoA", "1" },
        { "BordoB", "1" },       { "TipoCoverA", "1" },  { "TipoCoverB", "2" },
        { "Skin", "6" },         { "Colore", "197121" }, { "ApriFile", "0" },
        { "Anteprima", "1" },    { "Immagine", skin },   { "Percorso", dir.filePath("Cover") },
        { "About", "0" },        { "Uscita", "0" },
    };
    for (auto value = written.cbegin(); value != written.cend(); ++value)
        QCOMPARE(stored.value(value.key()), value.value());
    for (const char *name : { "Stampante", "Spessore", "Tagli" })
        QVERIFY2(!stored.contains(QString::fromLatin1(name)), name);
    LoadedWindow again = loadWindow(temp.settings());
    MainWindow *window = again.window.get();
    QCOMPARE(window->languageMarker(), QStringLiteral("Tedesco"));
    QVERIFY(window->tools()->tool(QStringLiteral("ID_Duch"))->isChecked());
    QVERIFY(child<QRadioButton>(window, QStringLiteral("Option4"))->isChecked());
    QVERIFY(child<QCheckBox>(window, QStringLiteral("Check1"))->isChecked());
    QVERIFY(child<QCheckBox>(window, QStringLiteral("Check2"))->isChecked());
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List1"))->currentIndex(), 1);
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List1"))->currentText(),
             QStringLiteral("Zurück"));
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List2"))->currentIndex(), 2);
    QVERIFY(!window->state().openWithPreview);
    QVERIFY(window->tools()->tool(QStringLiteral("ID_ApriWin"))->isChecked());
    QVERIFY(window->tools()->tool(QStringLiteral("ID_Skin6"))->isChecked());
    QCOMPARE(child<BackgroundShape>(window, QStringLiteral("Shape1"))->fillStyle(), 6);
    QCOMPARE(child<BackgroundShape>(window, QStringLiteral("Shape1"))->fillColor(),
             QColor(1, 2, 3));
    QCOMPARE(window->state().backgroundPicture, skin);
    QVERIFY(!window->backgroundPicture().isNull());
    QCOMPARE(child<QLabel>(window, QStringLiteral("Label2"))->text(),
             dir.filePath(QStringLiteral("Cover")));
    QCOMPARE(window->state().previewSwitch, QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>(window, QStringLiteral("Text1"))->text(), QStringLiteral("15"));
}

void SettingsFlowTest::garbageValuesStartWithDefaults_data()
{
    QTest::addColumn<QString>("garbage");
    QTest::newRow("empty") << QString();
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("99") << QStringLiteral("99");
    QTest::newRow("-5") << QStringLiteral("-5");
    QTest::newRow("long") << QString(10000, u'7');
    QTest::newRow("control characters") << QStringLiteral("\x01\x02\t\n\x7f");
}

void SettingsFlowTest::garbageValuesStartWithDefaults()
{
    QFETCH(QString, garbage);
    TemporarySettings temp;
    QList<std::pair<QString, QString>> values;
    for (const char *name : { "Percorso", "Anteprima", "Stampa", "BordoA", "BordoB", "TipoCoverA",
                              "TipoCoverB", "Lingua", "Skin", "Colore", "Immagine", "ApriFile" })
        values.append({ QString::fromLatin1(name), garbage });
    values.append({ QStringLiteral("About"), QStringLiteral("0") });
    values.append({ QStringLiteral("Uscita"), QStringLiteral("0") });
    temp.seed(values);

    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(window->languageMarker(), QStringLiteral("Inglese"));
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List1"))->currentIndex(), 0);
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List2"))->currentIndex(), 0);
    QVERIFY(child<QRadioButton>(window, QStringLiteral("Option5"))->isChecked());
    QVERIFY(!child<QCheckBox>(window, QStringLiteral("Check1"))->isChecked());
    const int style = child<BackgroundShape>(window, QStringLiteral("Shape1"))->fillStyle();
    QVERIFY(style >= 0 && style <= 7);

    window->show();
    window->close();
    QCOMPARE(*loaded.endCount, 1);
    // Exit writes sound values.
    const QMap<QString, QString> stored = storedValues(temp);
    QCOMPARE(stored.value(QStringLiteral("Lingua")), QStringLiteral("Inglese"));
    QVERIFY(QStringList({ "0", "1", "2" }).contains(stored.value(QStringLiteral("TipoCoverA"))));
    QVERIFY(QStringList({ "A", "B", "C" }).contains(stored.value(QStringLiteral("Stampa"))));
    QVERIFY(QStringList({ "0", "1" }).contains(stored.value(QStringLiteral("BordoA"))));
    QVERIFY(QStringList({ "0", "1" }).contains(stored.value(QStringLiteral("ApriFile"))));
    bool ok = false;
    const int skin = stored.value(QStringLiteral("Skin")).toInt(&ok);
    QVERIFY(ok && skin >= 0 && skin <= 7);
    stored.value(QStringLiteral("Colore")).toInt(&ok);
    QVERIFY(ok);
}

void SettingsFlowTest::oddValuesAreRead()
{
    // The first character of the skin and of the opening style, a colour's
    // three bytes, a border that is not "0"; the rest give the defaults.
    TemporarySettings temp;
    temp.seed({ { "About", "0" },
                { "Lingua", "Francese" },
                { "Stampa", "b" },
                { "BordoA", "0.6" },
                { "TipoCoverB", "4" },
                { "Skin", "71" },
                { "Colore", "-1" },
                { "ApriFile", "01" },
                { "AdattaDVD", "1" } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(window->languageMarker(), QStringLiteral("Inglese"));
    QVERIFY(child<QRadioButton>(window, QStringLiteral("Option5"))->isChecked());
    QVERIFY(child<QCheckBox>(window, QStringLiteral("Check1"))->isChecked());
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List2"))->currentIndex(), 0);
    QCOMPARE(child<BackgroundShape>(window, QStringLiteral("Shape1"))->fillStyle(), 7);
    QVERIFY(window->tools()->tool(QStringLiteral("ID_Skin7"))->isChecked());
    QCOMPARE(child<BackgroundShape>(window, QStringLiteral("Shape1"))->fillColor(),
             QColor(Qt::white));
    QVERIFY(!window->state().openWithPreview);
    QVERIFY(window->state().fitDvd == FitMode::Fill);
}

void SettingsFlowTest::printSelectionNoneLeavesStoredValue()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Uscita"), QStringLiteral("0") },
                { QStringLiteral("Stampa"), QStringLiteral("B") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    for (const char *name : { "Option3", "Option4", "Option5" }) {
        auto *option = child<QRadioButton>(window, QString::fromLatin1(name));
        option->setAutoExclusive(false);
        option->setChecked(false);
    }
    window->show();
    window->close();
    QCOMPARE(temp.settings().text(QStringLiteral("Stampa")), QStringLiteral("B"));
}

void SettingsFlowTest::startupDialogsOnlyForExactOne_data()
{
    QTest::addColumn<QString>("onPassword");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("about");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("about 0") << "0"
                             << ""
                             << "0" << 0;
    QTest::newRow("about 1") << "0"
                             << ""
                             << "1" << 1;
    QTest::newRow("about with blank") << "0"
                                      << ""
                                      << "1 " << 0;
    QTest::newRow("about true") << "0"
                                << ""
                                << "true" << 0;
    QTest::newRow("password 1, empty") << "1"
                                       << ""
                                       << "0" << 0;
    QTest::newRow("password 1 and blank") << "1 "
                                          << "secret"
                                          << "0" << 0;
    QTest::newRow("password true") << "true"
                                   << "secret"
                                   << "0" << 0;
}

void SettingsFlowTest::startupDialogsOnlyForExactOne()
{
    QFETCH(QString, onPassword);
    QFETCH(QString, password);
    QFETCH(QString, about);
    QFETCH(int, dialogs);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), about },
                { QStringLiteral("OnPassword"), onPassword },
                { QStringLiteral("Password"), password } });
    ModalDialogCloser closer;
    LoadedWindow loaded = loadWindow(temp.settings());
    QCOMPARE(closer.closed().size(), dialogs);
}

void SettingsFlowTest::handWrittenFileSurvivesStartAndExit_data()
{
    // Lines a person added to the file, and one value they hold.
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("password with ; and #")
        << QByteArray("Password=p;w#1\n") << QStringLiteral("Password") << QStringLiteral("p;w#1");
    QTest::newRow("password with a backslash")
        << QByteArray("Password=a\\b\n") << QStringLiteral("Password") << QStringLiteral("a\\b");
    QTest::newRow("two blanks before")
        << QByteArray("Password=  two blanks before\n") << QStringLiteral("Password")
        << QStringLiteral("  two blanks before");
    QTest::newRow("trailing blanks")
        << QByteArray("Immagine=/nowhere/skin.SCI  \n") << QStringLiteral("Immagine")
        << QStringLiteral("/nowhere/skin.SCI  ");
    QTest::newRow("network share") << QByteArray("02A=\\\\server\\share\n") << QStringLiteral("02A")
                                   << QStringLiteral("\\\\server\\share");
    QTest::newRow("language") << QByteArray("Lingua=Tedesco\n") << QStringLiteral("Lingua")
                              << QStringLiteral("Tedesco");
    QTest::newRow("CRLF line ends") << QByteArray("Password=p;w#1\r\nLingua=Tedesco\r\n")
                                    << QStringLiteral("Password") << QStringLiteral("p;w#1");
    QTest::newRow("comment line") << QByteArray("; Skin=3 was too dark\nLingua=Tedesco\n")
                                  << QStringLiteral("Lingua") << QStringLiteral("Tedesco");
    QTest::newRow("no typology") << QByteArray("TipoCoverA=-1\n") << QStringLiteral("TipoCoverA")
                                 << QStringLiteral("-1");
    QTest::newRow("unknown key") << QByteArray("Mine=a, b;c #d\n") << QStringLiteral("Mine")
                                 << QStringLiteral("a, b;c #d");
}

void SettingsFlowTest::handWrittenFileSurvivesStartAndExit()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, name);
    QFETCH(QString, value);
    const QByteArray lineEnd = lines.endsWith("\r\n") ? "\r\n" : "\n";
    for (const QByteArray &start : { QByteArray(), QByteArray("\xEF\xBB\xBF") }) {
        TemporarySettings temp;
        temp.settings().createKey();
        const QByteArray before
            = start + Marker + lineEnd + "About=0" + lineEnd + "Uscita=0" + lineEnd + lines;
        {
            QFile file(temp.settingsFile());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(before);
        }
        QCOMPARE(temp.settings().text(name, QStringLiteral("?")), value);

        LoadedWindow loaded = loadWindow(temp.settings());
        MainWindow *window = loaded.window.get();
        if (name == u"Lingua")
            QCOMPARE(window->languageMarker(), value);
        if (name == u"Immagine")
            QCOMPARE(window->state().backgroundPicture, value); // the file is not there
        if (name == u"TipoCoverA")
            QCOMPARE(child<QComboBox>(window, QStringLiteral("List1"))->currentIndex(), -1);
        window->show();
        window->close();
        QCOMPARE(*loaded.endCount, 1);

        // Every byte is still there; the window's own values follow.
        const QByteArray after = fileBytes(temp.settingsFile());
        QVERIFY2(after.startsWith(before), after.constData());
        QVERIFY(after.contains(lineEnd + "Stampa=C" + lineEnd));
        QCOMPARE(temp.settings().text(name, QStringLiteral("?")), value);
    }
}

void SettingsFlowTest::fitModesStoredPerCover_data()
{
    // What "AdattaA", "AdattaB" and "AdattaDVD" hold (none: missing), and
    // the menu entry that shows checked.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("checked");
    QTest::newRow("missing") << QString() << "FitStretch";
    for (const auto &[stored, checked] : { std::pair { "1", "FitFill" },
                                           { "2", "FitInside" },
                                           { "3", "FitStretch" },
                                           { " 1", "FitStretch" },
                                           { "1.0", "FitStretch" } })
        QTest::newRow(stored) << QString::fromLatin1(stored) << QString::fromLatin1(checked);
}

void SettingsFlowTest::fitModesStoredPerCover()
{
    QFETCH(QString, stored);
    QFETCH(QString, checked);
    TemporarySettings temp;
    QList<std::pair<QString, QString>> values { { QStringLiteral("About"), QStringLiteral("0") },
                                                { QStringLiteral("Uscita"), QStringLiteral("0") } };
    if (!stored.isNull()) {
        for (const char *name : { "AdattaA", "AdattaB", "AdattaDVD" })
            values.append({ QString::fromLatin1(name), stored });
    }
    temp.seed(values);
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // Slot A by a right click at a point of the window, slot B by Shift+F10,
    // and slot A again by the menu key.
    auto openMenu = [window](const char *name, Qt::Key key) {
        auto *box = child<PictureBox>(window, QString::fromLatin1(name));
        if (key == Qt::Key_unknown) {
            QTest::mouseClick(window->windowHandle(), Qt::RightButton, {},
                              box->mapTo(window, QPoint(10, 10)));
        } else {
            box->setFocus();
            QTest::keyClick(box, key, key == Qt::Key_F10 ? Qt::ShiftModifier : Qt::NoModifier);
        }
        return QTest::qWaitFor([] { return QApplication::activePopupWidget(); }, 5000)
            ? qobject_cast<QMenu *>(QApplication::activePopupWidget())
            : nullptr;
    };
    for (const auto &[name, key] :
         { std::pair { "Image1", Qt::Key_unknown }, { "Image2", Qt::Key_F10 } }) {
        QMenu *menu = openMenu(name, key);
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QStringLiteral("FitMenu"));
        auto *action = child<QAction>(menu, checked);
        QVERIFY(action && action->isChecked());
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }
    // Loading reads; it writes nothing.
    QCOMPARE(temp.settings().contains(QStringLiteral("AdattaA")), !stored.isNull());

    // A choice is written at once, for its own cover only.
    QMenu *menu = openMenu("Image1", Qt::Key_Menu);
    QVERIFY(menu);
    QAction *fit = child<QAction>(menu, QStringLiteral("FitInside"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(fit).center());
    QTRY_COMPARE(temp.settings().text(QStringLiteral("AdattaA")), QStringLiteral("2"));
    QCOMPARE(temp.settings().contains(QStringLiteral("AdattaB")), !stored.isNull());
    if (!stored.isNull())
        QCOMPARE(temp.settings().text(QStringLiteral("AdattaB")), stored);
    window->close();
}

QTEST_MAIN(SettingsFlowTest)
#include "tst_settingsflow.moc"
