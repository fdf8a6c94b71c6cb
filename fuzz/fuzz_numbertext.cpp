// Feeds arbitrary text to the number rule and checks what it promises:
// the value is that of the longest decimal prefix once blanks are dropped,
// written numbers read back to themselves, and whole numbers round half to
// even.
#include "fuzz/fuzzcheck.h"
#include "logic/numbertext.h"

#include <QString>

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace vellumark;
using fuzz::check;

namespace {

QByteArray describe(double value)
{
    return QByteArray::number(value, 'g', 17);
}

// The text with blanks, tabs and line feeds dropped, up to the first
// character outside ASCII: what the rule scans.
std::string squeezed(QStringView text)
{
    std::string s;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c.unicode() > 0x7f)
            break;
        s.push_back(char(c.unicode()));
    }
    return s;
}

// The C library's reading of the same prefix, where it follows the same
// rule: a text beginning with a digit or a point, after an optional sign,
// and not a hexadecimal number (which the rule reads as 0).
bool referenceValue(const std::string &s, double *value)
{
    std::size_t start = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (start >= s.size() || !(std::isdigit(uchar(s[start])) || s[start] == '.'))
        return false;
    if (s[start] == '0' && start + 1 < s.size() && (s[start + 1] == 'x' || s[start + 1] == 'X'))
        return false;
    errno = 0;
    *value = std::strtod(s.c_str(), nullptr); // the C locale: no setlocale() here
    if (errno == ERANGE && std::isinf(*value))
        *value = std::copysign(DBL_MAX, *value);
    return true;
}

void checkNumber(double value)
{
    const QString written = FormatNumber(value);
    const QByteArray text = written.toLatin1();
    check(!written.isEmpty(), "a number is written as something", describe(value));
    for (QChar c : written)
        check(c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e',
              "a number is written with digits, point, sign and exponent only", text);
    const qsizetype exponent = written.indexOf(u'e');
    const QString mantissa = exponent < 0 ? written : written.left(exponent);
    check(!mantissa.contains(u'.') || !(mantissa.endsWith(u'0') || mantissa.endsWith(u'.')),
          "no trailing zeros", text);

    const double back = ReadNumber(written);
    check(std::fabs(back - value) <= std::fabs(value) * 1e-14, "a written number reads back",
          text + " -> " + describe(back));
    check(FormatNumber(back) == written, "writing what was read back gives the same text",
          text + " -> " + FormatNumber(back).toLatin1());

    const int whole = RoundHalfEven(value);
    if (value > double(INT_MIN) && value < double(INT_MAX)) {
        const double off = std::fabs(double(whole) - value);
        check(off <= 0.5, "rounds to the nearest whole number", describe(value));
        check(off < 0.5 || whole % 2 == 0, "halves round to even", describe(value));
    } else {
        check(whole == (value > 0 ? INT_MAX : INT_MIN), "beyond the int range clamps",
              describe(value));
    }
}

void checkText(const QString &text)
{
    const double value = ReadNumber(text);
    const QByteArray shown = text.toUtf8().left(200);
    check(std::isfinite(value), "a text always reads as a finite number", shown);

    double expected = 0;
    if (referenceValue(squeezed(text), &expected)) {
        // Below the smallest normal number the rule may give 0 instead.
        const bool tiny = std::fabs(expected) < DBL_MIN && value == 0;
        check(value == expected || tiny, "the value of the longest decimal prefix",
              shown + " -> " + describe(value) + ", expected " + describe(expected));
    } else {
        check(value == 0, "a text not beginning with a number reads as 0", shown);
    }

    // Blanks count nowhere.
    QString spaced = text;
    spaced.insert(spaced.size() / 2, QStringLiteral(" \t\n"));
    spaced.prepend(u' ');
    check(ReadNumber(spaced) == value, "blanks are ignored wherever they stand", shown);

    checkNumber(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    // The bytes as typed text, and as UTF-16 so that any character (a lone
    // surrogate too) can turn up.
    checkText(QString::fromUtf8(bytes, qsizetype(size)));
    QString wide(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(wide.data(), bytes, size / 2 * 2);
    checkText(wide);

    // The bytes as a number, for the writing and rounding rules.
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, bytes, sizeof value);
        if (std::isfinite(value))
            checkNumber(value);
    }
    return 0;
}
