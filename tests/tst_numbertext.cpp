#include "logic/numbertext.h"
#include "requiredtools.h"

#include <QTest>

#include <cfloat>
#include <cmath>

using namespace vellumark;

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void readNumber_data();
    void readNumber();
    void readsTheSameInAnyLocale();
    void readWholeNumber_data();
    void readWholeNumber();
    void roundHalfEven_data();
    void roundHalfEven();
    void formatNumber_data();
    void formatNumber();
};

void NumberTextTest::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain") << "12.1" << 12.1;
    QTest::newRow("comma ends the number") << "12,1" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("number then letters") << "15cm" << 15.0;
    QTest::newRow("blanks inside") << " 1 2.5" << 12.5;
    QTest::newRow("tab and line feed") << "\t3\n.5" << 3.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent with sign") << "2.5E-1" << 0.25;
    QTest::newRow("letter e alone") << "1e" << 1.0;
    QTest::newRow("exponent sign alone") << "1e+" << 1.0;
    QTest::newRow("leading point") << "-.5" << -0.5;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign alone") << "+" << 0.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("minus zero") << "-0" << 0.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("two signs") << "--1" << 0.0;
    QTest::newRow("overflow") << "1e400" << DBL_MAX;
    QTest::newRow("negative overflow") << "-1e400" << -DBL_MAX;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("fraction underflow")
        << QStringLiteral("0.%1").arg(QString(400, u'0')) + QStringLiteral("1e5") << 0.0;
    QTest::newRow("fraction overflow") << "0.001e400" << DBL_MAX;
    QTest::newRow("non-ASCII digit ends it") << QString::fromUtf8("1\xd9\xa3") << 1.0;
    QTest::newRow("hex is not read") << "&H10" << 0.0;
    QTest::newRow("carriage return skipped") << "1\r2" << 12.0;
}

void NumberTextTest::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(ReadNumber(text), expected);
}

void NumberTextTest::readsTheSameInAnyLocale()
{
    // A desktop in German must not turn the decimal point into a comma.
    const char *previous = std::setlocale(LC_NUMERIC, nullptr);
    const QByteArray saved = previous ? QByteArray(previous) : QByteArray("C");
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        VELLUMARK_REQUIRE_TOOLS({ QStringLiteral("the German locale de_DE.UTF-8") });
    const double point = ReadNumber(u"12.75");
    const double comma = ReadNumber(u"12,75");
    const std::optional<double> whole = ReadWholeNumber(u"12.75");
    const bool commaIsNoNumber = !ReadWholeNumber(u"12,75");
    std::setlocale(LC_NUMERIC, saved.constData());
    QCOMPARE(point, 12.75);
    QCOMPARE(comma, 12.0);
    QCOMPARE(whole, std::optional<double>(12.75));
    QVERIFY(commaIsNoNumber);
}

void NumberTextTest::readWholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "12" << true << 12.0;
    QTest::newRow("fraction") << "2.5" << true << 2.5;
    QTest::newRow("blanks round") << " 7\t" << true << 7.0;
    QTest::newRow("sign and exponent") << "-1e3" << true << -1000.0;
    QTest::newRow("point first") << ".5" << true << 0.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "  " << false << 0.0;
    QTest::newRow("comma") << "12,1" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
    QTest::newRow("unit after") << "5cm" << false << 0.0;
    QTest::newRow("exponent letter alone") << "1e" << false << 0.0;
    QTest::newRow("word") << "abc" << false << 0.0;
}

void NumberTextTest::readWholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> number = ReadWholeNumber(text);
    QCOMPARE(number.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*number, value);
}

void NumberTextTest::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.4") << 2.4 << 2;
    QTest::newRow("2.6") << 2.6 << 3;
    QTest::newRow("huge") << 1e300 << std::numeric_limits<int>::max();
    QTest::newRow("huge negative") << -1e300 << std::numeric_limits<int>::min();
    QTest::newRow("nan") << std::nan("") << 0;
}

void NumberTextTest::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void NumberTextTest::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2 + 11.8") << 2 + 11.8 << "13.8";
    QTest::newRow("2 + 12.1") << 2 + 12.1 << "14.1";
    QTest::newRow("whole") << 14.0 << "14";
    QTest::newRow("minus zero") << -0.0 << "0";
    QTest::newRow("negative") << -1.25 << "-1.25";
    QTest::newRow("fifteen digits") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("overflowed sum") << 1e308 + 1e308 << "1.79769313486232e+308";
}

void NumberTextTest::formatNumber()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatNumber(value), expected);
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
