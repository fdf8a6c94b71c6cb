#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

namespace vellumark {

// Values by name.
using SettingsValues = QMap<QString, QVariant>;

// The settings file as a person reads and edits it. A line "Name=value"
// holds one value: everything after the first "=" up to the end of the line
// (one CR before the line end aside), exactly as it stands. A value that
// cannot stand so (a line break, a control character, a blank at its start
// or end) is written "Name\=value", where \\, \n, \r, \t, \s (a blank) and
// \uHHHH stand for themselves. Any other line (a comment starting with ";"
// or "#", a blank line, a "[...]" header) means nothing and is kept as it
// is. Where a name comes twice, the last line counts. The first line marks
// the format: a file without it was written with QSettings' INI rules.

// Whether the file starts (after an optional UTF-8 byte order mark) with
// the line that marks this format.
bool IsVerbatimSettingsFile(const QByteArray &file);

// The values of a file in this format, all as text.
SettingsValues ReadVerbatimSettings(const QByteArray &file);

// The file holding the values. When the current file is in this format,
// every line whose value is unchanged or unknown to the values keeps its
// bytes, a changed value replaces the last line of its name, and new names
// are added at the end. Otherwise the file is written anew. Names that
// cannot stand on a line are left out.
QByteArray WriteVerbatimSettings(const QByteArray &currentFile, const SettingsValues &values);

// Whether a name can stand before the "=" and be read back as itself (no
// "=", backslash, control character or blank at either end, not starting
// like a comment or a header, no "/" at either end or doubled, as QSettings'
// key rules in older versions would have changed it).
bool IsStorableSettingName(const QString &name);

} // namespace vellumark
