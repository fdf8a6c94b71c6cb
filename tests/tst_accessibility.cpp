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
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

// A call on the screen readers' bus through gdbus, while this program's
// event loop runs on, so that its own bridge can answer; gdbus's answer.
QString askAccessibilityBus(const QString &destination, const QString &path,
                            const QStringList &method)
{
    QProcess call;
    QEventLoop loop;
    QObject::connect(&call, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    call.start(QStandardPaths::findExecutable(QStringLiteral("gdbus")),
               QStringList { QStringLiteral("call"), QStringLiteral("--address"),
                             g_accessibilityBus, QStringLiteral("--dest"), destination,
                             QStringLiteral("--object-path"), path, QStringLiteral("--method") }
                   + method);
    loop.exec();
    return QString::fromUtf8(call.readAllStandardOutput());
}

// The names of everything below an object on the screen readers' bus.
void readTree(const QString &destination, const QString &path, int depth, QStringList &names)
{
    const QString name = askAccessibilityBus(
        destination, path,
        { QStringLiteral("org.freedesktop.DBus.Properties.Get"),
          QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("Name") });
    // (<'name'>,), or in double quotes when the name holds an apostrophe
    const QString answer = name.trimmed();
    if (answer.size() >= 7)
        names.append(answer.mid(3, answer.size() - 7));
    if (depth == 0)
        return;
    static const QRegularExpression child(
        QStringLiteral("\\('([^']+)', (?:objectpath )?'([^']+)'\\)"));
    const QString children = askAccessibilityBus(
        destination, path, { QStringLiteral("org.a11y.atspi.Accessible.GetChildren") });
    for (const QRegularExpressionMatch &match : child.globalMatch(children))
        readTree(match.captured(1), match.captured(2), depth - 1, names);
}

// A session bus of the test's own, on which the screen readers' bus starts
// when asked for; its address, or empty when none could be started. Both
// keep their sockets in the runtime folder given, away from a desktop's.
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
    if (!bus.waitForStarted(5000))
        return QByteArray();
    QElapsedTimer clock;
    clock.start();
    while (!bus.canReadLine() && clock.elapsed() < 10000)
        bus.waitForReadyRead(200);
    return bus.readLine().trimmed();
}

// Starts the screen readers' bus on the session bus, as a desktop does at
// login (Qt's bridge only looks for a running one); its address, or empty.
QString startAccessibilityBus(const QByteArray &sessionAddress)
{
    QProcess call;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QString::fromLatin1(sessionAddress));
    call.setProcessEnvironment(environment);
    call.start(QStandardPaths::findExecutable(QStringLiteral("gdbus")),
               { QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                 QStringLiteral("org.a11y.Bus"), QStringLiteral("--object-path"),
                 QStringLiteral("/org/a11y/bus"), QStringLiteral("--method"),
                 QStringLiteral("org.a11y.Bus.GetAddress") });
    if (!call.waitForFinished(10000) || call.exitCode() != 0)
        return QString();
    // ('unix:path=...',)
    return QString::fromUtf8(call.readAllStandardOutput()).section(u'\'', 1, 1);
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

QString markerOf(int language)
{
    return MarkerOfLanguage(Language(language));
}

LoadedWindow windowIn(TemporarySettings &temp, int language)
{
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), markerOf(language) } });
    return loadWindow(temp.settings());
}

PrinterPage a4()
{
    return { QStringLiteral("Office"), QStringLiteral("A4"), QSizeF(210, 297),
             QMarginsF(4, 4, 4, 4) };
}

