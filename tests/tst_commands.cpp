#include "app/mainwindow.h"
#include "app/toolcommands.h"
#include "app/toolset.h"
#include "logic/texts/maintexts.h"
#include "logic/twips.h"
#include "testsupport.h"
#include "widgets/backgroundshape.h"
#include "widgets/picturebox.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vellumark;
using namespace vellumark::test;

class CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void arrangement_data();
    void arrangement();
    void everyToolIsAnAction();
    void everyToolHasACommandAndCaptions_data();
    void everyToolHasACommandAndCaptions();
    void toolBarPicturesScale();
    void exclusiveGroupsAndInitialStates();
    void dvdPanelShownAndHidden();
    void copyTools_data();
    void copyTools();
    void skinTools_data();
    void skinTools();
    void releasedSkinToolChangesNothing();
    void openStyleTools();
    void removeBackgroundWithoutOne();
    void backgroundPictureCancelledOrUnreadable_data();
    void backgroundPictureCancelledOrUnreadable();
    void colourDialog_data();
    void colourDialog();
    void unknownToolDoesNothing();
    void optionsReRunsBothSelections();
    void exitCommandRunsExitSequence();
    void tabOrderFollowsLayout();
    void menusOpenFromKeyboard_data();
    void menusOpenFromKeyboard();
    void shortcutsOpenTheirDialogs_data();
    void shortcutsOpenTheirDialogs();
    void toolbarToolsHaveMenuEntries_data();
    void toolbarToolsHaveMenuEntries();
    void dvdPanelFromTheKeyboard();

private:
    QAction *tool(const QString &id) { return m_window->tools()->tool(id); }
    template<typename T>
    T *control(const char *name)
    {
        return child<T>(m_window, QString::fromLatin1(name));
    }

    std::unique_ptr<TemporarySettings> m_temp;
    LoadedWindow m_loaded;
    MainWindow *m_window = nullptr;
};

void CommandsTest::init()
{
    m_temp = std::make_unique<TemporarySettings>();
    m_temp->seed({ { QStringLiteral("About"), QStringLiteral("0") },
                   { QStringLiteral("Uscita"), QStringLiteral("0") },
                   { QStringLiteral("Lingua"), QStringLiteral("Italiano") } });
    m_loaded = loadWindow(m_temp->settings());
    m_window = m_loaded.window.get();
}

void CommandsTest::cleanup()
{
    m_loaded = LoadedWindow();
    m_window = nullptr;
    m_temp.reset();
}

void CommandsTest::arrangement_data()
{
    QTest::addColumn<QString>("menu"); // empty: the toolbar
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("toolbar") << QString()
                             << QStringList {
                                    "ID_Menu",       "ID_Help", "|",         "left_to_right",
                                    "right_to_left", "|",       "ID_covers", "ID_Opzioni",
                                    "ID_Immagine",   "|",       "ID_Print"
                                };
    QTest::newRow("Menu") << "ID_Menu"
                          << QStringList {
                                 "ID_Print",   "ID_covers",   "left_to_right",      "right_to_left",
                                 "|",          "ID_Apertura", "ID_Lingua",          "ID_Opzioni",
                                 "ID_Skin",    "ID_Stampa",   "ID_AnteprimaStampa", "ID_EsportaPDF",
                                 "ID_Calibra", "|",           "ID_Uscita"
                             };
    QTest::newRow("Help") << "ID_Help" << QStringList { "ID_Guida", "|", "ID_Orvandi",
                                                        "ID_Email", "|", "ID_Informazioni" };
    QTest::newRow("open style") << "ID_Apertura" << QStringList { "ID_ApriPrew", "ID_ApriWin" };
    QTest::newRow("language") << "ID_Lingua"
                              << QStringList { "ID_Duch", "ID_English", "ID_Italiano" };
    QTest::newRow("skin") << "ID_Skin"
                          << QStringList { "ID_Skin0",  "ID_Skin1",  "ID_Skin2", "ID_Skin3",
                                           "ID_Skin4",  "ID_Skin5",  "ID_Skin6", "ID_Skin7",
                                           "|",         "ID_Colore", "|",        "ID_Immagine",
                                           "ID_Elimina" };
}

