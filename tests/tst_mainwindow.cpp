#include "app/mainwindow.h"
#include "logic/twips.h"
#include "testpictures.h"
#include "testsupport.h"
#include "widgets/lineitem.h"
#include "widgets/picturebox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace vellumark;
using namespace vellumark::test;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void captionAndFixedSize();
    void firstStartShowsStandardMeasures();
    void typologyFillsFields_data();
    void typologyFillsFields();
    void storedMeasuresAreShown();
    void emptyStoredVerticalGivesHeightOfA();
    void selectingInList2RewritesText8();
    void previewGeometryFollowsTypology_data();
    void previewGeometryFollowsTypology();
    void discLabelPreviewShowsTheRing();
    void noSelectionOnlyAlignsHint();
    void exitQuestion_data();
    void exitQuestion();
    void exitQuestionNoKeepsWindow();
};

namespace {

QString text(MainWindow *window, const char *name)
{
    return child<QLineEdit>(window, QString::fromLatin1(name))->text();
}

LineItem *line(MainWindow *window, const char *name)
{
    return child<LineItem>(window, QString::fromLatin1(name));
}

} // namespace

void MainWindowTest::captionAndFixedSize()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(window->windowTitle(), QStringLiteral("Vellumark 1.2013.4"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    const QSize before = window->size();
    window->resize(before + QSize(100, 100));
    QCOMPARE(window->size(), before);
    // The controls' area holds the whole composition.
    QWidget *area = window->centralWidget();
    QVERIFY(area->width() >= TwipsToPixels(5775));
    QVERIFY(area->height() >= TwipsToPixels(5880 + 255));
}

void MainWindowTest::firstStartShowsStandardMeasures()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(child<QComboBox>(window, QStringLiteral("List1"))->currentIndex(), 0);
    QCOMPARE(text(window, "Text1"), QStringLiteral("12.1"));
    QCOMPARE(text(window, "Text8"), QStringLiteral("14.1"));
}

void MainWindowTest::typologyFillsFields_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("slotA"); // Text1, Text2, Text5, Text6
    QTest::addColumn<QStringList>("slotB"); // Text3, Text4, Text7
    QTest::addColumn<QString>("text8");
    QTest::newRow("front") << 0 << QStringList { "12.1", "12.1", "2", "2" }
                           << QStringList { "12.1", "12.1", "2" } << "14.1";
    QTest::newRow("back") << 1 << QStringList { "15", "11.8", "2", "2" }
                          << QStringList { "15", "11.8", "2" } << "13.8";
    QTest::newRow("back without flaps") << 2 << QStringList { "13.7", "11.8", "2", "2" }
                                        << QStringList { "13.7", "11.8", "2" } << "13.8";
}

void MainWindowTest::typologyFillsFields()
{
    QFETCH(int, index);
    QFETCH(QStringList, slotA);
    QFETCH(QStringList, slotB);
    QFETCH(QString, text8);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("TipoCoverA"), QStringLiteral("-1") },
                { QStringLiteral("TipoCoverB"), QStringLiteral("-1") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(text(window, "Text1"), QString()); // no selection yet: nothing filled
    child<QComboBox>(window, QStringLiteral("List1"))->setCurrentIndex(index);
    QCOMPARE((QStringList { text(window, "Text1"), text(window, "Text2"), text(window, "Text5"),
                            text(window, "Text6") }),
             slotA);
    QCOMPARE(text(window, "Text8"), text8);
    child<QComboBox>(window, QStringLiteral("List2"))->setCurrentIndex(index);
    QCOMPARE((QStringList { text(window, "Text3"), text(window, "Text4"), text(window, "Text7") }),
             slotB);
    QCOMPARE(text(window, "Text8"), text8);
}

void MainWindowTest::storedMeasuresAreShown()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("02A"), QStringLiteral("12,5") },
                { QStringLiteral("04A"), QStringLiteral("2") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(text(window, "Text2"), QStringLiteral("12,5"));
    QCOMPARE(text(window, "Text8"), QStringLiteral("14"));
}

