// Printer calibration: the dialog's judgement of the measures, the storage
// of a correction per printer, and the calibration page as printed.
#include "logic/settings/printercorrectionstore.h"
#include "logic/texts/calibrationtexts.h"
#include "pagescan.h"
#include "print/calibrationdialog.h"
#include "print/printjob.h"
#include "testsupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vellumark;
using namespace vellumark::test;

class CalibrationTest : public QObject
{
    Q_OBJECT

private slots:
    void measuresAreJudged_data();
    void measuresAreJudged();
    void cancelStoresNothingAndResetRemoves();
    void correctionsAreKeptPerPrinter_data();
    void correctionsAreKeptPerPrinter();
    void firstStartWritesNoCalibration();
    void calibrationIsForAPrinter_data();
    void calibrationIsForAPrinter();
    void calibrationPageMeasures_data();
    void calibrationPageMeasures();
};

namespace {

const QString kPrinter = QStringLiteral("Test Printer");

PrinterPage a4(double margin)
{
    return { kPrinter, QStringLiteral("A4"), QSizeF(210, 297),
             QMarginsF(margin, margin, margin, margin) };
}

QLineEdit *field(QWidget *dialog, const char *name)
{
    return child<QLineEdit>(dialog, QString::fromLatin1(name));
}

void click(QWidget *dialog, const char *button)
{
    QTest::mouseClick(child<QPushButton>(dialog, QString::fromLatin1(button)), Qt::LeftButton);
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

const char *const kFields[] = { "RulerX", "RulerY", "CrossX", "CrossY" };

// Stored as the number rule writes numbers: 15 significant digits.
bool same(const std::optional<PrinterCorrection> &found, const PrinterCorrection &expected)
{
    const auto close = [](double a, double b) { return qAbs(a - b) < 1e-12; };
    return found && close(found->scaleX, expected.scaleX) && close(found->scaleY, expected.scaleY)
        && close(found->offsetX, expected.offsetX) && close(found->offsetY, expected.offsetY);
}

} // namespace

void CalibrationTest::measuresAreJudged_data()
{
    QTest::addColumn<double>("margin"); // the printable area's, from the printer's description
    QTest::addColumn<QStringList>("typed"); // rulers x, y; crosshair from left, top
    QTest::addColumn<int>("refused"); // the field at fault, -1 when accepted
    QTest::addColumn<int>("fault");
    QTest::addColumn<QList<double>>("correction"); // scale x, y; shift x, y in mm

    const int none = int(MeasureFault::None);
    // Expected: the ruler lengths and margin + 10 mm. A printer that prints
    // the rulers L long and the crosshair at c puts page point p at
    // c - 10 L/E + p L/E; the correction undoes that about the corner.
    QTest::newRow("true to size") << 4.2 << QStringList { "150", "200", "14.2", "14.2" } << -1
                                  << none << QList<double> { 1, 1, 0, 0 };
    QTest::newRow("short, long, right and high")
        << 4.2 << QStringList { "147", "202", "15.7", "13.4" } << -1 << none
        << QList<double> { 150.0 / 147, 200.0 / 202, -1.7 * 150 / 147, 0.9 * 200 / 202 };
    QTest::newRow("comma ends the number")
        << 4.2 << QStringList { "147,9", "200", "14.2", "14.2" } << -1 << none
        << QList<double> { 150.0 / 147, 1, -0.2 * 150 / 147, 0 };
    QTest::newRow("blanks are ignored") << 4.2 << QStringList { " 1 50 ", "200\t", "14 .2", "14.2" }
                                        << -1 << none << QList<double> { 1, 1, 0, 0 };
    QTest::newRow("4.5 % short is taken")
        << 4.2 << QStringList { "143.25", "200", "14.2", "14.2" } << -1 << none
        << QList<double> { 150 / 143.25, 1, (4.2 - (14.2 - 9.55)) * 150 / 143.25, 0 };

    QTest::newRow("word") << 4.2 << QStringList { "abc", "200", "14.2", "14.2" } << 0
                          << int(MeasureFault::NotANumber) << QList<double>();
    QTest::newRow("empty") << 4.2 << QStringList { "150", "200", "14.2", "" } << 3
                           << int(MeasureFault::NotANumber) << QList<double>();
    QTest::newRow("ruler 5.1 % short") << 4.2 << QStringList { "142.3", "200", "14.2", "14.2" } << 0
                                       << int(MeasureFault::LengthOff) << QList<double>();
    QTest::newRow("ruler 5.3 % long") << 4.2 << QStringList { "150", "210.5", "14.2", "14.2" } << 1
                                      << int(MeasureFault::LengthOff) << QList<double>();
    QTest::newRow("crosshair 25 mm off") << 4.2 << QStringList { "150", "200", "39.2", "14.2" } << 2
                                         << int(MeasureFault::OffsetOff) << QList<double>();
    QTest::newRow("corner above the sheet")
        << 4.2 << QStringList { "150", "200", "14.2", "19" } << 3
        << int(MeasureFault::CornerOffPaper) << QList<double>();
    // A borderless printer has no room to move the page left.
    QTest::newRow("borderless, printed right")
        << 0.0 << QStringList { "147", "202", "11.5", "9.2" } << 2
        << int(MeasureFault::CornerOffPaper) << QList<double>();
    // Distances from the paper's edge and lengths are more than nothing.
    QTest::newRow("crosshair at -5 and -3 mm")
        << 0.0 << QStringList { "150", "200", "-5", "-3" } << 2 << int(MeasureFault::NotPositive)
        << QList<double>();
    QTest::newRow("crosshair on the top edge")
        << 4.2 << QStringList { "150", "200", "14.2", "0" } << 3 << int(MeasureFault::NotPositive)
        << QList<double>();
    QTest::newRow("ruler of 0 mm") << 4.2 << QStringList { "0", "200", "14.2", "14.2" } << 0
                                   << int(MeasureFault::NotPositive) << QList<double>();
}

void CalibrationTest::measuresAreJudged()
{
    QFETCH(double, margin);
    QFETCH(QStringList, typed);
    QFETCH(int, refused);
    QFETCH(int, fault);
    QFETCH(QList<double>, correction);

    TemporarySettings temp;
    temp.seed({});
    const PrinterCorrections corrections(temp.settings());
    CalibrationDialog dialog(corrections, a4(margin), Language::English);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (int i = 0; i < 4; ++i)
        typeInto(field(&dialog, kFields[i]), typed.at(i));

    QString shown;
    if (refused >= 0)
        answerNextMessageBox(QMessageBox::Ok, &shown);
    click(&dialog, "OkButton");

    if (refused < 0) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::optional<PrinterCorrection> stored = corrections.of(kPrinter);
        QVERIFY(stored);
        QVERIFY2(qAbs(stored->scaleX - correction[0]) < 1e-9,
                 qPrintable(QString::number(stored->scaleX)));
        QVERIFY2(qAbs(stored->scaleY - correction[1]) < 1e-9,
                 qPrintable(QString::number(stored->scaleY)));
        QVERIFY2(qAbs(stored->offsetX - correction[2]) < 1e-9,
                 qPrintable(QString::number(stored->offsetX)));
        QVERIFY2(qAbs(stored->offsetY - correction[3]) < 1e-9,
                 qPrintable(QString::number(stored->offsetY)));
        return;
    }
    QVERIFY(dialog.isVisible());
    const CalibrationTexts &texts = CalibrationTextsOf(Language::English);
    const QString why[] = { QString(),       texts.notANumber,     texts.lengthOff,
                            texts.offsetOff, texts.cornerOffPaper, texts.notPositive };
    QCOMPARE(shown, texts.measures.at(std::size_t(refused)) + QStringLiteral(": ") + why[fault]);
    QVERIFY(!corrections.of(kPrinter));
    click(&dialog, "CancelButton");
    QVERIFY(!corrections.of(kPrinter));
}