std::unique_ptr<QMimeData> filesData(const QStringList &paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

// A drag of one file from a file manager, dropped on the box.
void dropFile(QWidget *box, const QString &path)
{
    const auto data = filesData({ path });
    QDragEnterEvent enter(box->rect().center(), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QDropEvent drop(QPointF(box->rect().center()), Qt::CopyAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
}

// The events raised while it lives, with the name of their object then.
class RaisedEvents
{
public:
    RaisedEvents()
    {
        s_events.clear();
        QAccessible::setActive(true);
        m_previous = QAccessible::installUpdateHandler(&RaisedEvents::record);
    }
    ~RaisedEvents() { QAccessible::installUpdateHandler(m_previous); }

    static QStringList namesOf(const QString &objectName)
    {
        QStringList names;
        for (const auto &[object, name] : s_events)
            if (object == objectName)
                names.append(name);
        return names;
    }

private:
    static void record(QAccessibleEvent *event)
    {
        QAccessibleInterface *face = event->accessibleInterface();
        if (event->type() == QAccessible::NameChanged && face && face->object())
            s_events.append({ face->object()->objectName(), face->text(QAccessible::Name) });
    }

    static inline QList<std::pair<QString, QString>> s_events;
    QAccessible::UpdateHandler m_previous = nullptr;
};

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlNamed_data();
    void everyControlNamed();
    void namesSayWhatControlsAreFor_data();
    void namesSayWhatControlsAreFor();
    void captionsAreBuddies_data();
    void captionsAreBuddies();
    void passwordFieldIsAPassword();
    void pictureNamesFollowLoading();
    void picturesFollowTheirListInTabOrder();
    void statusMessageIsAnnounced();
    void spaceOnAPictureOpensIt();
    void screenReaderReadsTheWindow();
};

void AccessibilityTest::everyControlNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("language");
    const char *windows[] = { "MdiForm1",          "Frame1",   "Form3",      "Form2",
                              "Password",          "frmAbout", "HelpViewer", "CalibrationDialog",
                              "PrintPreviewDialog" };
    const std::pair<const char *, Language> languages[] = {
        { "Italian", Language::Italian },
        { "English", Language::English },
        { "German", Language::German },
    };
    for (const char *window : windows)
        for (const auto &[tag, language] : languages)
            QTest::addRow("%s %s", window, tag) << QString::fromLatin1(window) << int(language);
}

void AccessibilityTest::everyControlNamed()
{
    QFETCH(QString, window);
    QFETCH(int, language);
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, language);
    MainWindow *main = loaded.window.get();
    const QString marker = markerOf(language);
    QStringList faults;
    if (window == u"MdiForm1") {
        faults = namingFaults(main);
    } else if (window == u"Frame1") {
        main->tools()->tool(QStringLiteral("ID_covers"))->trigger();
        QVERIFY(child<QWidget>(main, QStringLiteral("Frame1"))->isVisibleTo(main));
        faults = namingFaults(main);
    } else if (window == u"Form3") {
        OptionsDialog dialog(temp.settings(), marker);
        faults = namingFaults(&dialog);
    } else if (window == u"Form2") {
        PictureDialog dialog(QDir::tempPath(), QStringLiteral("1"), marker);
        faults = namingFaults(&dialog);
    } else if (window == u"Password") {
        PasswordPrompt dialog(temp.settings());
        faults = namingFaults(&dialog);
    } else if (window == u"frmAbout") {
        AboutWindow dialog(QIcon(), nullptr);
        faults = namingFaults(&dialog);
    } else if (window == u"HelpViewer") {
        HelpViewer dialog;
        QVERIFY(dialog.openHelp(qEnvironmentVariable("VELLUMARK_BINARY_DIR"), Language(language)));
        faults = namingFaults(&dialog);
    } else if (window == u"CalibrationDialog") {
        CalibrationDialog dialog(PrinterCorrections(temp.settings()), a4(), Language(language));
        faults = namingFaults(&dialog);
    } else {
        bool seen = false;
        onNextModal([&](QWidget *modal) {
            if (modal->objectName() != window)
                return false;
            faults = namingFaults(modal);
            seen = true;
            modal->close();
            return true;
        });
        main->tools()->tool(QStringLiteral("ID_AnteprimaStampa"))->trigger();
        QTRY_VERIFY(seen);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
}

void AccessibilityTest::namesSayWhatControlsAreFor_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description"); // when the name alone is not enough
    const int it = int(Language::Italian);
    const int en = int(Language::English);
    const int de = int(Language::German);
    QTest::newRow("Text1 it") << it << "Text1"
                              << "Larghezza cover A (cm)"
                              << "";
    QTest::newRow("Text1 en") << en << "Text1"
                              << "Cover A width (cm)"
                              << "";
    QTest::newRow("Text1 de") << de << "Text1"
                              << "Breite Cover A (cm)"
                              << "";
    QTest::newRow("Text8 en") << en << "Text8"
                              << "Cover B vertical position (cm)"
                              << "";
    QTest::newRow("Text7 it") << it << "Text7"
                              << "Posizione orizzontale cover B (cm)"
                              << "";
    QTest::newRow("Text4 de") << de << "Text4"
                              << "Höhe Cover B (cm)"
                              << "";
    QTest::newRow("List1 it") << it << "List1"
                              << "Tipologia cover A"
                              << "Seleziona e clicca sulla tipologia di cover...";
    QTest::newRow("List2 en") << en << "List2"
                              << "Cover B typology"
                              << "";
    QTest::newRow("Check2 de") << de << "Check2"
                               << "Zeichnen Sie Rand (Cover B)"
                               << "";
    QTest::newRow("Check1 en") << en << "Check1"
                               << "Draw Edge (Cover A)"
                               << "";
    QTest::newRow("Option4 en") << en << "Option4"
                                << "Print Cover B only"
                                << "";
    QTest::newRow("Option5 it") << it << "Option5"
                                << "Stampa cover A e B"
                                << "";
    QTest::newRow("Image1 en") << en << "Image1"
                               << "Cover A picture: none, press Space or click to load"
                               << "";
    QTest::newRow("Image2 it") << it << "Image2"
                               << "Immagine cover B: nessuna, premi Spazio o fai clic per caricare"
                               << "";
    QTest::newRow("Image7 de") << de << "Image7"
                               << "Bild DVD: keines, Leertaste drücken oder klicken zum Laden"
                               << "";
    QTest::newRow("Command2 en") << en << "Command2"
                                 << "Turn the DVD picture by 90°"
                                 << "";
    QTest::newRow("Option7 it") << it << "Option7"
                                << "Formato DVD 13,1 x 18,3 cm"
                                << "";
    QTest::newRow("Option6 en") << en << "Option6"
                                << "DVD format 18,3 x 27,2 cm"
                                << "The whole cover of a DVD case, printed upright";
    QTest::newRow("Option7 de") << de << "Option7"
                                << "DVD-Format 13,1 x 18,3 cm"
                                << "Nur die Vorderseite";
    QTest::newRow("ID_covers en") << en << "ID_covers"
                                  << "Cover DVD"
                                  << "Shows or hides the DVD panel";
    QTest::newRow("left_to_right en") << en << "left_to_right"
                                      << "Copy the Cover A picture to Cover B"
                                      << "";
    QTest::newRow("Form3 Check1 it") << it << "Form3/Check1"
                                     << "Conferma uscita dal programma..."
                                     << "";
    QTest::newRow("Form3 Text1 en") << en << "Form3/Text1"
                                    << "Border size ( 1 to 10)..."
                                    << "";
    QTest::newRow("Form3 Check4 de") << de << "Form3/Check4"
                                     << "Schnittmarken"
                                     << "";
    QTest::newRow("Form2 File1 de") << de << "Form2/File1"
                                    << "Dateien"
                                    << "";
    QTest::newRow("Form2 Combo1 it") << it << "Form2/Combo1"
                                     << "Tipo di file..."
                                     << "";
    QTest::newRow("Form2 Text1 en") << en << "Form2/Text1"
                                    << "File name"
                                    << "";
    QTest::newRow("Password Text1") << it << "Password/Text1"
                                    << "Password di Vellumark"
                                    << "";
}

