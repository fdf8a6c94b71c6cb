#include "logic/settings/verbatimsettings.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>

#include <algorithm>

namespace vellumark {

namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");
constexpr QByteArrayView MarkerStart("; Vellumark settings, verbatim");
constexpr QByteArrayView MarkerLine("; Vellumark settings, verbatim: a value is everything after "
                                    "the first \"=\" up to the end of its line");

// One line of the file, its line end included; a line that holds no value
// has no name.
struct Line
{
    QByteArray bytes;
    QString name;
    QString value;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// The line without its line end: "\n", and one "\r" before it.
QByteArrayView withoutLineEnd(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

QByteArrayView lineEndOf(QByteArrayView line)
{
    return line.sliced(withoutLineEnd(line).size());
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QString unescape(const QString &text)
{
    QString value;
    value.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 == text.size()) {
            value += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        if (next == u'\\' || next == u'n' || next == u'r' || next == u't' || next == u's') {
            value += next == u'n' ? u'\n'
                : next == u'r'    ? u'\r'
                : next == u't'    ? u'\t'
                : next == u's'    ? u' '
                                  : u'\\';
            ++i;
        } else if (next == u'u' && i + 5 < text.size()
                   && std::all_of(text.begin() + i + 2, text.begin() + i + 6, isHexDigit)) {
            value += QChar(char16_t(text.mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 5;
        } else {
            // An escape this format does not know stands for itself.
            value += c;
        }
    }
    return value;
}

// Characters that would not come back through a line as themselves.
bool needsEscape(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate() || c.unicode() == 0xfeff;
}

bool standsVerbatim(const QString &value)
{
    if (value.isEmpty())
        return true;
    if (value.front() == u' ' || value.front() == u'\t' || value.back() == u' '
        || value.back() == u'\t')
        return false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (needsEscape(c))
            return false;
    }
    return true;
}

QString escape(const QString &value)
{
    qsizetype firstInner = 0;
    while (firstInner < value.size() && value.at(firstInner) == u' ')
        ++firstInner;
    qsizetype lastInner = value.size();
    while (lastInner > firstInner && value.at(lastInner - 1) == u' ')
        --lastInner;
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\')
            text += QStringLiteral("\\\\");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else if (c == u'\r')
            text += QStringLiteral("\\r");
        else if (c == u'\t')
            text += QStringLiteral("\\t");
        else if (c == u' ' && (i < firstInner || i >= lastInner))
            text += QStringLiteral("\\s"); // a blank at either end shows
        else if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate())
            text += value.mid(i++, 2);
        else if (needsEscape(c))
            text += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

QByteArray valueLine(const QString &name, const QString &value)
{
    if (standsVerbatim(value))
        return name.toUtf8() + '=' + value.toUtf8();
    return name.toUtf8() + "\\=" + escape(value).toUtf8();
}

void readValue(Line &line)
{
    const QByteArrayView text = withoutLineEnd(line.bytes);
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return;
    QByteArrayView name = trimBlanks(text.first(equals));
    const bool escaped = name.endsWith('\\');
    if (escaped)
        name = trimBlanks(name.chopped(1));
    if (name.isEmpty() || name.front() == ';' || name.front() == '#' || name.front() == '[')
        return;
    line.name = QString::fromUtf8(name);
    const QString value = QString::fromUtf8(text.sliced(equals + 1));
    line.value = escaped ? unescape(value) : value;
}

QList<Line> linesOf(const QByteArray &file)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < file.size()) {
        const qsizetype newline = file.indexOf('\n', start);
        const qsizetype end = newline < 0 ? file.size() : newline + 1;
        Line line { file.mid(start, end - start), QString(), QString() };
        // The first line is the marker, a comment.
        if (!lines.isEmpty())
            readValue(line);
        lines.append(line);
        start = end;
    }
    return lines;
}

} // namespace

bool IsVerbatimSettingsFile(const QByteArray &file)
{
    QByteArrayView text(file);
    if (text.startsWith(ByteOrderMark))
        text = text.sliced(ByteOrderMark.size());
    return text.startsWith(MarkerStart);
}

SettingsValues ReadVerbatimSettings(const QByteArray &file)
{
    SettingsValues values;
    for (const Line &line : linesOf(file)) {
        if (!line.name.isEmpty())
            values.insert(line.name, line.value);
    }
    return values;
}

QByteArray WriteVerbatimSettings(const QByteArray &currentFile, const SettingsValues &values)
{
    QList<Line> lines;
    if (IsVerbatimSettingsFile(currentFile))
        lines = linesOf(currentFile);
    else
        lines.append(Line { MarkerLine.toByteArray() + '\n', QString(), QString() });
    // New lines end like the marker line, so a file kept with CRLF stays so.
    const QByteArray lineEnd = lines.first().bytes.endsWith("\r\n") ? "\r\n" : "\n";

    QHash<QString, qsizetype> lastLineOf;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).name.isEmpty())
            lastLineOf.insert(lines.at(i).name, i);
    }

    QByteArray file;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line &line = lines.at(i);
        const auto value = values.constFind(line.name);
        if (line.name.isEmpty() || value == values.cend() || lastLineOf.value(line.name) != i
            || value->toString() == line.value || !IsStorableSettingName(line.name)) {
            file += line.bytes;
            continue;
        }
        file += valueLine(line.name, value->toString());
        file += lineEndOf(line.bytes);
    }
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (lastLineOf.contains(value.key()) || !IsStorableSettingName(value.key()))
            continue;
        if (!file.endsWith('\n'))
            file += lineEnd;
        file += valueLine(value.key(), value->toString()) + lineEnd;
    }
    return file;
}

bool IsStorableSettingName(const QString &name)
{
    if (name.isEmpty() || name.front() == u';' || name.front() == u'#' || name.front() == u'['
        || name.front() == u' ' || name.back() == u' ' || name.front() == u'/'
        || name.back() == u'/' || name.contains(QStringLiteral("//")))
        return false;
    for (const QChar c : name) {
        if (c == u'=' || c == u'\\' || needsEscape(c))
            return false;
    }
    return true;
}

} // namespace vellumark
