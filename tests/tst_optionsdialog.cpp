#include "app/mainwindow.h"
#include "dialogs/optionsdialog.h"
#include "logic/typology.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vellumark;
using namespace vellumark::test;

using Values = QList<std::pair<QString, QString>>;

class OptionsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void borderWidthIsChecked_data();
    void borderWidthIsChecked();
    void typedWidthIsKeptAndStored();
    void emptiedFieldShowsFiveAtOnce();
    void labelHoleIsChecked_data();
    void labelHoleIsChecked();
    void loadsStoredValues_data();
    void loadsStoredValues();
    void okWritesAndNextOpeningShowsIt();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void defaultsAnsweredNoWriteNothing();
    void defaultsAnsweredYesStayAfterCancel();
    void defaultsReachMainWindowFields();
    void textsFollowMarker_data();
    void textsFollowMarker();
    void bleedIsChecked_data();
    void bleedIsChecked();
};

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QLineEdit *widthField(OptionsDialog &dialog)
{
    return child<QLineEdit>(&dialog, QStringLiteral("Text1"));
}

QCheckBox *check(QWidget *dialog, const char *name)
{
    return child<QCheckBox>(dialog, QString::fromLatin1(name));
}

QPushButton *button(QWidget *dialog, const char *name)
{
    return child<QPushButton>(dialog, QString::fromLatin1(name));
}

// Runs the action once a modal dialog with the given name is on top.
void whenModal(const QString &name, std::function<void(QWidget *)> action)
{
    onNextModal<QWidget>(
        [action](QWidget *modal) {
            action(modal);
            return true;
        },
        name);
}

// A click where the user sees the control: the window decides who gets it.
void clickInWindow(QWidget *window, QWidget *control)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

void clickLater(QPushButton *push)
{
    QMetaObject::invokeMethod(push, &QPushButton::click, Qt::QueuedConnection);
}

const Values SomeSettings = {
    { QStringLiteral("Uscita"), QStringLiteral("0") },
    { QStringLiteral("Stampante"), QStringLiteral("0") },
    { QStringLiteral("About"), QStringLiteral("0") },
    { QStringLiteral("Spessore"), QStringLiteral("3") },
    { QStringLiteral("11A"), QStringLiteral("20") },
};

} // namespace

void OptionsDialogTest::borderWidthIsChecked_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "5";
    QTest::newRow("above ten") << "11"
                               << "5";
    QTest::newRow("zero") << "0"
                          << "5";
    QTest::newRow("ten") << "10"
                         << "10";
    QTest::newRow("fraction") << "2.5"
                              << "2.5";
    QTest::newRow("negative") << "-3"
                              << "5";
    QTest::newRow("word") << "abc"
                          << "5";
    QTest::newRow("comma") << "2,5"
                           << "5";
    QTest::newRow("just above ten") << "10.01"
                                    << "5";
    QTest::newRow("exponent") << "1e1"
                              << "1e1";
    QTest::newRow("not a number") << "nan"
                                  << "5";
}

void OptionsDialogTest::borderWidthIsChecked()
{
    QFETCH(QString, entered);
    QFETCH(QString, shown);
    TemporarySettings temp;
    temp.seed({});
    OptionsDialog dialog(temp.settings(), QStringLiteral("Italiano"));
    widthField(dialog)->setText(entered);
    QCOMPARE(widthField(dialog)->text(), shown);
}

void OptionsDialogTest::typedWidthIsKeptAndStored()
{
    TemporarySettings temp;
    temp.seed({});
    OptionsDialog dialog(temp.settings(), QStringLiteral("Italiano"));
    dialog.show();
    QLineEdit *field = widthField(dialog);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("2.5"));
    QCOMPARE(field->text(), QStringLiteral("2.5"));
    QTest::mouseClick(button(&dialog, "Command1"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(temp.settings().text(QStringLiteral("Spessore")), QStringLiteral("2.5"));
}

void OptionsDialogTest::emptiedFieldShowsFiveAtOnce()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Spessore"), QStringLiteral("7") } });
    OptionsDialog dialog(temp.settings(), QStringLiteral("Italiano"));
    dialog.show();
    QLineEdit *field = widthField(dialog);
    QCOMPARE(field->text(), QStringLiteral("7"));
    field->setFocus();
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QStringLiteral("5"));
    // Typing after the 5 makes 51, which is too wide.
    QTest::keyClicks(field, QStringLiteral("1"));
    QCOMPARE(field->text(), QStringLiteral("5"));
}

