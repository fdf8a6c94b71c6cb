#include "logic/numbertext.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vellumark {

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number at the start of a squeezed text and where it ends; no digits
// give 0 ending at 0.
struct LeadingNumber
{
    double value = 0.0;
    std::size_t end = 0;
};

LeadingNumber scanNumber(const std::string &s)
{
    const std::size_t n = s.size();
    std::size_t pos = 0;
    bool negative = false;
    if (pos < n && (s[pos] == '+' || s[pos] == '-'))
        negative = s[pos++] == '-';
    const std::size_t mantissaStart = pos;

    // The decimal magnitude (digits before the point, leading zeros aside,
    // less the zeros right after the point) tells an overflow from an
    // underflow when the value does not fit.
    long magnitude = 0;
    bool significant = false;
    std::size_t digits = 0;
    while (pos < n && isDigit(s[pos])) {
        significant = significant || s[pos] != '0';
        if (significant)
            ++magnitude;
        ++pos;
        ++digits;
    }
    if (pos < n && s[pos] == '.') {
        ++pos;
        while (pos < n && isDigit(s[pos])) {
            if (!significant) {
                significant = s[pos] != '0';
                if (!significant)
                    --magnitude;
            }
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return {};

    std::size_t end = pos;
    // An exponent counts only when at least one digit follows its letter.
    if (pos < n && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t e = pos + 1;
        bool expNegative = false;
        if (e < n && (s[e] == '+' || s[e] == '-'))
            expNegative = s[e++] == '-';
        long exponent = 0;
        std::size_t expDigits = 0;
        while (e < n && isDigit(s[e])) {
            if (exponent < 100000)
                exponent = exponent * 10 + (s[e] - '0');
            ++e;
            ++expDigits;
        }
        if (expDigits > 0) {
            end = e;
            magnitude += expNegative ? -exponent : exponent;
        }
    }

    // from_chars reads the C locale whatever the process locale says.
    double value = 0.0;
    const auto result = std::from_chars(s.data() + mantissaStart, s.data() + end, value);
    if (result.ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? DBL_MAX : 0.0;
    return { negative ? -value : value, end };
}

// The text without the ignored characters, cut before the first character
// outside ASCII, which belongs to no number.
std::string squeezed(QStringView text)
{
    std::string s;
    s.reserve(std::size_t(text.size()));
    for (QChar c : text) {
        if (isSkipped(c))
            continue;
        if (c.unicode() > 0x7f)
            break;
        s.push_back(char(c.unicode()));
    }
    return s;
}

} // namespace

double ReadNumber(QStringView text)
{
    return scanNumber(squeezed(text)).value;
}

std::optional<double> ReadWholeNumber(QStringView text)
{
    const QStringView word = text.trimmed();
    // Blanks inside make two words, not one number.
    for (QChar c : word) {
        if (isSkipped(c) || c.unicode() > 0x7f)
            return std::nullopt;
    }
    const std::string s = squeezed(word);
    const LeadingNumber number = scanNumber(s);
    if (s.empty() || number.end != s.size())
        return std::nullopt;
    return number.value;
}

int RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // default mode: nearest, ties to even
    if (rounded >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(rounded);
}

QString FormatNumber(double value)
{
    if (value == 0.0 || std::isnan(value))
        return QStringLiteral("0"); // also writes -0 as 0
    // A sum of two huge measures overflows: write the largest number instead,
    // which reads back as itself rather than as 0.
    if (std::isinf(value))
        value = std::copysign(DBL_MAX, value);
    return QString::number(value, 'g', 15);
}

} // namespace vellumark
