#include "app/mainwindow.h"
#include "app/toolset.h"
#include "childprocess.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/helpviewer.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/passwordprompt.h"
#include "dialogs/picturedialog.h"
#include "print/calibrationdialog.h"
#include "testpictures.h"
#include "testsupport.h"
#include "virtualdisplay.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <memory>

using namespace vellumark;
using namespace vellumark::test;

namespace {

// Set by main: the display the test runs on, when one could be started,
// and why Qt's bridge to screen readers is not at work, when it is not.
VirtualDisplay *g_display = nullptr;
QString g_whyNoBridge;
QString g_accessibilityBus;

// gdbus's answer to a call on the bus at the address, while this program's
// events are handled on, so that its own bridge can answer.
QString callBus(const QString &address, const QString &destination, const QString &path,
                const QStringList &method)
{
    QProcess call;
    call.start(QStandardPaths::findExecutable(QStringLiteral("gdbus")),
               QStringList { QStringLiteral("call"), QStringLiteral("--address"), address,
                             QStringLiteral("--dest"), destination, QStringLiteral("--object-path"),
                             path, QStringLiteral("--method") }
                   + method);
    (void)QTest::qWaitFor(
        [&call] { return call.state() == QProcess::NotRunning || call.waitForFinished(20); },
        10000);
    return QString::fromUtf8(call.readAllStandardOutput());
}

// The names of everything below an object on the screen readers' bus.
void readTree(const QString &destination, const QString &path, int depth, QStringList &names)
{
    // (<'name'>,), or in double quotes when the name holds an apostrophe
    const QString name
        = callBus(g_accessibilityBus, destination, path,
                  { QStringLiteral("org.freedesktop.DBus.Properties.Get"),
                    QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("Name") })
              .trimmed();
    if (name.size() >= 7)
        names.append(name.mid(3, name.size() - 7));
    if (depth == 0)
        return;
    static const QRegularExpression child(
        QStringLiteral("\\('([^']+)', (?:objectpath )?'([^']+)'\\)"));
    const QString children = callBus(g_accessibilityBus, destination, path,
                                     { QStringLiteral("org.a11y.atspi.Accessible.GetChildren") });
    for (const QRegularExpressionMatch &match : child.globalMatch(children))
        readTree(match.captured(1), match.captured(2), depth - 1, names);
}

// A session bus of the test's own, its sockets in the runtime folder given,
// away from a desktop's; its address, or empty when none could be started.
QByteArray startSessionBus(QProcess &bus, const QString &runtimeFolder)
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return QByteArray();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    bus.setProcessEnvironment(environment);
    EndWithThisProcess(bus);
    bus.start(daemon,
              { QStringLiteral("--session"), QStringLiteral("--nofork"),
                QStringLiteral("--print-address=1") });
    const QDeadlineTimer deadline(10000);
    while (!bus.canReadLine() && bus.waitForReadyRead(int(deadline.remainingTime()))) { }
    return bus.readLine().trimmed();
}

QString nameOf(QObject *object)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    if (!face)
        return QString();
    // Qt on Linux speaks a list box by its entry, and its name is the
    // caption tied to it.
    if (face->role() == QAccessible::ComboBox) {
        const auto labels = face->relations(QAccessible::Label);
        if (!labels.isEmpty())
            return labels.first().first->text(QAccessible::Name);
    }
    return face->text(QAccessible::Name);
}

// Every control a user reaches in the window as it stands: what takes the
// keyboard, and the toolbar's buttons.
QList<QWidget *> reachable(QWidget *window)
{
    QList<QWidget *> found;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *widget : all) {
        if (!widget->isVisibleTo(window) || !widget->isEnabled())
            continue;
        // A combo box's editor speaks through its box.
        if (widget->focusProxy() || qobject_cast<QComboBox *>(widget->parentWidget()))
            continue;
        if ((widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QToolButton *>(widget))
            found.append(widget);
    }
    return found;
}

// "Text1: name" for every control whose name is empty or taken twice.
QStringList namingFaults(QWidget *window)
{
    QStringList faults;
    QHash<QString, QString> taken;
    for (QWidget *widget : reachable(window)) {
        const QString id = widget->objectName().isEmpty()
            ? QString::fromLatin1(widget->metaObject()->className())
            : widget->objectName();
        const QString name = nameOf(widget);
        if (name.trimmed().isEmpty())
            faults.append(id + QStringLiteral(": no name"));
        else if (taken.contains(name))
            faults.append(id + QStringLiteral(": \"") + name + QStringLiteral("\" as ")
                          + taken.value(name));
        else
            taken.insert(name, id);
    }
    return faults;
}

LoadedWindow windowIn(TemporarySettings &temp, Language language)
{
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), MarkerOfLanguage(language) } });
    return loadWindow(temp.settings());
}