void OptionsDialogTest::labelHoleIsChecked_data()
{
    // Typed after selecting the field's text, then OK clicked.
    QTest::addColumn<QString>("stored"); // before the dialog opens; empty: none
    QTest::addColumn<QString>("shownAtOpening");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    auto row = [](const char *name, const char *stored, const char *shown, const char *typed,
                  const char *kept) {
        QTest::newRow(name) << QString::fromUtf8(stored) << QString::fromUtf8(shown)
                            << QString::fromUtf8(typed) << QString::fromUtf8(kept);
    };
    row("nothing stored, kept", "", "4.1", "", "4.1");
    row("narrowest", "", "4.1", "1.5", "1.5");
    row("widest", "", "4.1", "4.5", "4.5");
    row("starts like a refused one", "", "4.1", "1.8", "1.8");
    row("whole number", "2", "2", "3", "3");
    row("too narrow", "", "4.1", "1.4", "4.1");
    row("too wide", "3", "3", "4.6", "4.1");
    row("comma", "", "4.1", "2,5", "4.1");
    row("stored outside the range", "9", "4.1", "", "4.1");
    row("stored with a unit", "3.5 cm", "3.5", "", "3.5");
}

void OptionsDialogTest::labelHoleIsChecked()
{
    QFETCH(QString, stored);
    QFETCH(QString, shownAtOpening);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    TemporarySettings temp;
    temp.seed(stored.isEmpty() ? Values {} : Values { { QStringLiteral("Foro"), stored } });
    OptionsDialog dialog(temp.settings(), QStringLiteral("Italiano"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *field = child<QLineEdit>(&dialog, QStringLiteral("Text3"));
    QCOMPARE(field->text(), shownAtOpening);
    if (!typed.isEmpty()) {
        clickInWindow(&dialog, field);
        QTRY_VERIFY(field->hasFocus());
        field->selectAll();
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), typed); // nothing refused while typing
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), kept);
    }
    clickInWindow(&dialog, button(&dialog, "Command1"));
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(temp.settings().text(QStringLiteral("Foro")), kept);
}

void OptionsDialogTest::loadsStoredValues_data()
{
    QTest::addColumn<Values>("stored");
    QTest::addColumn<bool>("exit");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("cutMarks");
    QTest::newRow("nothing stored") << Values {} << true << true << true << "5" << false;
    QTest::newRow("all off") << Values { { "Uscita", "0" },
                                         { "Stampante", "0" },
                                         { "About", "0" },
                                         { "Spessore", "7" } }
                             << false << false << false << "7" << false;
    QTest::newRow("mixed") << Values { { "Uscita", "1" },
                                       { "Stampante", "0" },
                                       { "About", "1" },
                                       { "Spessore", "2.5" },
                                       { "Tagli", "1" } }
                           << true << false << true << "2.5" << true;
    QTest::newRow("leading numbers")
        << Values { { "Spessore", "8 cm" } } << true << true << true << "8" << false;
    QTest::newRow("too wide") << Values { { "Spessore", "12" } } << true << true << true << "5"
                              << false;
    QTest::newRow("cut marks off")
        << Values { { "Tagli", "0" } } << true << true << true << "5" << false;
}

void OptionsDialogTest::loadsStoredValues()
{
    QFETCH(Values, stored);
    QFETCH(bool, exit);
    QFETCH(bool, printer);
    QFETCH(bool, about);
    QFETCH(QString, width);
    QFETCH(bool, cutMarks);
    TemporarySettings temp;
    temp.seed(stored);
    OptionsDialog dialog(temp.settings(), QStringLiteral("Italiano"));
    QCOMPARE(check(&dialog, "Check1")->isChecked(), exit);
    QCOMPARE(check(&dialog, "Check2")->isChecked(), printer);
    QCOMPARE(check(&dialog, "Check3")->isChecked(), about);
    QCOMPARE(widthField(dialog)->text(), width);
    QCOMPARE(check(&dialog, "Check4")->isChecked(), cutMarks);
}