void AccessibilityTest::namesSayWhatControlsAreFor()
{
    QFETCH(int, language);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, language);
    MainWindow *main = loaded.window.get();
    const QString dialogName = control.section(u'/', 0, 0);
    const QString controlName = control.section(u'/', -1);
    std::unique_ptr<QWidget> dialog;
    if (dialogName == u"Form3")
        dialog = std::make_unique<OptionsDialog>(temp.settings(), markerOf(language));
    else if (dialogName == u"Form2")
        dialog = std::make_unique<PictureDialog>(QDir::tempPath(), QStringLiteral("1"),
                                                 markerOf(language));
    else if (dialogName == u"Password")
        dialog = std::make_unique<PasswordPrompt>(temp.settings());
    QWidget *window = dialog ? dialog.get() : main;

    QObject *target = child<QWidget>(window, controlName);
    if (!target) // a tool: its button on the toolbar
        target = main->tools()->toolBar()->widgetForAction(main->tools()->tool(controlName));
    QVERIFY(target);
    auto describe = [target] {
        return QAccessible::queryAccessibleInterface(target)->text(QAccessible::Description);
    };
    QCOMPARE(nameOf(target), name);
    if (!description.isEmpty())
        QCOMPARE(describe(), description);

    // A switch to another language says it anew.
    if (!dialog) {
        const Language other
            = Language(language) == Language::German ? Language::English : Language::German;
        main->applyLanguage(other);
        QVERIFY(nameOf(target) != name || describe() != description);
        main->applyLanguage(Language(language));
        QCOMPARE(nameOf(target), name);
    }
}