// The dialog of that name in the language; null for any other name.
std::unique_ptr<QWidget> dialogNamed(const QString &name, TemporarySettings &temp,
                                     Language language)
{
    const QString marker = MarkerOfLanguage(language);
    if (name == u"Form3")
        return std::make_unique<OptionsDialog>(temp.settings(), marker);
    if (name == u"Form2")
        return std::make_unique<PictureDialog>(QDir::tempPath(), QStringLiteral("1"), marker);
    if (name == u"Password")
        return std::make_unique<PasswordPrompt>(temp.settings());
    if (name == u"frmAbout")
        return std::make_unique<AboutWindow>(QIcon(), nullptr);
    if (name == u"CalibrationDialog") {
        const PrinterPage a4 { QStringLiteral("Office"), QStringLiteral("A4"), QSizeF(210, 297),
                               QMarginsF(4, 4, 4, 4) };
        return std::make_unique<CalibrationDialog>(PrinterCorrections(temp.settings()), a4,
                                                   language);
    }
    if (name == u"HelpViewer") {
        auto viewer = std::make_unique<HelpViewer>();
        if (viewer->openHelp(qEnvironmentVariable("VELLUMARK_BINARY_DIR"), language))
            return viewer;
    }
    return nullptr;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlNamed_data();
    void everyControlNamed();
    void namesSayWhatControlsAreFor_data();
    void namesSayWhatControlsAreFor();
    void captionsAreBuddies();
    void pictureNamesFollowLoading();
    void statusMessageIsAnnounced();
    void tabReachesPicturesAndSpaceOpensThem();
    void screenReaderReadsTheWindow();
};

void AccessibilityTest::everyControlNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Language>("language");
    const char *windows[] = { "MdiForm1",          "Frame1",   "Form3",      "Form2",
                              "Password",          "frmAbout", "HelpViewer", "CalibrationDialog",
                              "PrintPreviewDialog" };
    for (const char *window : windows)
        for (Language language : { Language::Italian, Language::English, Language::German })
            QTest::addRow("%s %s", window, qPrintable(MarkerOfLanguage(language)))
                << QString::fromLatin1(window) << language;
}

void AccessibilityTest::everyControlNamed()
{
    QFETCH(QString, window);
    QFETCH(Language, language);
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, language);
    MainWindow *main = loaded.window.get();
    QStringList faults;
    if (window == u"PrintPreviewDialog") {
        bool seen = false;
        onNextModal<QWidget>(
            [&](QWidget *modal) {
                faults = namingFaults(modal);
                seen = true;
                modal->close();
                return true;
            },
            window);
        main->tools()->tool(QStringLiteral("ID_AnteprimaStampa"))->trigger();
        QTRY_VERIFY(seen);
    } else if (window == u"MdiForm1" || window == u"Frame1") {
        if (window == u"Frame1") {
            main->tools()->tool(QStringLiteral("ID_covers"))->trigger();
            QVERIFY(child<QWidget>(main, QStringLiteral("Frame1"))->isVisibleTo(main));
        }
        faults = namingFaults(main);
    } else {
        const auto dialog = dialogNamed(window, temp, language);
        QVERIFY(dialog);
        faults = namingFaults(dialog.get());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
}

void AccessibilityTest::namesSayWhatControlsAreFor_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("control"); // Dialog/control, or a control of the main window
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description"); // when the name alone is not enough
    const Language it = Language::Italian, en = Language::English, de = Language::German;
    const struct
    {
        Language language;
        const char *control, *name, *description;
    } rows[] = {
        { it, "Text1", "Larghezza cover A (cm)", "" },
        { en, "Text8", "Cover B vertical position (cm)", "" },
        { it, "Text7", "Posizione orizzontale cover B (cm)", "" },
        { de, "Text4", "Höhe Cover B (cm)", "" },
        { it, "List1", "Tipologia cover A", "Seleziona e clicca sulla tipologia di cover..." },
        { en, "List2", "Cover B typology", "" },
        { de, "Check2", "Zeichnen Sie Rand (Cover B)", "" },
        { en, "Check1", "Draw Edge (Cover A)", "" },
        { en, "Option4", "Print Cover B only", "" },
        { it, "Option5", "Stampa cover A e B", "" },
        { en, "Image1", "Cover A picture: none, press Space or click to load", "" },
        { it, "Image2", "Immagine cover B: nessuna, premi Spazio o fai clic per caricare", "" },
        { de, "Image7", "Bild DVD: keines, Leertaste drücken oder klicken zum Laden", "" },
        { en, "Command2", "Turn the DVD picture by 90°", "" },
        { en, "Option6", "DVD format 18,3 x 27,2 cm",
          "The whole cover of a DVD case, printed upright" },
        { de, "Option7", "DVD-Format 13,1 x 18,3 cm", "Nur die Vorderseite" },
        { en, "ID_covers", "Cover DVD", "Shows or hides the DVD panel" },
        { en, "left_to_right", "Copy the Cover A picture to Cover B", "" },
        { it, "Form3/Check1", "Conferma uscita dal programma...", "" },
        { en, "Form3/Text1", "Border size ( 1 to 10)...", "" },
        { de, "Form3/Check4", "Schnittmarken", "" },
        { de, "Form2/File1", "Dateien", "" },
        { it, "Form2/Combo1", "Tipo di file...", "" },
        { en, "Form2/Text1", "File name", "" },
        { it, "Password/Text1", "Password di Vellumark", "" },
    };
    for (const auto &row : rows) {
        QTest::addRow("%s %s", row.control, qPrintable(MarkerOfLanguage(row.language)))
            << row.language << QString::fromLatin1(row.control) << QString::fromUtf8(row.name)
            << QString::fromUtf8(row.description);
    }
}