void CommandsTest::arrangement()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, expected);
    ToolSet *tools = m_window->tools();
    QCOMPARE(menu.isEmpty() ? tools->toolBarArrangement() : tools->menuArrangement(menu), expected);
}

void CommandsTest::everyToolIsAnAction()
{
    // Shared by the toolbar and the menus: one action per ID, found by name.
    const QStringList ids = m_window->tools()->ids();
    QVERIFY(!ids.isEmpty());
    for (const QString &id : ids) {
        const QList<QAction *> found = m_window->findChildren<QAction *>(id);
        QCOMPARE(found.size(), 1);
    }
    QCOMPARE(tool(QStringLiteral("left_to_right"))->text(), QStringLiteral("left_to_right"));
    QCOMPARE(tool(QStringLiteral("ID_covers"))->text(), QStringLiteral("Cover DVD"));
}

void CommandsTest::everyToolHasACommandAndCaptions_data()
{
    QTest::addColumn<QString>("id");
    QWidget window;
    const ToolSet tools(&window);
    for (const QString &id : tools.ids())
        QTest::newRow(qPrintable(id)) << id;
}

void CommandsTest::everyToolHasACommandAndCaptions()
{
    // A tool added to the tool set without its row in the dispatch table or
    // in a language's texts shows here.
    QFETCH(QString, id);
    QWidget window;
    const ToolSet tools(&window);
    if (!tools.menu(id))
        QVERIFY(ToolCommands::commandOf(id));
    for (Language language : { Language::Italian, Language::English, Language::German })
        QVERIFY2(!ToolCaption(language, id).isEmpty(), qPrintable(id));
}

void CommandsTest::toolBarPicturesScale()
{
    // The tools that show a picture on the toolbar have one at any size.
    const QStringList pictured = { "left_to_right", "right_to_left", "ID_covers",
                                   "ID_Opzioni",    "ID_Immagine",   "ID_Print" };
    for (const QString &id : pictured) {
        const QIcon icon = tool(id)->icon();
        QVERIFY2(!icon.isNull(), qPrintable(id));
        for (int side : { 16, 24, 48, 96 }) {
            const QImage image
                = icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(side, side));
            // Drawn at that size: a fair part of it is covered.
            int covered = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x)
                    covered += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
            }
            QVERIFY2(covered > side * side / 5, qPrintable(id));
        }
    }
}

void CommandsTest::exclusiveGroupsAndInitialStates()
{
    QVERIFY(tool(QStringLiteral("ID_Skin1"))->isChecked());
    QVERIFY(tool(QStringLiteral("ID_ApriPrew"))->isChecked());
    QVERIFY(!tool(QStringLiteral("ID_covers"))->isChecked());
    tool(QStringLiteral("ID_Skin6"))->trigger();
    int pressed = 0;
    for (int i = 0; i < 8; ++i)
        pressed += tool(QStringLiteral("ID_Skin%1").arg(i))->isChecked() ? 1 : 0;
    QCOMPARE(pressed, 1);
    tool(QStringLiteral("ID_ApriWin"))->trigger();
    QVERIFY(!tool(QStringLiteral("ID_ApriPrew"))->isChecked());
}

void CommandsTest::dvdPanelShownAndHidden()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    auto *frame = control<QFrame>("Frame1");
    QVERIFY(!frame->isVisible());
    tool(QStringLiteral("ID_covers"))->trigger();
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->geometry(), TwipsRect(120, 60, 5535, 5730));
    tool(QStringLiteral("ID_covers"))->trigger();
    QVERIFY(!frame->isVisible());
    // The fields are usable again.
    auto *text1 = control<QLineEdit>("Text1");
    QVERIFY(text1->isVisible());
    text1->setFocus();
    text1->selectAll();
    QTest::keyClicks(text1, QStringLiteral("9"));
    QCOMPARE(text1->text(), QStringLiteral("9"));
}