void OptionsDialogTest::okWritesAndNextOpeningShowsIt()
{
    TemporarySettings temp;
    temp.seed(SomeSettings);
    {
        OptionsDialog dialog(temp.settings(), QStringLiteral("Inglese"));
        dialog.show();
        check(&dialog, "Check1")->setChecked(true);
        check(&dialog, "Check3")->setChecked(true);
        check(&dialog, "Check4")->setChecked(true);
        widthField(dialog)->setText(QStringLiteral("9"));
        QTest::mouseClick(button(&dialog, "Command1"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
    const ProgramSettings settings = temp.settings();
    QCOMPARE(settings.text(QStringLiteral("Uscita")), QStringLiteral("1"));
    QCOMPARE(settings.text(QStringLiteral("Stampante")), QStringLiteral("0"));
    QCOMPARE(settings.text(QStringLiteral("About")), QStringLiteral("1"));
    QCOMPARE(settings.text(QStringLiteral("Spessore")), QStringLiteral("9"));
    QCOMPARE(settings.text(QStringLiteral("Tagli")), QStringLiteral("1"));
    QCOMPARE(settings.text(QStringLiteral("11A")), QStringLiteral("20"));

    OptionsDialog again(temp.settings(), QStringLiteral("Inglese"));
    QVERIFY(check(&again, "Check1")->isChecked());
    QVERIFY(!check(&again, "Check2")->isChecked());
    QVERIFY(check(&again, "Check3")->isChecked());
    QCOMPARE(widthField(again)->text(), QStringLiteral("9"));

    // And back off: the about window's setting follows its box both ways.
    check(&again, "Check3")->setChecked(false);
    button(&again, "Command1")->click();
    QCOMPARE(temp.settings().text(QStringLiteral("About")), QStringLiteral("0"));
}

void OptionsDialogTest::cancelWritesNothing_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("cancel button") << false;
    QTest::newRow("close box") << true;
}

void OptionsDialogTest::cancelWritesNothing()
{
    QFETCH(bool, closeBox);
    TemporarySettings temp;
    temp.seed(SomeSettings);
    const QByteArray before = fileBytes(temp.settingsFile());
    QVERIFY(!before.isEmpty());

    OptionsDialog dialog(temp.settings(), QStringLiteral("Italiano"));
    dialog.show();
    check(&dialog, "Check1")->setChecked(true);
    check(&dialog, "Check2")->setChecked(true);
    check(&dialog, "Check3")->setChecked(true);
    check(&dialog, "Check4")->setChecked(true);
    widthField(dialog)->setText(QStringLiteral("8"));
    if (closeBox)
        dialog.close();
    else
        QTest::mouseClick(button(&dialog, "Command2"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(fileBytes(temp.settingsFile()), before);
}

void OptionsDialogTest::defaultsAnsweredNoWriteNothing()
{
    TemporarySettings temp;
    temp.seed(SomeSettings);
    const QByteArray before = fileBytes(temp.settingsFile());
    OptionsDialog dialog(temp.settings(), QStringLiteral("Italiano"));
    dialog.show();
    QString question;
    answerNextMessageBox(QMessageBox::No, &question);
    button(&dialog, "Command3")->click();
    QCOMPARE(question,
             QStringLiteral("Attenzione! I valori messi manualmente verranno eliminati. Sicuro di "
                            "voler continuare?"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(fileBytes(temp.settingsFile()), before);
}

void OptionsDialogTest::defaultsAnsweredYesStayAfterCancel()
{
    TemporarySettings temp;
    temp.seed(SomeSettings);
    OptionsDialog dialog(temp.settings(), QStringLiteral("Tedesco"));
    dialog.show();
    QString question;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    whenModal(QStringLiteral("MeasureDefaultsQuestion"), [&](QWidget *modal) {
        auto *box = static_cast<QMessageBox *>(modal);
        question = box->text();
        icon = box->icon();
        title = box->windowTitle();
        box->done(QMessageBox::Yes);
    });
    button(&dialog, "Command3")->click();
    QVERIFY(question.startsWith(QStringLiteral(" Aufmerksamkeit! ")));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(title, QStringLiteral("Vellumark"));
    QVERIFY(dialog.isVisible()); // the button leaves the dialog open
    button(&dialog, "Command2")->click();

    const ProgramSettings settings = temp.settings();
    const auto defaults = DefaultMeasureValues();
    QCOMPARE(defaults.size(), 32); // four typologies, four measures, two slots
    for (const auto &[name, value] : defaults)
        QCOMPARE(settings.text(name, QStringLiteral("missing")), value);
    // The dialog's own settings are untouched by it.
    QCOMPARE(settings.text(QStringLiteral("Uscita")), QStringLiteral("0"));
    QCOMPARE(settings.text(QStringLiteral("Spessore")), QStringLiteral("3"));
}

void OptionsDialogTest::defaultsReachMainWindowFields()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("TipoCoverA"), QStringLiteral("1") },
                { QStringLiteral("TipoCoverB"), QStringLiteral("0") },
                { QStringLiteral("11A"), QStringLiteral("20") },
                { QStringLiteral("12A"), QStringLiteral("10") },
                { QStringLiteral("01B"), QStringLiteral("9") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(child<QLineEdit>(window, QStringLiteral("Text1"))->text(), QStringLiteral("20"));
    QCOMPARE(child<QLineEdit>(window, QStringLiteral("Text3"))->text(), QStringLiteral("9"));

    bool opened = false;
    whenModal(QStringLiteral("Form3"), [&](QWidget *dialog) {
        opened = true;
        // Cancel once the question has been answered.
        QObject::connect(button(dialog, "Command3"), &QPushButton::clicked,
                         button(dialog, "Command2"), &QPushButton::click, Qt::QueuedConnection);
        answerNextMessageBox(QMessageBox::Yes);
        clickLater(button(dialog, "Command3"));
    });
    window->findChild<QAction *>(QStringLiteral("ID_Opzioni"))->trigger();
    QVERIFY(opened);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(child<QLineEdit>(window, QStringLiteral("Text1"))->text(), QStringLiteral("15"));
    QCOMPARE(child<QLineEdit>(window, QStringLiteral("Text2"))->text(), QStringLiteral("11.8"));
    QCOMPARE(child<QLineEdit>(window, QStringLiteral("Text3"))->text(), QStringLiteral("12.1"));
    QCOMPARE(child<QLineEdit>(window, QStringLiteral("Text8"))->text(), QStringLiteral("13.8"));
    QCOMPARE(*loaded.endCount, 0);
}

void OptionsDialogTest::textsFollowMarker_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("aboutLabel");
    QTest::addColumn<QString>("cutMarksLabel");
    QTest::addColumn<QString>("bleedLabel");
    QTest::addColumn<QString>("holeLabel");
    QTest::newRow("Italiano") << "Italiano"
                              << "Opzioni..."
                              << "Annulla"
                              << "Visualizza finestra di About all'avvio..."
                              << "Segni di taglio"
                              << "Abbondanza (mm)"
                              << "Foro etichetta (cm)";
    QTest::newRow("Inglese") << "Inglese"
                             << "Options..."
                             << "Cancel"
                             << "View About window at startup..."
                             << "Cut marks"
                             << "Bleed (mm)"
                             << "Label hole (cm)";
    QTest::newRow("Tedesco") << "Tedesco"
                             << "Möglichkeiten..."
                             << "Ausgang"
                             << "Veranschaulicht zum start fenster von About..."
                             << "Schnittmarken"
                             << "Beschnittzugabe (mm)"
                             << "Etikettenloch (cm)";
    QTest::newRow("other") << "Francese"
                           << "Options..."
                           << "Cancel"
                           << "View About window at startup..."
                           << "Cut marks"
                           << "Bleed (mm)"
                           << "Label hole (cm)";
}

void OptionsDialogTest::textsFollowMarker()
{
    QFETCH(QString, marker);
    QFETCH(QString, title);
    QFETCH(QString, cancel);
    QFETCH(QString, aboutLabel);
    QFETCH(QString, cutMarksLabel);
    QFETCH(QString, bleedLabel);
    QFETCH(QString, holeLabel);
    TemporarySettings temp;
    temp.seed({});
    OptionsDialog dialog(temp.settings(), marker);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(button(&dialog, "Command2")->text(), cancel);
    QCOMPARE(button(&dialog, "Command1")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label4"))->text(), aboutLabel);
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label5"))->text(), cutMarksLabel);
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label6"))->text(), bleedLabel);
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("Label7"))->text(), holeLabel);
}

void OptionsDialogTest::bleedIsChecked_data()
{
    // Put into the bleed field: what it then shows, and whether OK stores
    // it; the store holds "2" before.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    for (const char *refused : { "-1", "6", "abc", "5.5" })
        QTest::newRow(refused) << QString::fromLatin1(refused) << QStringLiteral("0");
    for (const char *kept : { "0", "5", "2.5" })
        QTest::newRow(kept) << QString::fromLatin1(kept) << QString::fromLatin1(kept);
}

void OptionsDialogTest::bleedIsChecked()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Abbondanza"), QStringLiteral("2") } });
    OptionsDialog dialog(temp.settings(), QStringLiteral("Inglese"));
    dialog.show();
    auto *field = child<QLineEdit>(&dialog, QStringLiteral("Text2"));
    QCOMPARE(field->text(), QStringLiteral("2"));
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete); // empty is no number: "0"
    QCOMPARE(field->text(), QStringLiteral("0"));
    // Pasted whole, as typing "-1" would pass through "-".
    field->selectAll();
    field->insert(typed);
    QCOMPARE(field->text(), shown);
    QTest::mouseClick(button(&dialog, "Command1"), Qt::LeftButton);
    QCOMPARE(temp.settings().text(QStringLiteral("Abbondanza")), shown);
}

QTEST_MAIN(OptionsDialogTest)
#include "tst_optionsdialog.moc"