void CalibrationTest::cancelStoresNothingAndResetRemoves()
{
    TemporarySettings temp;
    temp.seed({});
    const PrinterCorrections corrections(temp.settings());
    corrections.store(kPrinter, { 1.02, 0.99, 1.5, -0.25 });
    const QByteArray before = [&] {
        QFile file(temp.settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    {
        CalibrationDialog dialog(corrections, a4(4.2), Language::Italian);
        dialog.show();
        // The current correction, and the expected values beside the fields.
        QCOMPARE(
            child<QLabel>(&dialog, QStringLiteral("CurrentCorrection"))->text(),
            QStringLiteral("Correzione attuale: scala 1.02 x 0.99, spostamento 1.5 / -0.25 mm"));
        QCOMPARE(child<QLabel>(&dialog, QStringLiteral("ExpectedRulerY"))->text(),
                 QStringLiteral("atteso 200 mm"));
        QCOMPARE(child<QLabel>(&dialog, QStringLiteral("ExpectedCrossX"))->text(),
                 QStringLiteral("atteso 14.2 mm"));
        for (int i = 0; i < 4; ++i)
            typeInto(field(&dialog, kFields[i]), QStringLiteral("150"));
        click(&dialog, "CancelButton");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QFile file(temp.settingsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);

    CalibrationDialog dialog(corrections, a4(4.2), Language::German);
    dialog.show();
    click(&dialog, "ResetButton");
    QVERIFY(!corrections.of(kPrinter));
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("CurrentCorrection"))->text(),
             QStringLiteral("Keine Korrektur für diesen Drucker."));
}

void CalibrationTest::correctionsAreKeptPerPrinter_data()
{
    QTest::addColumn<QString>("printer");
    QTest::newRow("plain") << QStringLiteral("PDF");
    QTest::newRow("blanks and slashes") << QStringLiteral("HP Office 4/2 \\ left");
    QTest::newRow("beyond ASCII") << QStringLiteral("Büro-Drucker Größe 3");
    QTest::newRow("a main value's name") << QStringLiteral("Stampa");
    QTest::newRow("the file's first group") << QStringLiteral("General");
    QTest::newRow("an escape") << QStringLiteral("a%2Fb");
}

void CalibrationTest::correctionsAreKeptPerPrinter()
{
    QFETCH(QString, printer);
    TemporarySettings temp;
    temp.seed({ { QStringLiteral("Stampa"), QStringLiteral("A") },
                { QStringLiteral("Spessore"), QStringLiteral("2.5") } });
    const PrinterCorrections corrections(temp.settings());
    const PrinterCorrection correction { 150.0 / 147, 200.0 / 202, -1.7346938775510204, 0.25 };
    corrections.store(printer, correction);
    corrections.store(QStringLiteral("a/b"), { 1.01, 1.01, 1, 1 });

    QVERIFY(same(corrections.of(printer), correction));
    QVERIFY(!corrections.of(printer + u' '));
    QCOMPARE(temp.settings().text(QStringLiteral("Stampa")), QStringLiteral("A"));
    QCOMPARE(temp.settings().text(QStringLiteral("Spessore")), QStringLiteral("2.5"));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QCOMPARE(QFile::permissions(temp.settingsFile()) & others, QFileDevice::Permissions());

    corrections.remove(printer);
    QVERIFY(!corrections.of(printer));
    QVERIFY(same(corrections.of(QStringLiteral("a/b")), { 1.01, 1.01, 1, 1 }));
    QCOMPARE(temp.settings().text(QStringLiteral("Stampa")), QStringLiteral("A"));
}

void CalibrationTest::firstStartWritesNoCalibration()
{
    TemporarySettings temp;
    const ModalDialogCloser closer; // the about window of a first start
    LoadedWindow loaded = loadWindow(temp.settings());
    QFile file(temp.settingsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY(written.contains("Spessore"));
    QVERIFY(!written.contains("Calibrazione"));
    QVERIFY(!written.contains("Tagli"));
}

void CalibrationTest::calibrationIsForAPrinter_data()
{
    QTest::addColumn<bool>("pdfFile"); // false: no printer at all
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("said");
    QTest::newRow("PDF file, English")
        << true << "Inglese"
        << "Calibration is for a printer: choose a printer (not a PDF file) in the print dialog "
           "and print the calibration page. No correction was stored.";
    QTest::newRow("no printer, Italian")
        << false << "Italiano"
        << "La calibrazione è per una stampante: scegliete una stampante (non un file PDF) nella "
           "finestra di stampa e stampate la pagina di calibrazione. Nessuna correzione è stata "
           "salvata.";
    QTest::newRow("PDF file, German")
        << true << "Tedesco"
        << "Die Kalibrierung gilt einem Drucker: Wählen Sie im Druckdialog einen Drucker (keine "
           "PDF-Datei) und drucken Sie die Kalibrierseite. Es wurde keine Korrektur gespeichert.";
}

void CalibrationTest::calibrationIsForAPrinter()
{
    QFETCH(bool, pdfFile);
    QFETCH(QString, marker);
    QFETCH(QString, said);
    TemporarySettings temp;
    temp.seed(
        { { QStringLiteral("About"), QStringLiteral("0") }, { QStringLiteral("Lingua"), marker } });
    LoadedWindow loaded = loadWindow(temp.settings());
    auto *job = loaded.window->findChild<PrintJob *>();
    const QTemporaryDir dir;
    if (pdfFile) {
        job->setOutputFile(dir.filePath(QStringLiteral("page.pdf")));
    } else { // as Qt leaves the printer when none is installed
        job->printer().setOutputFileName(QString());
        job->printer().setOutputFormat(QPrinter::PdfFormat);
    }
    // No: the measures of an earlier page; then whatever shows is closed.
    answerNextMessageBox(QMessageBox::No);
    QString shown;
    QString shownName;
    onNextModal<QDialog>([&](QDialog *dialog) {
        shownName = dialog->objectName();
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            shown = box->text();
        dialog->reject();
        return true;
    });
    child<QAction>(loaded.window.get(), QStringLiteral("ID_Calibra"))->trigger();
    QCOMPARE(shownName, QStringLiteral("CalibrationNoPrinter"));
    QCOMPARE(shown, said);
    QFile file(temp.settingsFile());
    QVERIFY(!file.exists() || file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("Calibrazione"));
}

void CalibrationTest::calibrationPageMeasures_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<double>("rulerX"); // mm: 15 and 20 cm, or whole cm with 5 mm spare
    QTest::addColumn<double>("rulerY");
    QTest::addColumn<QString>("lengths");
    QTest::newRow("A4") << int(QPageSize::A4) << 150.0 << 200.0
                        << QStringLiteral("horizontal 150 mm, vertical 200 mm");
    QTest::newRow("A6") << int(QPageSize::A6) << 90.0 << 130.0
                        << QStringLiteral("horizontal 90 mm, vertical 130 mm");
}

void CalibrationTest::calibrationPageMeasures()
{
    QFETCH(int, paper);
    QFETCH(double, rulerX);
    QFETCH(double, rulerY);
    QFETCH(QString, lengths);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("calibration.pdf"));
    PrintJob job;
    job.setOutputFile(pdf);
    job.printer().setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
    // A PDF file is never corrected, even with a correction at hand.
    job.setCorrections([](const QString &) { return PrinterCorrection { 1.05, 1.05, 3, 3 }; });
    const auto lines = [](const PrinterPage &page) {
        return CalibrationPageLines(Language::English, page, QDate(2026, 12, 9));
    };
    QCOMPARE(job.printCalibrationPage(lines, false, nullptr), PrintOutcome::Printed);
    QVERIFY(job.correctedFor().isEmpty());

    constexpr int dpi = 600;
    const PagePixels pixels(dpi); // a PDF file: the whole sheet is printable
    const double perMm = dpi / 25.4;
    // Two strips from the page's corner: along the top and down the left.
    const QImage top = RasterisePdf(
        pdf, dpi, QRectF(QPointF(0, 0), QPointF(pixels.x(2 + rulerX / 10), pixels.y(2))).toRect());
    const QImage side = RasterisePdf(
        pdf, dpi, QRectF(QPointF(0, 0), QPointF(pixels.x(2), pixels.y(2 + rulerY / 10))).toRect());
    QVERIFY(!top.isNull() && !side.isNull());
    // The crosshair's arms, where nothing else is printed.
    const auto band = [&](double left, double top, double right, double bottom) {
        return QRectF(QPointF(pixels.x(left), pixels.y(top)),
                      QPointF(pixels.x(right), pixels.y(bottom)))
            .toRect();
    };
    const QRect up = BoundsOf(top, IsDark, band(0.5, 0.65, 1.5, 0.7));
    const QRect left = BoundsOf(side, IsDark, band(0.65, 0.5, 0.7, 1.5));
    const double crossX = (up.left() + up.right() + 1) / 2.0;
    const double crossY = (left.top() + left.bottom() + 1) / 2.0;
    QVERIFY2(qAbs(crossX - pixels.x(1)) <= 1, qPrintable(QString::number(crossX - pixels.x(1))));
    QVERIFY2(qAbs(crossY - pixels.y(1)) <= 1, qPrintable(QString::number(crossY - pixels.y(1))));
    // Only the centimetre ticks reach 2.5 mm from a ruler: the last one
    // ends it.
    const QRect xTicks = BoundsOf(top, IsDark, band(1.05, 1.25, 30, 1.26));
    const QRect yTicks = BoundsOf(side, IsDark, band(1.25, 1.05, 1.26, 30));
    // A tick's centre lies half its 0.1 mm inside its outer edge.
    const double measuredX = (xTicks.right() + 1 - 0.05 * perMm - crossX) / perMm;
    const double measuredY = (yTicks.bottom() + 1 - 0.05 * perMm - crossY) / perMm;
    qInfo("rulers measured %.2f x %.2f mm, crosshair at %.2f, %.2f mm from the origin", measuredX,
          measuredY, (crossX - pixels.x(0)) / perMm, (crossY - pixels.y(0)) / perMm);
    QVERIFY2(qAbs(measuredX - rulerX) <= 2 / perMm, qPrintable(QString::number(measuredX)));
    QVERIFY2(qAbs(measuredY - rulerY) <= 2 / perMm, qPrintable(QString::number(measuredY)));

    // The page says what it printed.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    QVERIFY(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    QVERIFY2(printed.contains(lengths), qPrintable(printed));
    QVERIFY2(printed.contains(QStringLiteral("Date: 2026-12-09")), qPrintable(printed));

    const QString keep = qEnvironmentVariable("VELLUMARK_KEEP_CALIBRATION_PAGE");
    if (!keep.isEmpty() && paper == int(QPageSize::A4))
        QFile::copy(pdf, keep);
}

QTEST_MAIN(CalibrationTest)
#include "tst_calibration.moc"