void AccessibilityTest::captionsAreBuddies_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::newRow("Label6") << "Label6"
                            << "Text1";
    QTest::newRow("Label9") << "Label9"
                            << "Text4";
    QTest::newRow("Label12") << "Label12"
                             << "Text6";
    QTest::newRow("Label14") << "Label14"
                             << "Text7";
    QTest::newRow("Label23") << "Label23"
                             << "Check2";
    QTest::newRow("Label20") << "Label20"
                             << "Image1";
}

void AccessibilityTest::captionsAreBuddies()
{
    QFETCH(QString, caption);
    QFETCH(QString, field);
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, int(Language::English));
    QWidget *buddy = child<QLabel>(loaded.window.get(), caption)->buddy();
    QVERIFY(buddy);
    QCOMPARE(buddy->objectName(), field);
}

void AccessibilityTest::passwordFieldIsAPassword()
{
    TemporarySettings temp;
    PasswordPrompt dialog(temp.settings());
    QAccessibleInterface *face
        = QAccessible::queryAccessibleInterface(child<QWidget>(&dialog, QStringLiteral("Text1")));
    QVERIFY(face);
    QVERIFY(face->state().passwordEdit);
    QCOMPARE(face->role(), QAccessible::EditableText);
}

void AccessibilityTest::pictureNamesFollowLoading()
{
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, int(Language::English));
    MainWindow *main = loaded.window.get();
    QWidget *image1 = child<QWidget>(main, QStringLiteral("Image1"));
    QWidget *image2 = child<QWidget>(main, QStringLiteral("Image2"));
    const QString file = QDir(temp.root()).filePath(QStringLiteral("front.jpg"));
    QVERIFY(writeBytes(file, encoded(twoColourPicture(QSize(64, 48)), "jpeg")));

    dropFile(image1, file);
    QCOMPARE(nameOf(image1), QStringLiteral("Cover A picture: front.jpg, 64 × 48 pixels"));
    QCOMPARE(nameOf(image2), QStringLiteral("Cover B picture: none, press Space or click to load"));

    main->tools()->tool(QStringLiteral("left_to_right"))->trigger();
    QCOMPARE(nameOf(image2), QStringLiteral("Cover B picture: front.jpg, 64 × 48 pixels"));

    main->applyLanguage(Language::German);
    QCOMPARE(nameOf(image1), QStringLiteral("Bild Cover A: front.jpg, 64 × 48 Pixel"));
}

void AccessibilityTest::picturesFollowTheirListInTabOrder()
{
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, int(Language::English));
    MainWindow *main = loaded.window.get();
    // The next control Tab reaches.
    auto next = [main](const char *name) {
        QWidget *widget = child<QWidget>(main, QString::fromLatin1(name))->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(main))
            widget = widget->nextInFocusChain();
        return widget->objectName();
    };
    QCOMPARE(next("List1"), QStringLiteral("Image1"));
    QCOMPARE(next("Image1"), QStringLiteral("Text1"));
    QCOMPARE(next("List2"), QStringLiteral("Image2"));
}

void AccessibilityTest::statusMessageIsAnnounced()
{
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, int(Language::English));
    MainWindow *main = loaded.window.get();
    const RaisedEvents events;
    {
        const ModalDialogCloser closer; // the PDF's file dialog, cancelled
        main->tools()->tool(QStringLiteral("ID_EsportaPDF"))->trigger();
    }
    const QString message = QStringLiteral("PDF export cancelled.");
    QCOMPARE(nameOf(child<QStatusBar>(main, QStringLiteral("StatusBar1"))), message);
    // Events reach a handler only while Qt's bridge is at work.
    if (!QAccessible::isActive())
        QSKIP(qPrintable(g_whyNoBridge));
    QVERIFY2(RaisedEvents::namesOf(QStringLiteral("StatusBar1")).contains(message),
             qPrintable(RaisedEvents::namesOf(QStringLiteral("StatusBar1")).join(u"; ")));
}

void AccessibilityTest::spaceOnAPictureOpensIt()
{
    if (!g_display)
        QSKIP("No virtual display (Xvfb, xdotool) to press real keys on");
    TemporarySettings temp;
    LoadedWindow loaded = windowIn(temp, int(Language::English));
    MainWindow *main = loaded.window.get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    const QString window = QString::number(main->winId());
    QWidget *list1 = child<QWidget>(main, QStringLiteral("List1"));
    QVERIFY(g_display->focus(window));
    list1->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), list1);

    // Tab from the list reaches the picture; Space opens it.
    QVERIFY(g_display->pressKeys(window, { QStringLiteral("Tab") }));
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Image1"));
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
    LoadedWindow loaded = windowIn(temp, int(Language::German));
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
            g_accessibilityBus = startAccessibilityBus(address);
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