void AccessibilityTest::namesSayWhatControlsAreFor()
{
    QFETCH(Language, language);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, language);
    MainWindow *main = loaded.window.get();
    const auto dialog = dialogNamed(control.section(u'/', 0, -2), temp, language);
    QWidget *window = dialog ? dialog.get() : main;
    QObject *target = child<QWidget>(window, control.section(u'/', -1));
    if (!target) // a tool: its button on the toolbar
        target = main->tools()->toolBar()->widgetForAction(main->tools()->tool(control));
    QVERIFY(target);
    auto describe = [target] {
        return QAccessible::queryAccessibleInterface(target)->text(QAccessible::Description);
    };
    QCOMPARE(nameOf(target), name);
    if (!description.isEmpty())
        QCOMPARE(describe(), description);

    // A switch to another language says it anew.
    if (!dialog) {
        main->applyLanguage(language == Language::German ? Language::English : Language::German);
        QVERIFY(nameOf(target) != name || describe() != description);
        main->applyLanguage(language);
        QCOMPARE(nameOf(target), name);
    }
}

void AccessibilityTest::captionsAreBuddies()
{
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, Language::English);
    const std::pair<const char *, const char *> captions[] = {
        { "Label6", "Text1" },  { "Label9", "Text4" },   { "Label12", "Text6" },
        { "Label14", "Text7" }, { "Label23", "Check2" }, { "Label20", "Image1" },
    };
    for (const auto &[caption, field] : captions) {
        QWidget *buddy = child<QLabel>(loaded.window.get(), QString::fromLatin1(caption))->buddy();
        QCOMPARE(buddy ? buddy->objectName() : QString(), QString::fromLatin1(field));
    }
}

void AccessibilityTest::pictureNamesFollowLoading()
{
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, Language::English);
    MainWindow *main = loaded.window.get();
    QWidget *image1 = child<QWidget>(main, QStringLiteral("Image1"));
    QWidget *image2 = child<QWidget>(main, QStringLiteral("Image2"));
    const QString file = QDir(temp.root()).filePath(QStringLiteral("front.jpg"));
    QVERIFY(writeBytes(file, encoded(twoColourPicture(QSize(64, 48)), "jpeg")));

    // Dragged from a file manager and dropped on the box.
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(file) });
    QDragEnterEvent enter(image1->rect().center(), Qt::CopyAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(image1, &enter);
    QDropEvent drop(QPointF(image1->rect().center()), Qt::CopyAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(image1, &drop);
    QCOMPARE(nameOf(image1), QStringLiteral("Cover A picture: front.jpg, 64 × 48 pixels"));
    QCOMPARE(nameOf(image2), QStringLiteral("Cover B picture: none, press Space or click to load"));

    main->tools()->tool(QStringLiteral("left_to_right"))->trigger();
    QCOMPARE(nameOf(image2), QStringLiteral("Cover B picture: front.jpg, 64 × 48 pixels"));

    main->applyLanguage(Language::German);
    QCOMPARE(nameOf(image1), QStringLiteral("Bild Cover A: front.jpg, 64 × 48 Pixel"));
}

void AccessibilityTest::statusMessageIsAnnounced()
{
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, Language::English);
    MainWindow *main = loaded.window.get();
    static QStringList heard; // what screen readers are told of the status bar
    heard.clear();
    QAccessible::setActive(true);
    const auto previous = QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        QAccessibleInterface *face = event->accessibleInterface();
        if (event->type() == QAccessible::NameChanged && face && face->object()
            && face->object()->objectName() == u"StatusBar1")
            heard.append(face->text(QAccessible::Name));
    });
    {
        const ModalDialogCloser closer; // the PDF's file dialog, cancelled
        main->tools()->tool(QStringLiteral("ID_EsportaPDF"))->trigger();
    }
    QAccessible::installUpdateHandler(previous);
    const QString message = QStringLiteral("PDF export cancelled.");
    QCOMPARE(nameOf(child<QStatusBar>(main, QStringLiteral("StatusBar1"))), message);
    // Events reach a handler only while Qt's bridge is at work.
    if (!QAccessible::isActive())
        QSKIP(qPrintable(g_whyNoBridge));
    QVERIFY2(heard.contains(message), qPrintable(heard.join(u"; ")));
}