void CommandsTest::copyTools_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("from");
    QTest::addColumn<QStringList>("to");
    QTest::newRow("left to right") << "left_to_right" << QStringList { "Image1" }
                                   << QStringList { "Image2", "Image5", "Image6" };
    QTest::newRow("right to left") << "right_to_left" << QStringList { "Image2" }
                                   << QStringList { "Image1", "Image3", "Image4" };
}

void CommandsTest::copyTools()
{
    QFETCH(QString, id);
    QFETCH(QStringList, from);
    QFETCH(QStringList, to);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QImage other(10, 10, QImage::Format_RGB32);
    other.fill(Qt::red);
    for (const QString &name : to)
        child<PictureBox>(m_window, name)->setPicture(other);
    child<PictureBox>(m_window, from.first())->setPicture(picture);
    tool(id)->trigger();
    for (const QString &name : to)
        QCOMPARE(child<PictureBox>(m_window, name)->picture().screenCopy(), picture);

    // An empty slot copies emptiness.
    child<PictureBox>(m_window, from.first())->clearPicture();
    tool(id)->trigger();
    for (const QString &name : to)
        QVERIFY(!child<PictureBox>(m_window, name)->hasPicture());
}

void CommandsTest::skinTools_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("brush");
    const Qt::BrushStyle brushes[]
        = { Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
            Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern };
    for (int i = 0; i < 8; ++i)
        QTest::addRow("ID_Skin%d", i) << i << int(brushes[i]);
}

void CommandsTest::skinTools()
{
    QFETCH(int, style);
    QFETCH(int, brush);
    auto *shape = control<BackgroundShape>("Shape1");
    tool(QStringLiteral("ID_Skin%1").arg(style))->trigger();
    QCOMPARE(shape->fillStyle(), style);
    QCOMPARE(int(BackgroundShape::brushStyleFor(style)), brush);
    // Clicking the pressed tool again keeps the pattern.
    tool(QStringLiteral("ID_Skin%1").arg(style))->trigger();
    QCOMPARE(shape->fillStyle(), style);
}

void CommandsTest::releasedSkinToolChangesNothing()
{
    auto *shape = control<BackgroundShape>("Shape1");
    tool(QStringLiteral("ID_Skin3"))->trigger();
    // A tool whose state after the click is released leaves the pattern.
    QAction released;
    released.setObjectName(QStringLiteral("ID_Skin6"));
    released.setCheckable(true);
    released.setChecked(false);
    m_window->dispatchTool(&released);
    QCOMPARE(shape->fillStyle(), 3);
}

void CommandsTest::openStyleTools()
{
    tool(QStringLiteral("ID_ApriWin"))->trigger();
    QVERIFY(!m_window->state().openWithPreview);
    tool(QStringLiteral("ID_ApriPrew"))->trigger();
    QVERIFY(m_window->state().openWithPreview);
}

void CommandsTest::removeBackgroundWithoutOne()
{
    tool(QStringLiteral("ID_Elimina"))->trigger();
    QCOMPARE(m_window->state().backgroundPicture, QString());
    QVERIFY(m_window->backgroundPicture().isNull());
}

void CommandsTest::backgroundPictureCancelledOrUnreadable_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("unreadable file") << false;
}

