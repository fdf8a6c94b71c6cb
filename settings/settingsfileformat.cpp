#include "settings/settingsfileformat.h"

#include "settings/inisettings.h"

#include <QFile>
#include <QFileDevice>

namespace vellumark {

namespace {

bool readSettings(QIODevice &device, QSettings::SettingsMap &values)
{
    values = ReadSettingsFile(device.readAll());
    return true;
}

bool writeSettings(QIODevice &device, const QSettings::SettingsMap &values)
{
    // QSettings hands over every value it knows, and holds the file's lock
    // while this runs. Comments, unknown lines and the bytes of unchanged
    // values live only in the file, not in the values: so edit the file as
    // it is now rather than keep a copy of it from the last read.
    QByteArray current;
    if (const auto *target = qobject_cast<const QFileDevice *>(&device)) {
        QFile file(target->fileName());
        if (file.open(QIODevice::ReadOnly))
            current = file.readAll();
    }
    const QByteArray written = WriteVerbatimSettings(current, values);
    return device.write(written) == written.size();
}

} // namespace

SettingsValues ReadSettingsFile(const QByteArray &file)
{
    return IsVerbatimSettingsFile(file) ? ReadVerbatimSettings(file) : ReadIniSettings(file);
}

QSettings::Format SettingsFileFormat()
{
    static const QSettings::Format format
        = QSettings::registerFormat(QStringLiteral("ini"), readSettings, writeSettings);
    return format;
}

} // namespace vellumark