void AccessibilityTest::tabReachesPicturesAndSpaceOpensThem()
{
    VELLUMARK_REQUIRE_TOOLS(VirtualDisplay::missingTools());
    QVERIFY2(g_display, "Xvfb did not report its display");
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, Language::English);
    MainWindow *main = loaded.window.get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    const QString window = QString::number(main->winId());
    QVERIFY(g_display->focus(window));
    // Each picture comes right after its typology list, before the fields.
    const std::pair<const char *, QStringList> tabs[] = {
        { "List1", { QStringLiteral("Image1"), QStringLiteral("Text1") } },
        { "List2", { QStringLiteral("Image2") } },
    };
    for (const auto &[from, reached] : tabs) {
        QWidget *start = child<QWidget>(main, QString::fromLatin1(from));
        start->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), start);
        for (const QString &next : reached) {
            QVERIFY(g_display->pressKeys(window, { QStringLiteral("Tab") }));
            QTRY_COMPARE(QApplication::focusWidget()->objectName(), next);
        }
    }
    // Space on a picture opens it.
    QString opened;
    onNextModal([&opened](QWidget *modal) {
        opened = modal->objectName();
        modal->close();
        return true;
    });
    QVERIFY(g_display->pressKeys(window, { QStringLiteral("space") }));
    QTRY_COMPARE(opened, QStringLiteral("Form2"));
}

void AccessibilityTest::screenReaderReadsTheWindow()
{
    if (!QAccessible::isActive() || g_accessibilityBus.isEmpty())
        QSKIP(qPrintable(g_whyNoBridge));
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, Language::German);
    loaded.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(loaded.window.get()));

    // What a screen reader finds: the registry's applications, their
    // windows and the controls in them.
    QStringList names;
    readTree(QStringLiteral("org.a11y.atspi.Registry"),
             QStringLiteral("/org/a11y/atspi/accessible/root"), 8, names);
    QVERIFY2(names.contains(QStringLiteral("Breite Cover A (cm)")), qPrintable(names.join(u"; ")));
    QVERIFY(names.contains(
        QStringLiteral("Bild Cover B: keines, Leertaste drücken oder klicken zum Laden")));
}

int main(int argc, char **argv)
{
    // On a virtual display of its own the test presses real keys, and with
    // a session bus of its own Qt's bridge to screen readers runs as on a
    // desktop; without them it runs off screen and says which test it skips.
    VirtualDisplay display;
    QTemporaryDir runtimeFolder; // made for its owner alone
    QProcess bus;
    if (VirtualDisplay::missingTools().isEmpty() && display.start()) {
        qputenv("DISPLAY", display.name());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qunsetenv("WAYLAND_DISPLAY");
        g_display = &display;
        const QByteArray address = startSessionBus(bus, runtimeFolder.path());
        if (address.isEmpty()) {
            g_whyNoBridge = QStringLiteral("No session bus (dbus-daemon) for Qt's bridge");
        } else {
            // Started as a desktop does at login: Qt's bridge only looks
            // for a running one. ('unix:path=...',)
            g_accessibilityBus
                = callBus(QString::fromLatin1(address), QStringLiteral("org.a11y.Bus"),
                          QStringLiteral("/org/a11y/bus"),
                          { QStringLiteral("org.a11y.Bus.GetAddress") })
                      .section(u'\'', 1, 1);
            qputenv("DBUS_SESSION_BUS_ADDRESS", address);
            qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
            if (g_accessibilityBus.isEmpty())
                g_whyNoBridge = QStringLiteral("No screen readers' bus (at-spi2-core, gdbus)");
        }
    } else {
        g_whyNoBridge = QStringLiteral("No X display (Xvfb), the only platform with Qt's bridge");
    }
    QApplication app(argc, argv);
    // The bridge turns on once the screen readers' bus (at-spi2-core) answers.
    if (g_whyNoBridge.isEmpty() && !QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000))
        g_whyNoBridge = QStringLiteral("Qt's bridge did not start: no at-spi2-core bus");
    AccessibilityTest test;
    const int failures = QTest::qExec(&test, argc, argv);
    bus.terminate();
    bus.waitForFinished(5000);
    return failures;
}

#include "tst_accessibility.moc"