void CommandsTest::backgroundPictureCancelledOrUnreadable()
{
    QFETCH(bool, cancel);
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("broken.SCI"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is no picture");
    file.close();
    const QString previous = m_window->state().backgroundPicture;
    QString filter;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return false;
        filter = dialog->nameFilters().value(0);
        if (cancel) {
            dialog->reject();
        } else {
            // Type the path into the name field, as a user would.
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(bad);
            static_cast<QDialog *>(dialog)->accept();
        }
        return true;
    });
    tool(QStringLiteral("ID_Immagine"))->trigger();
    QCOMPARE(filter, QStringLiteral("Skin Image (*.SCI)"));
    QCOMPARE(m_window->state().backgroundPicture, previous);
    QVERIFY(m_window->backgroundPicture().isNull());
}

void CommandsTest::colourDialog_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void CommandsTest::colourDialog()
{
    QFETCH(bool, confirm);
    auto *shape = control<BackgroundShape>("Shape1");
    QCOMPARE(shape->fillColor(), QColor(255, 0, 0));
    QColor startedAt;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        if (!dialog)
            return false;
        startedAt = dialog->currentColor();
        dialog->setCurrentColor(QColor(0, 128, 255));
        confirm ? dialog->accept() : dialog->reject();
        return true;
    });
    tool(QStringLiteral("ID_Colore"))->trigger();
    QCOMPARE(startedAt, QColor(255, 0, 0));
    QCOMPARE(shape->fillColor(), confirm ? QColor(0, 128, 255) : QColor(255, 0, 0));
}

void CommandsTest::unknownToolDoesNothing()
{
    auto *text1 = control<QLineEdit>("Text1");
    text1->setText(QStringLiteral("kept"));
    const int style = control<BackgroundShape>("Shape1")->fillStyle();
    for (const char *id : { "ID_Nothing", "ID_Menu", "ID_Skin", "ID_Skin8", "id_print", "" }) {
        QAction unknown;
        unknown.setObjectName(QString::fromLatin1(id));
        m_window->dispatchTool(&unknown);
    }
    m_window->dispatchTool(nullptr);
    QCOMPARE(text1->text(), QStringLiteral("kept"));
    QCOMPARE(control<BackgroundShape>("Shape1")->fillStyle(), style);
    QVERIFY(control<QFrame>("Frame1")->isHidden());
}

void CommandsTest::optionsReRunsBothSelections()
{
    auto *text1 = control<QLineEdit>("Text1");
    auto *text3 = control<QLineEdit>("Text3");
    text1->setText(QStringLiteral("typed"));
    text3->setText(QStringLiteral("typed"));
    // Whatever the options dialog shows, cancel it.
    onNextModal([](QWidget *modal) {
        if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
            return true;
        }
        return false;
    });
    tool(QStringLiteral("ID_Opzioni"))->trigger();
    QCOMPARE(text1->text(), QStringLiteral("12.1"));
    QCOMPARE(text3->text(), QStringLiteral("12.1"));
}

void CommandsTest::exitCommandRunsExitSequence()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    tool(QStringLiteral("ID_Uscita"))->trigger();
    QCOMPARE(*m_loaded.endCount, 1);
    QVERIFY(!m_window->isVisible());
    // The settings were written on the way out.
    QCOMPARE(m_temp->settings().text(QStringLiteral("Stampa"), QString()), QStringLiteral("C"));
}

void CommandsTest::tabOrderFollowsLayout()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->activateWindow();
    control<QWidget>("List1")->setFocus();
    QStringList visited { QApplication::focusWidget()->objectName() };
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    // Each slot's preview first: its menu opens from the keyboard.
    QCOMPARE(visited,
             (QStringList { "List1", "Image1", "Text1", "Text2", "Text5", "Text6", "Check1",
                            "List2", "Image2", "Text3", "Text4", "Text7", "Text8", "Check2",
                            "Option5", "List1" }));

    // B only: Tab from slot B's border box lands on B's button.
    QTest::mouseClick(control<QWidget>("Option4"), Qt::LeftButton);
    control<QWidget>("Check2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option4"));
    // The arrow to the left chooses A+B, which stands left of B.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QVERIFY(control<QAbstractButton>("Option5")->isChecked());
    // Then round to slot A's list, the first stop.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("List1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Option5"));
}