void MainWindowTest::emptyStoredVerticalGivesHeightOfA()
{
    TemporarySettings temp;
    temp.seed(
        { { QStringLiteral("About"), QStringLiteral("0") }, { QStringLiteral("04A"), QString() } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    QCOMPARE(text(window, "Text6"), QString());
    QCOMPARE(text(window, "Text8"), QStringLiteral("12.1"));
}

void MainWindowTest::selectingInList2RewritesText8()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("14B"), QStringLiteral("99") },
                { QStringLiteral("TipoCoverA"), QStringLiteral("1") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    auto *text8 = child<QLineEdit>(window, QStringLiteral("Text8"));
    text8->setText(QStringLiteral("typed"));
    child<QComboBox>(window, QStringLiteral("List2"))->setCurrentIndex(1);
    QCOMPARE(text8->text(), QStringLiteral("13.8"));
}

void MainWindowTest::previewGeometryFollowsTypology_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("image1Width");
    QTest::addColumn<int>("line33X2");
    QTest::addColumn<int>("line36X");
    QTest::addColumn<int>("image2Left");
    QTest::addColumn<int>("image2Width");
    QTest::addColumn<int>("line40X1");
    QTest::addColumn<int>("line39X");
    QTest::newRow("front") << 0 << 2295 << 2640 << 2640 << 3240 << 2295 << 3120 << 3120;
    QTest::newRow("back") << 1 << 2535 << 2880 << 2870 << 3000 << 2535 << 2880 << 2890;
    QTest::newRow("back without flaps")
        << 2 << 2415 << 2760 << 2760 << 3120 << 2415 << 3000 << 3000;
    QTest::newRow("disc label, square")
        << 3 << 2295 << 2640 << 2640 << 3240 << 2295 << 3120 << 3120;
}

void MainWindowTest::previewGeometryFollowsTypology()
{
    QFETCH(int, index);
    QFETCH(int, image1Width);
    QFETCH(int, line33X2);
    QFETCH(int, line36X);
    QFETCH(int, image2Left);
    QFETCH(int, image2Width);
    QFETCH(int, line40X1);
    QFETCH(int, line39X);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    child<QComboBox>(window, QStringLiteral("List1"))->setCurrentIndex(index);
    child<QComboBox>(window, QStringLiteral("List2"))->setCurrentIndex(index);

    auto *image1 = child<PictureBox>(window, QStringLiteral("Image1"));
    QCOMPARE(image1->geometry(), TwipsRect(240, 240, image1Width, 2295));
    auto *label20 = child<QLabel>(window, QStringLiteral("Label20"));
    QCOMPARE(label20->x(), image1->x());
    QCOMPARE(label20->width(), image1->width());
    QCOMPARE(line(window, "Line33")->x2(), line33X2);
    QCOMPARE(line(window, "Line35")->x2(), line33X2);
    QCOMPARE(line(window, "Line36")->x1(), line36X);
    QCOMPARE(line(window, "Line36")->x2(), line36X);

    auto *image2 = child<PictureBox>(window, QStringLiteral("Image2"));
    QCOMPARE(image2->geometry(), TwipsRect(image2Left, 240, image2Width, 2295));
    auto *label21 = child<QLabel>(window, QStringLiteral("Label21"));
    QCOMPARE(label21->x(), image2->x());
    QCOMPARE(label21->width(), image2->width());
    QCOMPARE(line(window, "Line40")->x1(), line40X1);
    QCOMPARE(line(window, "Line38")->x1(), line40X1);
    QCOMPARE(line(window, "Line39")->x1(), line39X);
    QCOMPARE(line(window, "Line39")->x2(), line39X);
}

void MainWindowTest::discLabelPreviewShowsTheRing()
{
    // An 11.7 cm label with a 4.1 cm hole: the ring runs from 0.175 to 0.5
    // of the preview's width out from its centre.
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("TipoCoverA"), QStringLiteral("3") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    auto *image1 = child<PictureBox>(window, QStringLiteral("Image1"));
    image1->setPicture(solid(Qt::red, QSize(20, 20)));
    // Whether the preview shows red at the given shares of its width and height.
    const auto redAt = [&](double x, double y = 0.5) {
        const QImage shot = image1->grab().toImage();
        return shot.pixel(int(x * shot.width()), int(y * shot.height())) == qRgb(255, 0, 0);
    };
    // The hole, the ring, two corners.
    QVERIFY(!redAt(0.5) && !redAt(0.65) && redAt(0.75) && redAt(0.95));
    QVERIFY(!redAt(0.02, 0.02) && !redAt(0.98, 0.98));

    // Twice as wide a label keeps its 4.1 cm hole: 0.0875 of the width out.
    auto *text1 = child<QLineEdit>(window, QStringLiteral("Text1"));
    text1->selectAll();
    QTest::keyClicks(text1, QStringLiteral("23.4"));
    QVERIFY(!redAt(0.57) && redAt(0.65));

    // Another typology shows the whole picture.
    child<QComboBox>(window, QStringLiteral("List1"))->setCurrentIndex(0);
    QVERIFY(redAt(0.5) && redAt(0.02, 0.02));
}

void MainWindowTest::noSelectionOnlyAlignsHint()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("TipoCoverA"), QStringLiteral("1") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    auto *list1 = child<QComboBox>(window, QStringLiteral("List1"));
    auto *text1 = child<QLineEdit>(window, QStringLiteral("Text1"));
    text1->setText(QStringLiteral("kept"));
    list1->setCurrentIndex(-1);
    QCOMPARE(text1->text(), QStringLiteral("kept"));
    QCOMPARE(child<PictureBox>(window, QStringLiteral("Image1"))->width(), TwipsToPixels(2535));
    QCOMPARE(line(window, "Line36")->x1(), 2870);
}

void MainWindowTest::exitQuestion_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("question"); // empty: no question
    QTest::newRow("missing asks") << false << QString() << "Italiano"
                                  << "Uscire da Vellumark ?";
    QTest::newRow("0 does not ask") << true << "0"
                                    << "Italiano" << QString();
    QTest::newRow("1 asks") << true << "1"
                            << "Italiano"
                            << "Uscire da Vellumark ?";
    QTest::newRow("2 asks") << true << "2"
                            << "Italiano"
                            << "Uscire da Vellumark ?";
    QTest::newRow("abc does not ask") << true << "abc"
                                      << "Italiano" << QString();
    QTest::newRow("english") << true << "1"
                             << "Inglese"
                             << "Exit of Vellumark ?";
    QTest::newRow("german") << true << "1"
                            << "Tedesco"
                            << "Ausgang von Vellumark ?";
    QTest::newRow("other language") << true << "1"
                                    << "Spagnolo"
                                    << "Exit of Vellumark ?";
}

void MainWindowTest::exitQuestion()
{
    QFETCH(bool, present);
    QFETCH(QString, uscita);
    QFETCH(QString, language);
    QFETCH(QString, question);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Lingua"), language } });
    if (present)
        temp.settings().setText(QStringLiteral("Uscita"), uscita);
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QString shown;
    if (!question.isEmpty())
        answerNextMessageBox(QMessageBox::Yes, &shown);
    window->close();
    QTRY_COMPARE(*loaded.endCount, 1);
    QCOMPARE(shown, question);
    QVERIFY(!window->isVisible());
}

void MainWindowTest::exitQuestionNoKeepsWindow()
{
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("About"), QStringLiteral("0") },
                { QStringLiteral("Uscita"), QStringLiteral("1") },
                { QStringLiteral("TipoCoverA"), QStringLiteral("1") } });
    LoadedWindow loaded = loadWindow(temp.settings());
    MainWindow *window = loaded.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *text1 = child<QLineEdit>(window, QStringLiteral("Text1"));
    text1->setText(QStringLiteral("33"));
    const QRect geometry = window->geometry();
    QString asked;
    answerNextMessageBox(QMessageBox::No, &asked);
    window->close();
    QVERIFY(!asked.isEmpty()); // the question was asked and answered
    QVERIFY(waitForQueuedEvents());
    QVERIFY(window->isVisible());
    QCOMPARE(*loaded.endCount, 0);
    QCOMPARE(text1->text(), QStringLiteral("33"));
    QCOMPARE(window->geometry(), geometry);
    // Nothing was written: the typology stored is still the seeded one.
    QCOMPARE(temp.settings().text(QStringLiteral("Lingua"), QStringLiteral("?")),
             QStringLiteral("?"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