void CommandsTest::menusOpenFromKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("menu");
    QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << "ID_Menu";
    QTest::newRow("Alt+M") << int(Qt::Key_M) << int(Qt::AltModifier) << "ID_Menu";
    QTest::newRow("Alt+H") << int(Qt::Key_H) << int(Qt::AltModifier) << "ID_Help";
}

void CommandsTest::menusOpenFromKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, menu);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->activateWindow();
    control<QWidget>("Text1")->setFocus();
    QMenu *popup = m_window->tools()->menu(menu);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(popup->isVisible());
    popup->hide();
}

void CommandsTest::shortcutsOpenTheirDialogs_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("Ctrl+Shift+P") << int(Qt::Key_P) << "PrintPreviewDialog";
    QTest::newRow("Ctrl+Shift+E") << int(Qt::Key_E) << "PdfDialog";
}

void CommandsTest::shortcutsOpenTheirDialogs()
{
    QFETCH(int, key);
    QFETCH(QString, dialog);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->activateWindow();
    control<QWidget>("Text1")->setFocus();
    const ModalDialogCloser closer;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(closer.closed(), QStringList { dialog });
}

void CommandsTest::toolbarToolsHaveMenuEntries_data()
{
    // The texts as the menu shows them, written out here by hand.
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("texts"); // Italian, English, German
    QTest::newRow("print") << "ID_Print"
                           << QStringList { "Stampa le cover", "Print the Covers",
                                            "Cover drucken" };
    QTest::newRow("DVD") << "ID_covers"
                         << QStringList { "Pannello Cover DVD", "DVD Cover Panel",
                                          "DVD-Cover-Ansicht" };
    QTest::newRow("A to B") << "left_to_right"
                            << QStringList { "Copia la cover A in B", "Copy Cover A to B",
                                             "Cover A nach B kopieren" };
    QTest::newRow("B to A") << "right_to_left"
                            << QStringList { "Copia la cover B in A", "Copy Cover B to A",
                                             "Cover B nach A kopieren" };
}

void CommandsTest::toolbarToolsHaveMenuEntries()
{
    QFETCH(QString, id);
    QFETCH(QStringList, texts);
    QAction *entry = m_window->tools()->menuEntry(id);
    QVERIFY(entry);
    QVERIFY(m_window->tools()->menu(QStringLiteral("ID_Menu"))->actions().contains(entry));
    for (Language language : { Language::Italian, Language::English, Language::German }) {
        m_window->applyLanguage(language);
        QCOMPARE(entry->text(), texts.at(int(language)));
    }
    if (id != u"ID_covers")
        return;
    // The toolbar keeps the tool's own caption; choosing the entry is
    // clicking the tool, and the entry shows its state.
    QCOMPARE(tool(id)->text(), QStringLiteral("Cover DVD"));
    entry->trigger();
    QVERIFY(tool(id)->isChecked() && entry->isChecked() && !control<QFrame>("Frame1")->isHidden());
    tool(id)->trigger();
    QVERIFY(!entry->isChecked() && control<QFrame>("Frame1")->isHidden());
}

void CommandsTest::dvdPanelFromTheKeyboard()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->activateWindow();
    control<QWidget>("Text1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(!control<QFrame>("Frame1")->isHidden());
    QStringList visited { QApplication::focusWidget()->objectName() };
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    // The covered CD layout takes no keys.
    QCOMPARE(visited, (QStringList { "Image7", "Option6", "Command2", "Image7" }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QVERIFY(control<QAbstractButton>("Option7")->isChecked());
    // Space on the picture, and the turn, are pressed in tst_keyboardrun.
    QTest::keyClick(control<QWidget>("Image7"), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(control<QFrame>("Frame1")->isHidden());
    QVERIFY(control<QWidget>("Text1")->isEnabled());
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
